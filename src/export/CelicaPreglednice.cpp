#include "export/CelicaPreglednice.h"

#include "base/Besedilo.h"
#include "base/Datum.h"
#include "db/TOracleDataSet.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace orv {

namespace {

// The significant digits of the shortest text that reads back as `value` (to_chars finds it
// without the trial printing that "%.*g" needs, which counts in a workbook of millions of cells).
int najkrajseMest(double value) {
    char text[40];
    const auto written =
        std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
    const char* begin = text;
    const char* end = std::find(begin, static_cast<const char*>(written.ptr), 'e');
    return static_cast<int>(std::count_if(begin, end, [](char c) { return c >= '0' && c <= '9'; }));
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
        celica.petnajstMest = najkrajseMest(celica.vrednost) <= 15;
        break;
    case FieldType::Date:
        celica.vrsta = CelicaPreglednice::Vrsta::Datum;
        celica.vrednost = field.AsDateTime();
        // A fraction of a day shorter than half a second prints as no time at all.
        celica.sCasom = celica.vrednost != std::floor(celica.vrednost) &&
                        formatDateTime(celica.vrednost).size() > 10;
        break;
    case FieldType::String:
        celica.besedilo = field.AsString();
        // The bank's database keeps no empty text: '' is NULL.
        if (!celica.besedilo.empty()) celica.vrsta = CelicaPreglednice::Vrsta::Besedilo;
        break;
    }
    return celica;
}

std::string besediloCelice(const CelicaPreglednice& celica) {
    switch (celica.vrsta) {
    case CelicaPreglednice::Vrsta::Prazna:
        return {};
    case CelicaPreglednice::Vrsta::Besedilo:
        return celica.besedilo;
    case CelicaPreglednice::Vrsta::Stevilo:
        return exactNumberText(celica.vrednost);
    case CelicaPreglednice::Vrsta::Datum:
        return celica.sCasom ? formatDateTime(celica.vrednost) : formatDate(celica.vrednost);
    }
    return {};
}

} // namespace orv
