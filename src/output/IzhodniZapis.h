#pragma once
// The output record: one field per POD_ORVEL column that the writers fill, plus DatZapadPrvotni.
// One record serves the whole transfer; the derivation assigns its fields row by row and never
// clears it, so a field that no step assigns for a row keeps the value of an earlier row. The
// writers only read it.

#include <string>

namespace orv {

struct IzhodniZapis {
    // --- Identifiers, contract and grades ----------------------------------------------------
    std::string ORGEN, ID_KOM, ID_BONITETA, POGODBA, ZAVAROVANJE;
    std::string ID_KONTO, ID_VALUTE, VKNT;
    std::string BONITETA_ECB, BONITETA_MRS;

    // --- Dates, held as date texts (dd.mm.yyyy); the writer turns them into dates -----------
    std::string DAT_ZAPAD, DAT_OTVORITVE, DAT_VPISA, DAT_PRENOS, ECB_112N;
    /// The maturity date from which the plain writer measures the initial term (ECB_14); it
    /// has no column of its own.
    std::string DatZapadPrvotni;
    /// The reporting date of the rows, dd.mm.yyyy: the key of the rows of one date.
    std::string DAT_STANJE;

    // --- Amounts ------------------------------------------------------------------------------
    double ZNESEK_VAL = 0, ZNESEK_SIT = 0, ZNESEK_SIT_PREV = 0;
    double REVAL_OBRM = 0, REAL_OBRM = 0;
    double POVPR_STANJE = 0;

    // --- Bookkeeping texts --------------------------------------------------------------------
    std::string TIP_OBRM, NACIN_OBR, REVAL_DML, REAL_DML;
    std::string ID_SM, ID_APLI, OPOMBA, ID_REFE, ID_STOR, NAMEN_POSLA;

    // --- The ECB code columns -----------------------------------------------------------------
    /// The interim residual-term code that the derivation computes; the writer writes its own.
    std::string ECB_15;
    std::string ECB_16, ECB_17, ECB_19, ECB_20, ECB_21, ECB_22, ECB_23, ECB_24, ECB_25, ECB_26,
        ECB_27;
    double ECB_29 = 0, ECB_30 = 0, ECB_31 = 0, ECB_32 = 0, ECB_33 = 0, ECB_34 = 0, ECB_35 = 0,
           ECB_36 = 0;
    std::string VRI_1, VRI_2, ECB_38, ECB_39, ECB_40;
    double ECB_41 = 0, ECB_42 = 0;
    std::string ECB_14N, ECB_48, ECB_101N, ECB_98N, ECB_15N, ECB_39N, ECB_16N, ECB_17N, ECB_18N,
        ECB_20N, ECB_22N, ECB_25N, ECB_24N;
    double ECB_29N = 0, ECB_31N = 0;
    std::string ECB_43X, ECB_116;
    double ECB_51 = 0, ECB_52 = 0;
    std::string ECB_53;

    // --- Columns of the later additions -------------------------------------------------------
    double ECB_88N = 0, ECB_88Z = 0;
    std::string ECB_121N, ECB_109N, ECB_110N;
    double ECB_111N = 0;
    std::string ECB_115N;
    double ECB_130N = 0, ECB_130P = 0, ECB_500N = 0;
    std::string POS_DOB;
    double ECB_14N_DNI = 0, ECB_15N_DNI = 0;
    std::string ECB_PRIMERNOST, ECB_100N, ECB_133, ECB_134N;
    double ECB_89N = 0;
    std::string DEL_CEL_ODPIS;
    double ZNESEK_ODPIS_AKUM = 0;
    std::string VRSTA_SLABITVE, KATEG_MER;
    double EOM = 0;
    std::string NACIN_SPREM_POSLA;
    double ECB_42_ZB = 0;
    std::string ECB_136N, ECB_137N, ECB_138N, ECB_139N, ECB_140N, ECB_141N, ECB_142N, ECB_144N,
        ECB_145N, ECB_146N, ECB_147N, ECB_148N, ECB_149N;
    double ECB_150N = 0;
    std::string ECB_151N, ECB_156N;
    double ECB_502N = 0;
    std::string SIFRA_ZAVA;
    double ECB_164N = 0;
};

} // namespace orv
