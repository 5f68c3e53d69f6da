#include "transfer/PopravniStavki.h"

namespace orv {

namespace {

// The contract-prefix condition of K1 and K2.
const std::string P = " AND (   p.pogodba LIKE '62374%'  "
                      "    OR p.pogodba LIKE '62336%'   "
                      "    OR p.pogodba LIKE '60392%'   "
                      "    OR p.pogodba LIKE '60395%'   "
                      "    OR p.pogodba LIKE '60394%'   "
                      "    OR p.pogodba LIKE '60393%'   "
                      "    OR p.pogodba LIKE '60390%'  "
                      "    OR p.pogodba LIKE '60391%'  "
                      "   )  ";

// The account condition of K1 and K2: accounts of classes other than 1, F, 6, B, C.
const std::string A = "  AND p.id_konto in (  "
                      "  SELECT OZNAKA FROM SIFKONT WHERE ctrl IN (  "
                      "  SELECT ctrl from matrika where matrika.vknt NOT IN ('1', 'F', '6', 'B', "
                      "'C')))  ";

// Average balance of near-zero rows of the prefixed contracts from the contract's other rows.
std::string k1(const std::string& d) {
    return " UPDATE pod_orvel p "
           " SET povpr_stanje = "
           "    (SELECT MAX (povpr_stanje)  "
           "         FROM pod_orvel  "
           "        WHERE pod_orvel.dat_stanje = '" +
           d + "'  " +
           "          AND p.pogodba = pod_orvel.pogodba  "
           "          AND (   pod_orvel.pogodba LIKE '62374%'  "
           "               OR pod_orvel.pogodba LIKE '62336%'   "
           "               OR pod_orvel.pogodba LIKE '60392%'  "
           "               OR pod_orvel.pogodba LIKE '60395%'  "
           "               OR pod_orvel.pogodba LIKE '60394%'  "
           "               OR pod_orvel.pogodba LIKE '60393%'  "
           "               OR pod_orvel.pogodba LIKE '60390%'  "
           "               OR pod_orvel.pogodba LIKE '60391%'  "
           "              ))   "
           " WHERE dat_stanje = '" +
           d + "'    " + " AND ABS (povpr_stanje) <= 0.01   " + P + A;
}

// No average balance on empty class 3 and 4 rows of the prefixed contracts.
std::string k2(const std::string& d) {
    return " UPDATE pod_orvel p "
           " SET povpr_stanje = 0"
           " WHERE dat_stanje = '" +
           d + "'    " + P + " AND p.znesek_val = 0 and p.ecb_51 = 0 " +
           " AND p.vknt IN ('3', '4') " + A;
}

// ECB_39N of the contract's rows on classes 1, F, B, C for its rows on the other classes.
std::string k3(const std::string& d) {
    return " UPDATE pod_orvel p "
           " SET "
           " ECB_39N = "
           "    (SELECT MAX (ECB_39N)  "
           "         FROM pod_orvel  "
           "        WHERE pod_orvel.dat_stanje = '" +
           d + "'  " +
           "          AND p.pogodba = pod_orvel.pogodba  "
           "          AND pod_orvel.id_konto IN (  "
           "                    SELECT OZNAKA FROM SIFKONT WHERE ctrl IN ( "
           "                        SELECT ctrl from matrika where matrika.vknt IN "
           "('1','F','B', 'C')   "
           "                                                              )  "
           "                                        ) "
           "     )  "
           " WHERE dat_stanje = '" +
           d + "'    " +
           "  AND p.id_konto in (  "
           "  SELECT OZNAKA FROM SIFKONT WHERE ctrl IN (  "
           "  SELECT ctrl from matrika where matrika.vknt NOT IN ('1','F','B', 'C'))   )  ";
}

// The purpose of the contract's other rows for rows of four prefixes that have none.
std::string k4(const std::string& d) {
    return "UPDATE POD_ORVEL P "
           " SET NAMEN_POSLA = "
           " ( "
           "   SELECT MAX(NAMEN_POSLA) FROM POD_ORVEL WHERE DAT_STANJE='" +
           d + "' " +
           "        AND   P.POGODBA=POGODBA  "
           "        AND (POGODBA LIKE '60390%' OR POGODBA LIKE '60391%' OR POGODBA LIKE "
           "'64415%' OR POGODBA LIKE '64416%') "
           " ) "
           " WHERE DAT_STANJE='" +
           d + "' " +
           " AND NAMEN_POSLA IS NULL "
           " AND (POGODBA LIKE '60390%' OR POGODBA LIKE '60391%' OR POGODBA LIKE '64415%' OR "
           "POGODBA LIKE '64416%') ";
}

// Every row still without a purpose gets "208".
std::string k5(const std::string& d) {
    return "UPDATE POD_ORVEL  "
           " SET NAMEN_POSLA = '208' "
           " WHERE DAT_STANJE='" +
           d + "' " + " AND NAMEN_POSLA IS NULL ";
}

// Grouped class B and C rows take the grades of the counterparty's other rows.
std::string k6(const std::string& d) {
    return " update pod_orvel p "
           " set boniteta_mrs=(select max(boniteta_mrs) from pod_orvel p1 "
           "           where p1.dat_stanje = '" +
           d + "' and " +
           "           p1.id_konto in (select oznaka from sifkont where ctrl in (select ctrl "
           "from matrika where vknt<>'B' and vknt<>'C' and vknt<>'3')) and "
           "           p.id_kom=p1.id_kom), "
           "           id_boniteta =(select max(id_boniteta) from pod_orvel p1 "
           "                 where p1.dat_stanje = '" +
           d + "' and " +
           "                 p1.id_konto in (select oznaka from sifkont where ctrl in (select "
           "ctrl from matrika where vknt<>'B' and vknt<>'C' and vknt<>'3')) and "
           "                 p.id_kom=p1.id_kom), "
           "           ecb_42      =(select max(ecb_42) from pod_orvel p1 "
           "                  where p1.dat_stanje = '" +
           d + "' and " +
           "                    p1.id_konto in (select oznaka from sifkont where ctrl in (select "
           "ctrl from matrika where vknt<>'B'  and vknt<>'C' and vknt<>'3')) and  "
           "                    p.id_kom=p1.id_kom) "
           " where p.dat_stanje = '" +
           d + "' and " +
           "  p.id_konto in (select oznaka from sifkont where ctrl in (select ctrl from matrika "
           "where ((vknt='B') or (vknt='C')) and grupiraj='D')) ";
}

// Empty rows without an IVD code that are due or have no maturity.
std::string k7(const std::string& d) {
    return "DELETE FROM POD_ORVEL  "
           " WHERE DAT_STANJE='" +
           d + "' " +
           "  and ecb_ivd is null "
           " AND abs(znesek_val)<=0.01 "
           " AND abs(ecb_51)<=0.01 "
           " AND (DAT_ZAPAD<='" +
           d + "' " +
           "    OR DAT_ZAPAD IS NULL  ) "
           " AND VKNT<>'D'  "
           " AND ECB_111N=0 ";
}

// Rows without an IVD code whose amount, average balance and ECB_51 are all near zero.
std::string k8(const std::string& d) {
    return "DELETE FROM pod_orvel "
           " WHERE ZNESEK_VAL <= 1/100 AND ZNESEK_VAL >= -1/100"
           " AND POVPR_STANJE <= 1/100 AND POVPR_STANJE >= -1/100"
           " AND ECB_51 <= 1/100 AND ECB_51 >= -1/100"
           "  and ecb_ivd is null "
           " AND VKNT<>'D'  "
           "  AND dat_stanje = '" +
           d + "'  ";
}

// On class 6, ECB_51 stays on one row per account, contract and currency.
std::string k9(const std::string& d) {
    return " UPDATE pod_orvel "
           " SET ecb_51 = 0 "
           "  WHERE ROWID NOT IN (  "
           "       SELECT   MAX (p.ROWID)  "
           "           FROM pod_orvel p, sifkont s, matrika m  "
           "          WHERE m.vknt = '6'  "
           "            AND m.ctrl = s.ctrl  "
           "            AND s.oznaka = p.id_konto  "
           "            AND dat_stanje = '" +
           d + "'  " +
           "       GROUP BY id_konto, pogodba, id_valute)   "
           " AND dat_stanje = '" +
           d + "'  " +
           " AND id_konto IN (SELECT oznaka  "
           "                   FROM sifkont  "
           "                  WHERE ctrl IN (SELECT ctrl   "
           "                                   FROM matrika   "
           "                                  WHERE vknt = '6'))   ";
}

// Class C rows with an IVD code carry no other amounts.
std::string k10(const std::string& d) {
    return " UPDATE pod_orvel "
           " SET ecb_51 = 0 "
           ", ECB_29 = 0 "
           ", ECB_29N = 0 "
           ", ZNESEK_VAL = 0 "
           ", ZNESEK_SIT = 0 "
           ", ECB_41 = 0 "
           ", ZNESEK_SIT_PREV = 0 "
           "  WHERE VKNT='C' "
           "  AND dat_stanje = '" +
           d + "'  " + "  and ecb_ivd is not null ";
}

// Every class 6 row gets ECB_14N "13".
std::string k11(const std::string& d) {
    return " UPDATE pod_orvel "
           " SET ECB_14N = '13' "
           "  WHERE VKNT='6' "
           "  AND dat_stanje = '" +
           d + "'  ";
}

constexpr const char* kUpdate = "Napaka pri update POD_ORVEL \r";

const std::array<PopravniStavek, 11> kStavki{{
    {"K1", k1, Izvajanje::Stavek, kUpdate},
    {"K2", k2, Izvajanje::Stavek, kUpdate},
    {"K3", k3, Izvajanje::Stavek, "Napaka pri update dat_zapad_posla v POD_ORVEL \r"},
    {"K4", k4, Izvajanje::Stavek, kUpdate},
    {"K5", k5, Izvajanje::Stavek, kUpdate},
    {"K6", k6, Izvajanje::Stavek, "Napaka 4 pri update POD_ORVEL \r"},
    {"K7", k7, Izvajanje::StavekInPotrdi, "Napaka pri DELETE FROM POD_ORVEL \r"},
    {"K8", k8, Izvajanje::IzvediInPotrdi, nullptr},
    {"K9", k9, Izvajanje::IzvediInPotrdi, nullptr},
    {"K10", k10, Izvajanje::IzvediInPotrdi, nullptr},
    {"K11", k11, Izvajanje::IzvediInPotrdi, nullptr},
}};

} // namespace

const std::array<PopravniStavek, 11>& popravniStavki() {
    return kStavki;
}

void IzvediPopravke(KontekstPrenosa& k, const std::string& dan) {
    for (const PopravniStavek& stavek : kStavki) {
        const std::string sql = stavek.besedilo(dan);
        try {
            switch (stavek.izvajanje) {
            case Izvajanje::Stavek:
                k.dm.IzvediStavek(sql);
                break;
            case Izvajanje::StavekInPotrdi:
                k.dm.IzvediStavek(sql);
                k.dm.OracleSession1.Commit();
                break;
            case Izvajanje::IzvediInPotrdi:
                k.dm.IzvediInPotrdi(sql);
                break;
            }
        } catch (...) {
            k.okno.showMessage(stavek.predpona ? std::string(stavek.predpona) + sql : sql);
            throw;
        }
    }
}

} // namespace orv
