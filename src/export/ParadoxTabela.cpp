// A Paradox table through pxlib: texts are alpha fields in code page 1250, numbers Paradox
// numbers (doubles, so every value goes in whole), dates Paradox dates; NULL is the empty field.

#include "base/Datum.h"
#include "db/TOracleDataSet.h"
#include "export/IzvozError.h"
#include "export/IzvozneTabele.h"

// pxlib's header declares C functions without saying so.
extern "C" {
#include <paradox.h>
}

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

namespace orv {

namespace {

constexpr int kNajdaljseBesedilo = 255; // an alpha field holds at most 255 bytes
constexpr size_t kDolzinaImena = 25;    // a field name has at most 25 characters

thread_local std::string tNapaka;

// The table is built in memory and written to its file in one go: pxlib reads back and seeks
// through the blocks it wrote for every record, which on a file costs a system call each time.
struct Pomnilnik {
    std::vector<char> bytes;
    size_t at = 0;
};

ssize_t beriPomnilnik(void* cookie, char* buffer, size_t size) {
    auto* m = static_cast<Pomnilnik*>(cookie);
    const size_t n = m->at >= m->bytes.size() ? 0 : std::min(size, m->bytes.size() - m->at);
    std::memcpy(buffer, m->bytes.data() + m->at, n);
    m->at += n;
    return static_cast<ssize_t>(n);
}

ssize_t pisiPomnilnik(void* cookie, const char* buffer, size_t size) {
    auto* m = static_cast<Pomnilnik*>(cookie);
    if (m->at + size > m->bytes.size()) m->bytes.resize(m->at + size);
    std::memcpy(m->bytes.data() + m->at, buffer, size);
    m->at += size;
    return static_cast<ssize_t>(size);
}

int isciPomnilnik(void* cookie, off64_t* offset, int whence) {
    auto* m = static_cast<Pomnilnik*>(cookie);
    const off64_t base = whence == SEEK_SET   ? 0
                         : whence == SEEK_CUR ? static_cast<off64_t>(m->at)
                                              : static_cast<off64_t>(m->bytes.size());
    if (base + *offset < 0) return -1;
    m->at = static_cast<size_t>(base + *offset);
    *offset = static_cast<off64_t>(m->at);
    return 0;
}

struct ZapriFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

void napaka(pxdoc_t*, int, const char* sporocilo, void*) {
    if (tNapaka.empty()) tNapaka = sporocilo ? sporocilo : "pxlib";
}

struct ZbrisiDokument {
    void operator()(pxdoc_t* doc) const {
        PX_close(doc);
        PX_delete(doc);
    }
};

struct PoljeParadox {
    char tip = pxfAlpha;
    int dolzina = 1;
};

PoljeParadox poljeZa(const StolpecIzvoza& stolpec, Opombe& opombe) {
    switch (stolpec.vrsta) {
    case FieldType::Float:
        return {pxfNumber, 8};
    case FieldType::Date:
        if (!stolpec.sCasom) return {pxfDate, 4};
        return {pxfTimestamp, 8};
    case FieldType::String:
        preveriSirino(stolpec, kNajdaljseBesedilo, "Paradox");
        return {pxfAlpha, std::max(1, std::min(std::max(stolpec.velikost, stolpec.najdaljsa),
                                               kNajdaljseBesedilo))};
    }
    static_cast<void>(opombe);
    return {};
}

// A Paradox date counts days from 1.1.0001, which is day 1.
int paradoxDay(const DateParts& p) {
    return static_cast<int>(PX_GregorianToSdn(p.year, p.month, p.day) - 1721425);
}

void preveri(VarnaDatoteka& datoteka) {
    if (tNapaka.empty()) return;
    const std::string sporocilo = tNapaka;
    tNapaka.clear();
    if (errno == ENOSPC || errno == EFBIG) throw IzvozError(datoteka.sporociloNapake(errno));
    throw IzvozError("Tabele Paradox \"" + datoteka.pot() + "\" ni mogoče zapisati: " + sporocilo +
                     "; nič ni bilo zapisano.");
}

} // namespace

void zapisiParadox(TOracleDataSet& dataset, const std::vector<StolpecIzvoza>& stolpci,
                   VarnaDatoteka& datoteka, const Napredek& napredek, Opombe& opombe) {
    std::vector<PoljeParadox> polja;
    for (const StolpecIzvoza& stolpec : stolpci)
        polja.push_back(poljeZa(stolpec, opombe));
    const std::vector<std::string> imena = imenaPolj(stolpci, kDolzinaImena, "Paradox", opombe);

    tNapaka.clear();
    Pomnilnik pomnilnik;
    std::unique_ptr<std::FILE, ZapriFile> memory(
        fopencookie(&pomnilnik, "w+", {beriPomnilnik, pisiPomnilnik, isciPomnilnik, nullptr}));
    if (!memory) throw IzvozError("Za tabelo Paradox ni dovolj pomnilnika.");
    std::FILE* file = memory.get();
    std::unique_ptr<pxdoc_t, ZbrisiDokument> doc(PX_new2(napaka, nullptr, nullptr, nullptr));
    if (!doc) throw IzvozError("pxlib ni na voljo.");
    // pxlib owns the field list and frees it with the document.
    auto* fields = static_cast<pxfield_t*>(
        doc->malloc(doc.get(), sizeof(pxfield_t) * std::max<size_t>(1, polja.size()), "fields"));
    for (size_t i = 0; i < polja.size(); ++i) {
        fields[i].px_fname = PX_strdup(doc.get(), imena[i].c_str());
        fields[i].px_ftype = polja[i].tip;
        fields[i].px_flen = polja[i].dolzina;
        fields[i].px_fdc = 0;
    }
    if (PX_create_fp(doc.get(), fields, static_cast<int>(polja.size()), file,
                     pxfFileTypNonIndexDB) < 0) {
        preveri(datoteka);
        throw IzvozError("Tabele Paradox \"" + datoteka.pot() + "\" ni mogoče ustvariti.");
    }
    PX_set_value(doc.get(), "codepage", 1250);
    PX_set_tablename(doc.get(), std::filesystem::path(datoteka.pot()).stem().string().c_str());
    preveri(datoteka);

    std::vector<char> record(static_cast<size_t>(PX_get_recordsize(doc.get())));
    int row = 0;
    for (dataset.First(); !dataset.Eof(); dataset.Next()) {
        std::fill(record.begin(), record.end(), 0);
        char* at = record.data();
        for (size_t i = 0; i < stolpci.size(); ++i) {
            Field field = dataset.Fields(stolpci[i].polje);
            const int length = polja[i].dolzina;
            if (!field.IsNull()) {
                switch (polja[i].tip) {
                case pxfNumber:
                    PX_put_data_double(doc.get(), at, length, field.AsFloat());
                    break;
                case pxfDate: {
                    const DateParts p = decodeDate(field.AsDateTime());
                    PX_put_data_long(doc.get(), at, length, paradoxDay(p));
                    break;
                }
                case pxfTimestamp: {
                    const DateParts p = decodeDate(field.AsDateTime());
                    const double seconds =
                        paradoxDay(p) * 86400.0 + p.hour * 3600 + p.minute * 60 + p.second;
                    PX_put_data_double(doc.get(), at, length, seconds * 1000.0);
                    break;
                }
                default: {
                    std::string text = besediloVCp1250(field.AsString(), opombe);
                    PX_put_data_alpha(doc.get(), at, length, text.data());
                    break;
                }
                }
            }
            at += length;
        }
        // At its position: pxlib would otherwise look for free space through every block.
        if (PX_put_recordn(doc.get(), record.data(), row) < 0) {
            preveri(datoteka);
            throw IzvozError("Vrstice " + std::to_string(row + 1) +
                             " ni mogoče zapisati v tabelo Paradox.");
        }
        ++row;
        if (napredek) napredek(row);
    }
    doc.reset(); // writes the header and the last block
    preveri(datoteka);
    std::fflush(file);
    datoteka.pisi(std::string_view(pomnilnik.bytes.data(), pomnilnik.bytes.size()));
    datoteka.zapri();
}

} // namespace orv
