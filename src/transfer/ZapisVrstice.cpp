#include "transfer/ZapisVrstice.h"

#include "base/Besedilo.h"
#include "db/DatabaseError.h"
#include "lookup/Rocnost.h"

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

void zapisi(KontekstPrenosa& k, const MoznostiPisanja& m) {
    const IzhodniZapis& z = k.zapis;
    const std::string vknt = k.izvor.VKNT(); // the source row's class, not the field
    TOracleDataSet& q = k.dm.Qpod_orvel;
    Pisalec p(q);

    q.Append();
    try {
        p.tekst("ORGEN", z.ORGEN);
        p.tekst("ID_KOM", z.ID_KOM);
        p.tekst("ID_BONITETA", z.ID_BONITETA);
        p.tekst("POGODBA", z.POGODBA);
        p.tekst("ZAVAROVANJE", z.ZAVAROVANJE);
        // Maturity: a date that cannot be read puts today's date in both columns.
        if (!trim(z.DAT_ZAPAD).empty()) {
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
        p.tekst("ID_KONTO", z.ID_KONTO);
        p.tekst("ID_VALUTE", z.ID_VALUTE);
        p.stevilo("ZNESEK_VAL", z.ZNESEK_VAL);
        p.stevilo("ZNESEK_SIT", z.ZNESEK_SIT);
        if (vknt == "1" || vknt == "F") p.stevilo("ZNESEK_SIT_PREV", z.ZNESEK_SIT_PREV);
        p.tekst("TIP_OBRM", z.TIP_OBRM);
        p.tekst("REVAL_DML", z.REVAL_DML);
        p.stevilo("REVAL_OBRM", z.REVAL_OBRM);
        p.tekst("REAL_DML", z.REAL_DML);
        p.stevilo("REAL_OBRM", z.REAL_OBRM);
        p.tekst("DAT_STANJE", z.DAT_STANJE);
        p.tekst("ID_SM", z.ID_SM);
        p.tekst("ID_APLI", z.ID_APLI);
        p.tekst("OPOMBA", z.OPOMBA);
        p.tekst("ID_REFE", z.ID_REFE);
        try {
            p.datum("DAT_VPISA", k.datum(z.DAT_VPISA));
        } catch (const std::exception&) {
            p.datum("DAT_VPISA", today());
        }
        // Opening date: failing that, the reporting date (for classes 1 and F the posting date).
        try {
            p.datum("DAT_OTVORITVE", k.datum(z.DAT_OTVORITVE));
            p.datum("ECB_112N", k.datum(z.ECB_112N));
        } catch (const std::exception&) {
            p.datum("DAT_OTVORITVE", k.obdobje.date);
            if (vknt == "1" || vknt == "F") p.datum("DAT_OTVORITVE", k.izvor.DATUMV());
        }
        p.tekst("ID_STOR", z.ID_STOR);
        p.datum("DAT_PRENOS", k.datum(z.DAT_PRENOS));

        // Initial term: from the opening date to the first maturity date.
        std::string ecb14 = "01";
        const std::string prvotni = m.razredC ? k.izvor.tekst("ZPDVP") : z.DatZapadPrvotni;
        if (!trim(prvotni).empty()) {
            const double d = razlikaDni(k, z.DAT_OTVORITVE, prvotni);
            if (d > 0) ecb14 = dvemestnaKoda(EcbSifra14(k.dm, k.okno, d));
        }
        p.tekst("ECB_14", ecb14);
        // Residual term: from the reporting date to the maturity date.
        std::string ecb15 = "01";
        if (!trim(z.DAT_ZAPAD).empty()) {
            const double d = razlikaDni(k, k.obdobje.windowText, z.DAT_ZAPAD);
            if (d > 0) ecb15 = dvemestnaKoda(EcbSifra15(k.dm, k.okno, d));
        }
        p.tekst("ECB_15", ecb15);

        p.tekst("ECB_16", z.ECB_16);
        p.tekst("ECB_17", z.ECB_17);
        p.tekst("ECB_19", z.ECB_19);
        p.tekst("ECB_20", z.ECB_20);
        p.tekst("ECB_21", z.ECB_21);
        p.tekst("ECB_22", z.ECB_22);
        p.tekst("ECB_23", z.ECB_23);
        p.tekst("ECB_24", z.ECB_24);
        p.tekst("ECB_25", z.ECB_25);
        p.tekst("ECB_26", z.ECB_26);
        p.tekst("ECB_27", z.ECB_27);
        p.stevilo("ECB_29", z.ECB_29);
        p.stevilo("ECB_30", z.ECB_30);
        p.stevilo("ECB_31", z.ECB_31);
        p.stevilo("ECB_32", z.ECB_32);
        p.stevilo("ECB_33", z.ECB_33);
        p.stevilo("ECB_34", z.ECB_34);
        p.stevilo("ECB_35", z.ECB_35);
        p.stevilo("ECB_36", z.ECB_36);
        p.tekst("VRI_1", z.VRI_1);
        p.tekst("VRI_2", z.VRI_2);
        p.prazno("VRSTA_OBRM");
        p.stevilo("REF_OBRM", 0);
        p.stevilo("ZAM_OBRM", 0);
        p.stevilo("SOM_OP", 0);
        p.stevilo("ST_KAP", 0);
        p.tekst("ECB_38", z.ECB_38);
        p.tekst("ECB_39", z.ECB_39);
        p.tekst("ECB_40", z.ECB_40);
        p.stevilo("ECB_41", z.ECB_41);
        p.stevilo("ECB_42", z.ECB_42);
        p.stevilo("ECB_43", 0);
        p.prazno("ECB_44");
        p.tekst("ECB_14N", z.ECB_14N);

        if (k.moznosti.intNew) {
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

        p.tekst("BONITETA_ECB", z.BONITETA_ECB);
        p.tekst("BONITETA_MRS", z.BONITETA_MRS);
        p.prazno("ID_REFE_POP");
        p.prazno("VRSTA_POSLA");
        p.stevilo("POVPR_STANJE", z.POVPR_STANJE);
        p.tekst("NAMEN_POSLA", z.NAMEN_POSLA);
        p.tekst("VKNT", z.VKNT);
        if (m.razredC) {
            p.tekst("NACIN_OBR", z.NACIN_OBR);
            p.tekst("ECB_IVD", m.ivd);
            p.stevilo("BREME", m.breme);
            p.stevilo("DOBRO", m.dobro);
        }
        p.stevilo("ECB_88N", z.ECB_88N);
        p.stevilo("ECB_88Z", z.ECB_88Z);
        p.tekst("ECB_121N", z.ECB_121N);
        p.tekst("ECB_109N", z.ECB_109N);
        p.tekst("ECB_110N", z.ECB_110N);
        p.stevilo("ECB_111N", z.ECB_111N);
        p.datum("ECB_126N", k.datum(z.DAT_OTVORITVE));
        p.datum("ECB_112N", k.datum(z.ECB_112N));
        p.tekst("ECB_115N", z.ECB_115N);
        p.stevilo("ECB_130N", z.ECB_130N);
        p.stevilo("ECB_130P", z.ECB_130P);
        p.stevilo("ECB_500N", z.ECB_500N);
        p.tekst("POS_DOB", z.POS_DOB);
        p.prazno("RAZLOG_IZPOSDOB");
        p.stevilo("ECB_14N_DNI", z.ECB_14N_DNI);
        p.stevilo("ECB_15N_DNI", z.ECB_15N_DNI);
        p.tekst("ECB_PRIMERNOST", z.ECB_PRIMERNOST);
        p.tekst("ECB_100N", z.ECB_100N);
        p.tekst("ECB_133", z.ECB_133);
        p.tekst("ECB_134N", z.ECB_134N);
        p.stevilo("ECB_89N", z.ECB_89N);
        p.tekst("DEL_CEL_ODPIS", z.DEL_CEL_ODPIS);
        p.stevilo("ZNESEK_ODPIS_AKUM", z.ZNESEK_ODPIS_AKUM);
        p.tekst("VRSTA_SLABITVE", z.VRSTA_SLABITVE);
        p.tekst("KATEG_MER", z.KATEG_MER);
        p.stevilo("EOM", z.EOM);
        p.tekst("NACIN_SPREM_POSLA", z.NACIN_SPREM_POSLA);
        p.stevilo("ECB_42_ZB", z.ECB_42_ZB);
        p.tekst("ECB_136N", z.ECB_136N);
        p.tekst("ECB_137N", z.ECB_137N);
        p.tekst("ECB_138N", z.ECB_138N);
        p.tekst("ECB_139N", z.ECB_139N);
        p.tekst("ECB_140N", z.ECB_140N);
        p.tekst("ECB_141N", z.ECB_141N);
        p.tekst("ECB_142N", z.ECB_142N);
        p.tekst("ECB_144N", z.ECB_144N);
        p.tekst("ECB_145N", z.ECB_145N);
        p.tekst("ECB_146N", z.ECB_146N);
        p.tekst("ECB_147N", z.ECB_147N);
        p.tekst("ECB_148N", z.ECB_148N);
        p.tekst("ECB_149N", z.ECB_149N);
        p.stevilo("ECB_150N", z.ECB_150N);
        p.tekst("ECB_151N", z.ECB_151N);
        p.tekst("ECB_156N", z.ECB_156N);
        p.stevilo("ECB_502N", z.ECB_502N);
        p.tekst("SIFRA_ZAVA", z.SIFRA_ZAVA);
        p.stevilo("ECB_164N", z.ECB_164N);
        if (!m.razredC) {
            p.tekst("NACIN_OBR", z.NACIN_OBR);
            p.tekst("ECB_15N", z.ECB_15N);
        }
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
