#include "export/StolpciIzvoza.h"

#include "base/Besedilo.h"
#include "base/Cp1250.h"
#include "base/Datum.h"
#include "db/TOracleDataSet.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <set>

namespace orv {

int potrebneDecimalke(double value) {
    if (!std::isfinite(value) || value == 0.0) return 0;
    const std::string shown = formatNumber(value);
    if (shown.find_first_of("eE") == std::string::npos) {
        const size_t point = shown.find('.');
        return point == std::string::npos ? 0 : static_cast<int>(shown.size() - point - 1);
    }
    // A very small or very large number prints in exponent form: find the places its value needs.
    const double exact = std::strtod(shown.c_str(), nullptr);
    for (int places = 0; places < 40; ++places)
        if (std::strtod(stevilkaZDecimalkami(exact, places).c_str(), nullptr) == exact)
            return places;
    return 40;
}

std::string stevilkaZDecimalkami(double value, int decimalke) {
    if (value == 0.0) value = 0.0; // no negative zero
    char text[400];
    std::snprintf(text, sizeof text, "%.*f", decimalke, value);
    std::string result = text;
    // A negative value that rounds to zero at these places must not print as "-0.00".
    if (result[0] == '-' && result.find_first_of("123456789") == std::string::npos)
        result.erase(0, 1);
    return result;
}

std::vector<StolpecIzvoza> stolpciPolj(TOracleDataSet& dataset, const std::vector<int>& polja) {
    std::vector<StolpecIzvoza> stolpci;
    for (const int polje : polja) {
        const FieldInfo& info = dataset.fieldInfos()[static_cast<size_t>(polje)];
        StolpecIzvoza stolpec;
        stolpec.polje = polje;
        stolpec.ime = info.name;
        stolpec.vrsta = info.type;
        stolpec.velikost = info.size;
        stolpci.push_back(stolpec);
    }
    return stolpci;
}

std::vector<StolpecIzvoza> izmeriStolpce(TOracleDataSet& dataset, const std::vector<int>& polja) {
    std::vector<StolpecIzvoza> stolpci = stolpciPolj(dataset, polja);
    for (StolpecIzvoza& stolpec : stolpci)
        stolpec.najdaljsa = stolpec.vrsta == FieldType::Date ? 10 : 0;
    // Numbers: first the places, then the width at those places (the integer part keeps its
    // digits whatever places follow it, as the places are exact).
    std::vector<int> celiDel(stolpci.size(), 0);
    for (dataset.First(); !dataset.Eof(); dataset.Next()) {
        for (size_t i = 0; i < stolpci.size(); ++i) {
            StolpecIzvoza& stolpec = stolpci[i];
            Field field = dataset.Fields(stolpec.polje);
            if (field.IsNull()) continue;
            switch (stolpec.vrsta) {
            case FieldType::String:
                stolpec.najdaljsa =
                    std::max(stolpec.najdaljsa, static_cast<int>(vCp1250(field.AsString()).size()));
                break;
            case FieldType::Float: {
                const double value = field.AsFloat();
                const int places = potrebneDecimalke(value);
                stolpec.decimalke = std::max(stolpec.decimalke, places);
                const std::string text = stevilkaZDecimalkami(value, places);
                const size_t point = text.find('.');
                celiDel[i] = std::max(celiDel[i], static_cast<int>(std::min(point, text.size())));
                break;
            }
            case FieldType::Date:
                if (field.AsDateTime() != std::floor(field.AsDateTime())) {
                    stolpec.sCasom = true;
                    stolpec.najdaljsa = 19;
                }
                break;
            }
        }
    }
    for (size_t i = 0; i < stolpci.size(); ++i) {
        StolpecIzvoza& stolpec = stolpci[i];
        if (stolpec.vrsta == FieldType::Float)
            stolpec.najdaljsa =
                std::max(celiDel[i], 1) + (stolpec.decimalke ? stolpec.decimalke + 1 : 0);
    }
    dataset.First();
    return stolpci;
}

namespace {

// Every character other than an ASCII letter, digit or '_' becomes one '_'; an empty name is
// "POLJE".
std::string cistoIme(const std::string& ime) {
    std::string clean;
    for (const char c : ime) {
        const auto u = static_cast<unsigned char>(c);
        if ((u & 0xC0) == 0x80) continue; // the rest of a character already replaced
        clean += (u < 0x80 && (std::isalnum(u) || c == '_')) ? c : '_';
    }
    return clean.empty() ? "POLJE" : clean;
}

} // namespace

std::vector<std::string> kratkaImena(const std::vector<std::string>& imena, size_t najvec) {
    std::vector<std::string> result(imena.size());
    std::set<std::string> used; // upper case
    // First the names that fit the format as they are: none of them changes (the first of
    // names equal but for case keeps it), so that a program reading a field by its name finds
    // that column and no other.
    std::vector<bool> kept(imena.size(), false);
    for (size_t i = 0; i < imena.size(); ++i) {
        const std::string& ime = imena[i];
        if (ime.empty() || ime.size() > najvec || cistoIme(ime) != ime) continue;
        if (!used.insert(toUpper(ime)).second) continue;
        result[i] = ime;
        kept[i] = true;
    }
    // Then the names that had to change, in their order, each made unique.
    for (size_t i = 0; i < imena.size(); ++i) {
        if (kept[i]) continue;
        const std::string clean = cistoIme(imena[i]);
        std::string candidate = clean.substr(0, najvec);
        for (int n = 1; used.count(toUpper(candidate)); ++n) {
            const std::string suffix = "_" + std::to_string(n);
            candidate = clean.substr(0, najvec - std::min(najvec, suffix.size())) + suffix;
        }
        used.insert(toUpper(candidate));
        result[i] = candidate;
    }
    return result;
}

} // namespace orv
