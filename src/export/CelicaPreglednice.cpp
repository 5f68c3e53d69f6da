#include "export/CelicaPreglednice.h"

#include "base/Besedilo.h"
#include "base/Datum.h"
#include "db/TOracleDataSet.h"

#include <cstdio>
#include <cstdlib>

namespace orv {

namespace {

bool petnajstMest(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.15g", value);
    return std::strtod(text, nullptr) == value;
}

} // namespace

CelicaPreglednice celicaPreglednice(Field& field, FieldType vrsta) {
    CelicaPreglednice celica;
    if (field.IsNull()) return celica;
    switch (vrsta) {
    case FieldType::Float:
        celica.vrsta = CelicaPreglednice::Vrsta::Stevilo;
        celica.vrednost = field.AsFloat();
        if (celica.vrednost == 0.0) celica.vrednost = 0.0; // the bank's database has no -0
        celica.besedilo = exactNumberText(celica.vrednost);
        celica.petnajstMest = petnajstMest(celica.vrednost);
        break;
    case FieldType::Date:
        celica.vrsta = CelicaPreglednice::Vrsta::Datum;
        celica.vrednost = field.AsDateTime();
        celica.besedilo = formatDateTime(celica.vrednost);
        celica.sCasom = celica.besedilo.size() > 10;
        break;
    case FieldType::String:
        celica.besedilo = field.AsString();
        // The bank's database keeps no empty text: '' is NULL.
        if (!celica.besedilo.empty()) celica.vrsta = CelicaPreglednice::Vrsta::Besedilo;
        break;
    }
    return celica;
}

} // namespace orv
