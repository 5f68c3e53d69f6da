#include "transfer/ZapisVrstice.h"

#include "base/Besedilo.h"
#include "db/DatabaseError.h"
#include "lookup/Rocnost.h"
#include "output/StolpciPodOrvel.h"

#include <cctype>
#include <cstdio>
#include <exception>
#include <unordered_map>

namespace orv {

namespace {

/// Sets the columns of the row being appended. The position of each column is found once per
/// result of Qpod_orvel and checked by name on every use, so a reopened dataset is found anew.
class Pisalec {
public:
    explicit Pisalec(TOracleDataSet& q) : q_(q) {}

    void tekst(const char* ime, const std::string& vrednost) { polje(ime).setAsString(vrednost); }
    void stevilo(const char* ime, double vrednost) { polje(ime).setAsFloat(vrednost); }
    void datum(const char* ime, DateValue vrednost) { polje(ime).setAsDateTime(vrednost); }
    void prazno(const char* ime) { polje(ime).setAsString(""); }

private:
    Field polje(const char* ime) {
        static std::unordered_map<std::string, int> indeksi;
        std::vector<FieldInfo>& polja = q_.fieldInfos();
        auto found = indeksi.find(ime);
        if (found == indeksi.end()) found = indeksi.find(toUpper(ime));
        if (found == indeksi.end() || found->second >= static_cast<int>(polja.size()) ||
            !equalIgnoringCase(polja[static_cast<size_t>(found->second)].name, ime)) {
            indeksi.clear();
            for (size_t i = polja.size(); i-- > 0;)
                indeksi[toUpper(polja[i].name)] = static_cast<int>(i);
            found = indeksi.find(toUpper(ime));
            if (found == indeksi.end())
                throw DatabaseError(q_.name() + ": Field '" + ime + "' not found");
        }
        return q_.Fields(found->second);
    }

    TOracleDataSet& q_;
};

/// The first two characters of a code written with "%2.2d" (105 gives "10", -3 gives "-3").
std::string dvemestnaKoda(int koda) {
    char text[16];
    std::snprintf(text, sizeof text, "%2.2d", koda);
    return std::string(text).substr(0, 2);
}

/// The days from one date text to another, or 0 when a date cannot be read.
double razlikaDni(const KontekstPrenosa& k, const std::string& od, const std::string& do_) {
    try {
        return k.datum(do_) - k.datum(od);
    } catch (const std::exception&) {
        return 0;
    }
}

struct MoznostiPisanja {
    bool razredC = false;
    std::string ivd;
    double breme = 0, dobro = 0;
};

/// The columns that take the output record as it stands, or a fixed value: every column of the
/// list whose writing is Clen, Nicla or Prazno.
void zapisiNavadneStolpce(Pisalec& p, const IzhodniZapis& z) {
    for (const StolpecPodOrvel& stolpec : stolpciPodOrvel()) {
        switch (stolpec.pisanje) {
        case Pisanje::Clen:
            if (const auto* tekst = std::get_if<std::string IzhodniZapis::*>(&stolpec.clen))
                p.tekst(stolpec.ime, z.**tekst);
            else
                p.stevilo(stolpec.ime, z.*std::get<double IzhodniZapis::*>(stolpec.clen));
            break;
        case Pisanje::Nicla:
            p.stevilo(stolpec.ime, 0);
            break;
        case Pisanje::Prazno:
            p.prazno(stolpec.ime);
            break;
        case Pisanje::Pogojno:
        case Pisanje::Uvoz:
            break;
        }
    }
}

/// Maturity: a date that cannot be read puts today's date in both columns.
void zapisiZapadlost(KontekstPrenosa& k, Pisalec& p, const MoznostiPisanja& m,
                     const std::string& vknt) {
    const IzhodniZapis& z = k.zapis;
    if (trim(z.DAT_ZAPAD).empty()) return;
    try {
        const DateValue zapad = k.datum(z.DAT_ZAPAD);
        p.datum("DAT_ZAPAD", zapad);
        const bool izVrednostnice = !m.razredC && (vknt == "2" || vknt == "9");
        p.datum("DAT_ZAPAD_POSLA", izVrednostnice ? k.izvor.ZPDVP() : zapad);
    } catch (const std::exception&) {
        p.datum("DAT_ZAPAD", today());
        p.datum("DAT_ZAPAD_POSLA", today());
    }
}

/// Entry and opening dates: failing the opening date, the reporting date (for classes 1 and F
/// the posting date).
void zapisiDatumeVpisa(KontekstPrenosa& k, Pisalec& p, const std::string& vknt) {
    const IzhodniZapis& z = k.zapis;
    try {
        p.datum("DAT_VPISA", k.datum(z.DAT_VPISA));
    } catch (const std::exception&) {
        p.datum("DAT_VPISA", today());
    }
    try {
        p.datum("DAT_OTVORITVE", k.datum(z.DAT_OTVORITVE));
        p.datum("ECB_112N", k.datum(z.ECB_112N));
    } catch (const std::exception&) {
        p.datum("DAT_OTVORITVE", k.obdobje.date);
        if (vknt == "1" || vknt == "F") p.datum("DAT_OTVORITVE", k.izvor.DATUMV());
    }
    p.datum("DAT_PRENOS", k.datum(z.DAT_PRENOS));
}

/// The initial term (from the opening date to the first maturity date) and the residual term
/// (from the reporting date to the maturity date) as two-character codes; "01" when unknown.
void zapisiRocnosti(KontekstPrenosa& k, Pisalec& p, const MoznostiPisanja& m) {
    const IzhodniZapis& z = k.zapis;
    std::string ecb14 = "01";
    const std::string prvotni = m.razredC ? k.izvor.tekst("ZPDVP") : z.DatZapadPrvotni;
    if (!trim(prvotni).empty()) {
        const double d = razlikaDni(k, z.DAT_OTVORITVE, prvotni);
        if (d > 0) ecb14 = dvemestnaKoda(EcbSifra14(k.dm, k.okno, d));
    }
    p.tekst("ECB_14", ecb14);
    std::string ecb15 = "01";
    if (!trim(z.DAT_ZAPAD).empty()) {
        const double d = razlikaDni(k, k.obdobje.windowText, z.DAT_ZAPAD);
        if (d > 0) ecb15 = dvemestnaKoda(EcbSifra15(k.dm, k.okno, d));
    }
    p.tekst("ECB_15", ecb15);
}

/// The columns of the new scheme, written only while "INT_NEW" is ticked. Several take the
/// record's field of the older column (ECB_19N takes ECB_19, ...).
void zapisiIntNew(KontekstPrenosa& k, Pisalec& p, const MoznostiPisanja& m,
                  const std::string& vknt) {
    const IzhodniZapis& z = k.zapis;
    p.tekst("ECB_48", z.ECB_48);
    p.tekst("ECB_101N", z.ECB_101N);
    p.tekst("ECB_14N", vknt == "6" ? std::string("13") : z.ECB_14N);
    if (vknt == "6")
        p.tekst("ECB_98N", "13");
    else
        p.tekst("ECB_98N", m.razredC ? std::string() : z.ECB_98N);
    p.tekst("ECB_15N", z.ECB_15N);
    p.tekst("ECB_39N", z.ECB_39N);
    p.tekst("ECB_16N", z.ECB_16N);
    p.tekst("ECB_17N", z.ECB_17N);
    p.tekst("ECB_18N", z.ECB_18N);
    p.tekst("ECB_19N", z.ECB_19);
    p.tekst("ECB_20N", z.ECB_20N);
    p.tekst("ECB_22N", z.ECB_22N);
    p.tekst("ECB_25N", z.ECB_25N);
    p.tekst("ECB_21N", z.ECB_21);
    p.tekst("ECB_24N", z.ECB_24N);
    p.tekst("ECB_26N", z.ECB_26);
    p.stevilo("ECB_29N", z.ECB_29N);
    if (z.ECB_31N != 0) p.stevilo("ECB_31N", z.ECB_31N);
    p.stevilo("ECB_33N", z.ECB_33);
    p.stevilo("ECB_34N", z.ECB_34);
    p.stevilo("ECB_35N", z.ECB_35);
    p.tekst("ECB_38N", z.ECB_38);
    p.tekst("ECB_48N", "3");
    p.tekst("ECB_43X", z.ECB_43X);
    p.tekst("ECB_116", z.ECB_116);
    p.stevilo("ECB_51", z.ECB_51);
    p.stevilo("ECB_52", z.ECB_52);
    p.tekst("ECB_53", z.ECB_53);
}

void zapisi(KontekstPrenosa& k, const MoznostiPisanja& m) {
    const IzhodniZapis& z = k.zapis;
    const std::string vknt = k.izvor.VKNT(); // the source row's class, not the field
    TOracleDataSet& q = k.dm.Qpod_orvel;
    Pisalec p(q);

    q.Append();
    try {
        zapisiNavadneStolpce(p, z);
        zapisiZapadlost(k, p, m, vknt);
        if (vknt == "1" || vknt == "F") p.stevilo("ZNESEK_SIT_PREV", z.ZNESEK_SIT_PREV);
        zapisiDatumeVpisa(k, p, vknt);
        zapisiRocnosti(k, p, m);
        if (k.moznosti.intNew) zapisiIntNew(k, p, m, vknt);
        if (m.razredC) {
            p.tekst("ECB_IVD", m.ivd);
            p.stevilo("BREME", m.breme);
            p.stevilo("DOBRO", m.dobro);
        }
        p.datum("ECB_126N", k.datum(z.DAT_OTVORITVE));
        p.datum("ECB_112N", k.datum(z.ECB_112N));
        if (!m.razredC) p.tekst("ECB_15N", z.ECB_15N);
        q.Post();
    } catch (...) {
        // The row that could not be posted is dropped, never half-written.
        q.Cancel();
        throw;
    }
}

} // namespace

void ZapisVrstice(KontekstPrenosa& k) {
    zapisi(k, {});
}

void ZapisVrsticeC(KontekstPrenosa& k, const std::string& ivd, double breme, double dobro) {
    zapisi(k, {true, ivd, breme, dobro});
}

} // namespace orv
