#include "transfer/Prepis.h"

#include "base/SqlText.h"
#include "db/UnitOfWork.h"
#include "derive/PolniPodatke.h"
#include "derive/Pravila.h"
#include "lookup/Salda.h"
#include "transfer/BeriPodatke.h"
#include "transfer/FIFOBrisanje.h"
#include "transfer/PopravniStavki.h"
#include "transfer/ZapisVrstice.h"

namespace orv {

namespace {

using Ura = std::chrono::steady_clock;

double sekundOd(Ura::time_point zacetek) {
    return std::chrono::duration<double>(Ura::now() - zacetek).count();
}

/// Runs `body`; when it fails shows `sporocilo` and raises the same failure again.
template <typename Body> void sporociOb(Vmesnik& okno, const std::string& sporocilo, Body&& body) {
    try {
        body();
    } catch (...) {
        okno.showMessage(sporocilo);
        throw;
    }
}

/// The class restriction as the statements add it; empty for all classes.
std::string omejitevRazreda(const KontekstPrenosa& k) {
    if (k.moznosti.razred.empty()) return "";
    return " AND VKNT =" + sqlText(k.moznosti.razred) + "  ";
}

/// The rows of the date (and of the class restriction) stored now.
int vrsticDneva(KontekstPrenosa& k, const std::string& d) {
    const ResultSet stevilo = k.dm.OracleSession1.query(
        "SELECT COUNT(*) FROM POD_ORVEL WHERE DAT_STANJE=" + sqlText(d) + omejitevRazreda(k), {});
    // A server may hand the count over as a number of any kind, or as its text.
    return std::stoi(stevilo.rows.value(0, 0).toText());
}

/// Without the prior deletion the new rows go beside the rows the date holds; that doubles
/// them unless the operator means it. The window asks (Cancel being the default); headless the
/// answer is the --dodaj option.
bool dodajObstojecim(KontekstPrenosa& k, const std::string& d, int obstojecih) {
    if (obstojecih == 0 || k.moznosti.dodaj) return true;
    std::string vprasanje =
        "Za dan " + d + " je v tabeli POD_ORVEL že " + std::to_string(obstojecih) + " vrstic";
    if (!k.moznosti.razred.empty()) vprasanje += " razreda " + k.moznosti.razred;
    vprasanje += ". Predhodno brisanje ni izbrano, zato bodo nove vrstice dodane k njim in "
                 "vrstice se lahko podvojijo.\rDodam nove vrstice k obstoječim?";
    return k.okno.askQuestion(vprasanje);
}

void prejsnjeBrisanje(KontekstPrenosa& k, const std::string& d) {
    const std::string sql =
        "DELETE FROM POD_ORVEL WHERE DAT_STANJE='" + d + "' " + omejitevRazreda(k);
    sporociOb(k.okno, "Napaka pri brisanju v tabeli POD_ORVEL \r" + sql, [&] {
        k.dm.IzvediStavek(sql);
        k.dm.Qpod_orvel.Close();
        k.dm.OracleSession1.Commit();
    });
}

void pripraviIzhod(KontekstPrenosa& k, const std::string& d) {
    const std::string sql = std::string("SELECT POD_ORVEL.*, POD_ORVEL.ROWID FROM POD_ORVEL ") +
                            " WHERE DAT_STANJE='" + d + "' " + omejitevRazreda(k);
    sporociOb(k.okno, "Napaka v tabeli POD_ORVEL", [&] {
        k.dm.Qpod_orvel.Close();
        k.dm.Qpod_orvel.setSQL(sql);
        k.dm.Qpod_orvel.Open();
    });
}

/// Opens a statement on Qm; a failure shows the statement text and raises again.
void odpriQm(KontekstPrenosa& k, const std::string& sql) {
    sporociOb(k.okno, sql, [&] {
        k.dm.Qm.Close();
        k.dm.Qm.setSQL(sql);
        k.dm.Qm.Open();
    });
}

/// The extra rows of a class C account: its month's debit and credit turnover with the IVD codes
/// of the account's matrix row. Returns how many rows were written.
int vrsticeRazredaC(KontekstPrenosa& k) {
    const IzvornaVrstica& v = k.izvor;
    const std::string konto = std::to_string(celoIzBesedila(v.tekst("KKONTO")));
    const std::string idpog = std::to_string(celoIzBesedila(v.tekst("IDPOG")));
    TOracleDataSet& qm = k.dm.Qm;

    odpriQm(k, " select sifbreme.nzv ECB_IVD_BREME, sifdobro.nzv ECB_IVD_DOBRO FROM matrika "
               " left outer join sif sifbreme on (sifbreme.ssf='ECBIVD' and sifbreme.sif = "
               "matrika.ecb_ivd_breme)  "
               " left outer join sif sifdobro on (sifdobro.ssf='ECBIVD' and sifdobro.sif = "
               "matrika.ecb_ivd_dobro)  "
               " WHERE CTRL = " +
                   konto + " AND VKNT = 'C'  AND GRUPIRAJ = 'N' ");
    const std::string kodaBreme = qm.FieldByName("ECB_IVD_BREME").AsString();
    const std::string kodaDobro = qm.FieldByName("ECB_IVD_DOBRO").AsString();

    const std::string dan = sqlText(k.obdobje.windowText);
    std::string sql = " select SUM(bzneseksit) breme, sum(dzneseksit) dobro from knjizbe "
                      " WHERE  datumv > ADD_MONTHS(LAST_DAY(" +
                      dan + "), -1) " + " AND  datumv <= LAST_DAY(" + dan + ") " +
                      " AND konto = " + konto + " AND idpog = " + idpog + " AND idobd >= 0";
    if (v.DEJAVNOST() == "L") sql += " AND vp = " + sqlText(v.tekst("SFVP")) + " ";
    odpriQm(k, sql);
    const double breme = qm.FieldByName("BREME").AsFloat();
    const double dobro = qm.FieldByName("DOBRO").AsFloat();

    int zapisanih = 0;
    if (kodaBreme != kodaDobro) {
        if (breme != 0) {
            ZapisVrsticeC(k, kodaBreme, breme, 0);
            ++zapisanih;
        }
        if (dobro != 0) {
            ZapisVrsticeC(k, kodaDobro, 0, dobro);
            ++zapisanih;
        }
    } else if (breme != 0 || dobro != 0) {
        ZapisVrsticeC(k, kodaDobro, breme, dobro);
        ++zapisanih;
    }
    return zapisanih;
}

/// Keeps the session's query answers for as long as it lives, and turns them off however the
/// loop ends.
class OhranjeniOdgovori {
public:
    explicit OhranjeniOdgovori(Session& seja) : seja_(seja) { seja_.keepQueryResults(true); }
    ~OhranjeniOdgovori() { konec(); }
    OhranjeniOdgovori(const OhranjeniOdgovori&) = delete;
    OhranjeniOdgovori& operator=(const OhranjeniOdgovori&) = delete;

    void konec() { seja_.keepQueryResults(false); }

private:
    Session& seja_;
};

} // namespace

std::string RazredVknt(const std::string& vknt) {
    if (vknt == "1" || vknt == "2" || vknt == "F") return "E";
    if (vknt == "3" || vknt == "4" || vknt == "A" || vknt == "B" || vknt == "C") return "G";
    if (vknt == "7" || vknt == "8") return "I";
    if (vknt == "6") return "M";
    if (vknt == "9") return "O";
    return "E";
}

void PregledStanja(KontekstPrenosa& k, const std::string& dan) {
    const std::string sql =
        std::string("SELECT * FROM POD_ORVEL ") + " WHERE DAT_STANJE=" + sqlText(dan) + " ";
    sporociOb(k.okno, "Napaka v tabeli POD_ORVEL", [&] {
        k.dm.Qpod_orvel.Close();
        k.dm.Qpod_orvel.setSQL(sql);
        k.dm.Qpod_orvel.Open();
        k.okno.setLblStevec(std::to_string(k.dm.Qpod_orvel.RecordCount()));
    });
}

std::string opisStevilPrenosa(const IzidPrenosa& izid) {
    return "Izvornih vrstic: " + std::to_string(izid.skupaj) +
           ", zapisanih: " + std::to_string(izid.zapisanih) +
           ", odstranjenih s čiščenjem in popravki: " + std::to_string(izid.odstranjenih) +
           ", shranjenih: " + std::to_string(izid.shranjenih) +
           (izid.obstojecih > 0 && izid.shranjenih != izid.zapisanih - izid.odstranjenih
                ? " (z " + std::to_string(izid.obstojecih) + " vrsticami, ki so že bile shranjene)"
                : std::string());
}

IzidPrenosa Prepis(TDM& dm, Vmesnik& okno) {
    KontekstPrenosa k(dm, okno);
    return Prepis(k);
}

IzidPrenosa Prepis(KontekstPrenosa& k) {
    TDM& dm = k.dm;
    Vmesnik& okno = k.okno;
    IzidPrenosa izid;

    auto zacetek = Ura::now();
    BeriPodatke(dm, okno);
    izid.sekundIzvora = sekundOd(zacetek);

    okno.setLblSporociloVisible(true);
    okno.setLblSporocilo("Prepis podatkov ...");
    okno.processMessages();
    sporociOb(okno, "Napaka pri izvajanju :\r", [&] { izid.skupaj = dm.Q1.RecordCount(); });
    if (izid.skupaj == 0) {
        izid.niPodatkov = true;
        izid.sporocilo = "Za izbrani dan " + okno.eDanText() + " ni podatkov!";
        okno.showMessage(izid.sporocilo);
        return izid;
    }

    const std::string& dan = k.obdobje.dayText;
    k.zapis.DAT_STANJE = dan;
    // From here to the commit everything is one unit: a failure anywhere, the operator's stop
    // or a killed process leaves the rows of the date as they were before the run.
    UnitOfWork delo(dm.OracleSession1);
    sporociOb(okno, "Tabele POD_ORVEL ni mogoče zakleniti za pisanje: drug uporabnik jo spreminja.",
              [&] { delo.lockForWriting("POD_ORVEL"); });
    izid.obstojecih = vrsticDneva(k, dan);
    if (!k.moznosti.brisanje && !dodajObstojecim(k, dan, izid.obstojecih)) {
        izid.zavrnjeno = true;
        izid.sporocilo = "Prenos ni bil izveden: za dan " + dan + " je v tabeli POD_ORVEL že " +
                         std::to_string(izid.obstojecih) + " vrstic.";
        okno.setLblSporociloVisible(false);
        return izid;
    }
    if (k.moznosti.brisanje) prejsnjeBrisanje(k, k.zapis.DAT_STANJE);
    pripraviIzhod(k, k.zapis.DAT_STANJE);

    k.zapis.DAT_STANJE = dan;
    zacetek = Ura::now();
    const std::string skupaj = " / " + std::to_string(izid.skupaj);
    // The loop asks the bank's reference data the same questions for many rows; the session
    // keeps the answers until the loop ends (or a write could change them).
    OhranjeniOdgovori ohranjeni(dm.OracleSession1);
    for (dm.Q1.First(); !dm.Q1.Eof(); dm.Q1.Next()) {
        ++izid.obdelanih;
        okno.setLblSporocilo(std::to_string(izid.obdelanih) + skupaj);
        okno.processMessages();
        const std::string vknt = k.izvor.VKNT();
        PolniPodatke(k, RazredVknt(vknt));
        if (vknt == "3" || vknt == "4") {
            // A class 3 or 4 row is written only when its account carries a balance.
            const double saldo =
                Saldo34(dm, okno, k.izvor.tekst("KKONTO"), k.izvor.tekst("KVALUTA"));
            if (saldo != 0) {
                ZapisVrstice(k);
                ++izid.zapisanih;
            }
        } else {
            ZapisVrstice(k);
            ++izid.zapisanih;
            if (vknt == "C") izid.zapisanih += vrsticeRazredaC(k);
        }
    }
    izid.sekundZanke = sekundOd(zacetek);
    izid.odgovorovIzSeje = dm.OracleSession1.keptResultHits();
    ohranjeni.konec();
    okno.processMessages();
    dm.OracleSession1.Commit(); // held by the unit of work: the rows wait for its end
    const int predCiscenjem = vrsticDneva(k, dan);

    zacetek = Ura::now();
    okno.setLblSporocilo("Brisanje nultih podatkov ...");
    okno.processMessages();
    if (k.moznosti.fifo) {
        FIFOBrisanje1(k);
        FIFOBrisanje2(k);
    }
    const std::string d = k.zapis.DAT_STANJE; // the statements after the loop use the field
    IzvediPopravke(k, d);
    izid.shranjenih = vrsticDneva(k, dan);
    izid.odstranjenih = predCiscenjem - izid.shranjenih;
    okno.processMessages(); // the operator's last chance to stop it
    delo.commit();
    izid.sekundCiscenja = sekundOd(zacetek);

    okno.setLblSporocilo("Branje podatkov v grid  ...");
    okno.processMessages();
    PregledStanja(k, d);
    izid.sporocilo =
        "Prepis končan: " + std::to_string(izid.zapisanih) + "  / " + std::to_string(izid.skupaj);
    okno.showMessage(izid.sporocilo);
    okno.setLblSporociloVisible(false);
    okno.setLblSporocilo2("");
    return izid;
}

} // namespace orv
