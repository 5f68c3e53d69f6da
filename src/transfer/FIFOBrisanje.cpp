#include "transfer/FIFOBrisanje.h"

#include "base/SqlText.h"

#include <cmath>

namespace orv {

namespace {

std::string kljucSkupine(const std::string& konto, const std::string& pogodba,
                         const std::string& valuta) {
    // The separator cannot occur in the texts, so two different groups never share a key.
    std::string kljuc;
    kljuc.reserve(konto.size() + pogodba.size() + valuta.size() + 2);
    kljuc += konto;
    kljuc += '\x1f';
    kljuc += pogodba;
    kljuc += '\x1f';
    kljuc += valuta;
    return kljuc;
}

struct Prehod {
    const char* stolpecDatuma; // the date the pass orders by and deletes up to
    const char* prviDel;       // the select list
    const char* zadnjiDel;     // the ordering
};

constexpr Prehod kPrehod1{
    "pod_orvel.dat_otvoritve",
    "SELECT   p.znesek_val znesek_val, p.id_konto id_konto, p.id_valute id_valute, p.pogodba "
    "pogodba, p.dat_otvoritve dat_otvoritve ",
    " ORDER BY p.id_konto, p.pogodba, p.id_valute, p.dat_otvoritve "};

constexpr Prehod kPrehod2{
    "pod_orvel.dat_zapad",
    "SELECT   p.znesek_val znesek_val, p.id_konto id_konto, p.pogodba pogodba, p.id_valute "
    "id_valute, p.dat_zapad dat_otvoritve ",
    " ORDER BY p.id_konto, p.pogodba, p.id_valute, p.dat_zapad, p.dat_otvoritve "};

std::string izbira(const Prehod& prehod, const std::string& dan) {
    return std::string(prehod.prviDel) +
           "    FROM pod_orvel p, sifkont s, matrika m "
           "   WHERE m.ctrl = s.ctrl "
           "     AND m.vknt IN ('3', '4') "
           "     AND m.vprc = '3' "
           "     AND p.id_konto = s.oznaka "
           "     AND p.dat_stanje=" +
           sqlText(dan) + " " + prehod.zadnjiDel;
}

std::string brisanje(const Prehod& prehod, const VnosBrisanja& v, const std::string& dan) {
    return std::string("DELETE FROM pod_orvel ") + "      WHERE " + prehod.stolpecDatuma +
           " <= " + sqlText(v.datum) + " " + "       AND pod_orvel.id_konto=" + sqlText(v.konto) +
           " " + "       AND pod_orvel.pogodba=" + sqlText(v.pogodba) + " " +
           "       AND pod_orvel.id_valute=" + sqlText(v.valuta) + " " +
           "     AND pod_orvel.dat_stanje=" + sqlText(dan) + " " + " AND VKNT<>'D'  ";
}

std::vector<VrsticaFifo> preberiVrstice(TOracleDataSet& q) {
    std::vector<VrsticaFifo> vrstice;
    vrstice.reserve(static_cast<size_t>(q.RecordCount()));
    const Field datum = q.FieldByName("dat_otvoritve");
    const Field konto = q.FieldByName("id_konto");
    const Field valuta = q.FieldByName("id_valute");
    const Field pogodba = q.FieldByName("pogodba");
    const Field znesek = q.FieldByName("znesek_val");
    for (q.First(); !q.Eof(); q.Next())
        vrstice.push_back({konto.AsString(), pogodba.AsString(), valuta.AsString(),
                           datum.AsString(), znesek.AsFloat()});
    return vrstice;
}

void prehod(KontekstPrenosa& k, const Prehod& prehod) {
    TDM& dm = k.dm;
    const std::string& dan = k.obdobje.windowText;
    std::string sql = izbira(prehod, dan);
    SeznamBrisanja seznam;
    try {
        dm.OdpriPoizvedbo(dm.Qpod_orvel_fifo, sql, "fifo.SQL");
        seznam = FIFOSeznam(preberiVrstice(dm.Qpod_orvel_fifo));
    } catch (...) {
        k.okno.showMessage(sql);
        throw;
    }
    // Each deletion asks for a commit; inside a transfer the commit waits for the end of the
    // transfer, so an interrupted pass keeps nothing.
    for (const VnosBrisanja& vnos : seznam.vnosi()) {
        sql = brisanje(prehod, vnos, dan);
        try {
            dm.IzvediInPotrdi(sql);
        } catch (...) {
            k.okno.showMessage(sql);
            throw;
        }
    }
}

} // namespace

void SeznamBrisanja::zabelezi(const std::string& konto, const std::string& pogodba,
                              const std::string& valuta, const std::string& datum) {
    const auto [mesto, novo] =
        indeks_.try_emplace(kljucSkupine(konto, pogodba, valuta), vnosi_.size());
    if (novo)
        vnosi_.push_back({konto, pogodba, valuta, datum});
    else
        vnosi_[mesto->second].datum = datum;
}

void SeznamBrisanja::dodaj(const std::string& konto, const std::string& pogodba,
                           const std::string& valuta, const std::string& datum) {
    // The group's first entry stays the one that zabelezi finds.
    indeks_.try_emplace(kljucSkupine(konto, pogodba, valuta), vnosi_.size());
    vnosi_.push_back({konto, pogodba, valuta, datum});
}

SeznamBrisanja FIFOSeznam(const std::vector<VrsticaFifo>& vrstice) {
    SeznamBrisanja seznam;
    std::string konto, pogodba, valuta, datum; // of the previous row
    long double vsota = 0;
    for (const VrsticaFifo& v : vrstice) {
        const bool drugaSkupina = v.konto != konto || v.pogodba != pogodba || v.valuta != valuta;
        // A zero point: a new date (or group) begins while the group's sum so far is zero.
        if ((drugaSkupina || v.datum != datum) && !datum.empty() && std::fabs(vsota) <= 0.02L)
            seznam.zabelezi(konto, pogodba, valuta, datum);
        datum = v.datum;
        // A group starts with its own sum, and its first row is never a zero point by itself.
        if (drugaSkupina) {
            vsota = 0;
            datum.clear();
        }
        vsota += v.znesek;
        if (std::fabs(vsota) <= 0.02L) vsota = 0;
        konto = v.konto;
        pogodba = v.pogodba;
        valuta = v.valuta;
    }
    if (vsota == 0) seznam.dodaj(konto, pogodba, valuta, datum);
    return seznam;
}

void FIFOBrisanje1(KontekstPrenosa& k) {
    prehod(k, kPrehod1);
}

void FIFOBrisanje2(KontekstPrenosa& k) {
    prehod(k, kPrehod2);
}

} // namespace orv
