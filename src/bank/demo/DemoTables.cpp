#include "bank/demo/DemoTables.h"

namespace orv::demo {

// Each column list follows its struct's members, in order.
DemoTables::DemoTables(sqlite3* db)
    : sif_(db, "SIF", {"SSF", "SIF", "NZV", "KRT"}),
      ecbSifranti_(db, "ECB_SIFRANTI",
                   {"ECB_SEZNAM_ID", "ECB_SIFR_ID", "INTERVAL_OD", "INTERVAL_DO"}),
      iniset_(db, "INISET", {"KLJUC", "VREDNOST"}), vlt_(db, "VLT", {"SFVLT", "KRT", "IDBNK"}),
      vln_(db, "VLN", {"SFVLT", "SFVLN", "DAN", "TCJ"}),
      sfinx_(db, "SFINX", {"SFINX", "OBD", "NZV"}), inx_(db, "INX", {"SFINX", "DAN", "INX"}),
      fin_(db, "FIN", {"SFFIN", "NZV", "SFLST"}), trg_(db, "TRG", {"SFTRG", "SFTRZ"}),
      matrika_(db, "MATRIKA",
               {"CTRL", "VKNT", "VPRC", "GRUPIRAJ", "ECB_IVD_BREME", "ECB_IVD_DOBRO"}),
      sifkont_(db, "SIFKONT", {"CTRL", "OZNAKA", "AKTIVEN", "DEVIZEN", "AKT_PAS"}),
      org_(db, "ORG", {"SFORG", "KRT", "KNTORG"}),
      osb_(db, "OSB",
           {"SFOSB", "KRTBNK", "SFBON", "SEKTORIZACIJA", "SFKDL", "MTS", "SWIFT", "SFSOS", "SFDRZ",
            "DEJAVNOST", "NZV"}),
      pog_(db, "POG", {"IDPOG", "SFTPF", "SFOSB", "SFORG", "SFDJV", "BAN_TRG"}),
      sfvp_(db, "SFVP",
            {"SFVP",          "KRT",          "ZPDVP",           "VRSTA_REF_OM",    "ISIN",
             "SFVLP",         "SFVLTNMN",     "SFGLVENT",        "FIXOBR",          "SFODP",
             "DANODP",        "SFFIN",        "REFINXNZV",       "GLVNMN",          "KOTACIJA",
             "SPREM_SKUP_OM", "ZAJAMCENA_OM", "VRSTA_OBVEZNICE", "DAT_SPR_SKUP_OM", "VRSTA_SKLADA",
             "SFOSBIZD",      "JAMSTVO",      "ECB_ELIGIBLE_DN"}),
      kpn_(db, "KPN",
           {"SFVP", "SFKPN", "STKPN", "PRVDAN", "ZDNDAN", "PRVDANTRG", "ZDNDANTRG", "SFOBD",
            "SFINX", "REFOBM", "GLVOBR", "OBRPRC", "OBROBR", "GLV"}),
      tcn_(db, "TCN", {"SFVP", "DAN", "TCN"}),
      vphst_(db, "VPHST",
             {"DAN", "SFVP", "IDPOG", "IDVP", "DANNKP", "SFDJV", "SFSVP", "LOT", "IDDOGGEN",
              "GLVTCJNKP", "GLVTCJ", "GLVVLT", "OBRVLT", "REVVLT", "TCJVLT"}),
      vpshst_(db, "VPSHST", {"DAN", "IDPOG", "SFVP", "ZST"}), vpl_(db, "VPL", {"IDVPL", "ST"}),
      dog_(db, "DOG", {"IDDOG",    "IDPOG", "SFVP",    "IDVP",   "DAN",    "ZPD",      "SFPDG",
                       "SFDOG",    "SFVLT", "IDPSL",   "GLVTCJ", "STN",    "IDDOGSTO", "IDDOGGOT",
                       "IDDOGSTN", "IDVPL", "BREZSTO", "LOT",    "ZKR",    "DVK",      "TER",
                       "ZLZ",      "IDOBD", "SFTRG",   "GLVVLT", "OBRVLT", "SFKPN"}),
      doglnk_(db, "DOGLNK", {"IDDOGMASTER", "IDDOGDETAIL", "SFLNK"}),
      trgSlab_(db, "TRG_SLAB", {"IDDOGSLAB", "IDDOG"}),
      knjizbe_(db, "KNJIZBE",
               {"DATUMV", "DATUMK", "KONTO", "VALUTA", "IDPOG", "VP", "IDVP", "IDMASTER", "IDOBD",
                "BZNESEK", "DZNESEK", "BZNESEKSIT", "DZNESEKSIT", "DEJAVNOST", "OE"}),
      slabitev_(db, "skup.MSRP9_SLAB_34_E",
                {"DAT_STANJE", "IDVP", "IDPOG", "SFVP", "POGODBA", "ECB_133", "VRSTA_SLABITVE",
                 "ECB_42"}) {}

void DemoTables::write(const SifRow& r) {
    sif_.insert(r.ssf, r.sif, r.nzv, r.krt);
}
void DemoTables::write(const EcbSifrantRow& r) {
    ecbSifranti_.insert(r.ecb_seznam_id, r.ecb_sifr_id, r.interval_od, r.interval_do);
}
void DemoTables::write(const InisetRow& r) {
    iniset_.insert(r.kljuc, r.vrednost);
}
void DemoTables::write(const VltRow& r) {
    vlt_.insert(r.sfvlt, r.krt, r.idbnk);
}
void DemoTables::write(const VlnRow& r) {
    vln_.insert(r.sfvlt, r.sfvln, r.dan, r.tcj);
}
void DemoTables::write(const SfinxRow& r) {
    sfinx_.insert(r.sfinx, r.obd, r.nzv);
}
void DemoTables::write(const InxRow& r) {
    inx_.insert(r.sfinx, r.dan, r.inx);
}
void DemoTables::write(const FinRow& r) {
    fin_.insert(r.sffin, r.nzv, r.sflst);
}
void DemoTables::write(const TrgRow& r) {
    trg_.insert(r.sftrg, r.sftrz);
}
void DemoTables::write(const MatrikaRow& r) {
    matrika_.insert(r.ctrl, r.vknt, r.vprc, r.grupiraj, r.ecb_ivd_breme, r.ecb_ivd_dobro);
}
void DemoTables::write(const SifkontRow& r) {
    sifkont_.insert(r.ctrl, r.oznaka, r.aktiven, r.devizen, r.akt_pas);
}
void DemoTables::write(const OrgRow& r) {
    org_.insert(r.sforg, r.krt, r.kntorg);
}
void DemoTables::write(const OsbRow& r) {
    osb_.insert(r.sfosb, r.krtbnk, r.sfbon, r.sektorizacija, r.sfkdl, r.mts, r.swift, r.sfsos,
                r.sfdrz, r.dejavnost, r.nzv);
}
void DemoTables::write(const PogRow& r) {
    pog_.insert(r.idpog, r.sftpf, r.sfosb, r.sforg, r.sfdjv, r.ban_trg);
}
void DemoTables::write(const SfvpRow& r) {
    sfvp_.insert(r.sfvp, r.krt, r.zpdvp, r.vrsta_ref_om, r.isin, r.sfvlp, r.sfvltnmn, r.sfglvent,
                 r.fixobr, r.sfodp, r.danodp, r.sffin, r.refinxnzv, r.glvnmn, r.kotacija,
                 r.sprem_skup_om, r.zajamcena_om, r.vrsta_obveznice, r.dat_spr_skup_om,
                 r.vrsta_sklada, r.sfosbizd, r.jamstvo, r.ecb_eligible_dn);
}
void DemoTables::write(const KpnRow& r) {
    kpn_.insert(r.sfvp, r.sfkpn, r.stkpn, r.prvdan, r.zdndan, r.prvdantrg, r.zdndantrg, r.sfobd,
                r.sfinx, r.refobm, r.glvobr, r.obrprc, r.obrobr, r.glv);
}
void DemoTables::write(const TcnRow& r) {
    tcn_.insert(r.sfvp, r.dan, r.tcn);
}
void DemoTables::write(const VphstRow& r) {
    vphst_.insert(r.dan, r.sfvp, r.idpog, r.idvp, r.dannkp, r.sfdjv, r.sfsvp, r.lot, r.iddoggen,
                  r.glvtcjnkp, r.glvtcj, r.glvvlt, r.obrvlt, r.revvlt, r.tcjvlt);
}
void DemoTables::write(const VpshstRow& r) {
    vpshst_.insert(r.dan, r.idpog, r.sfvp, r.zst);
}
void DemoTables::write(const VplRow& r) {
    vpl_.insert(r.idvpl, r.st);
}
void DemoTables::write(const DogRow& r) {
    dog_.insert(r.iddog, r.idpog, r.sfvp, r.idvp, r.dan, r.zpd, r.sfpdg, r.sfdog, r.sfvlt, r.idpsl,
                r.glvtcj, r.stn, r.iddogsto, r.iddoggot, r.iddogstn, r.idvpl, r.brezsto, r.lot,
                r.zkr, r.dvk, r.ter, r.zlz, r.idobd, r.sftrg, r.glvvlt, r.obrvlt, r.sfkpn);
}
void DemoTables::write(const DoglnkRow& r) {
    doglnk_.insert(r.iddogmaster, r.iddogdetail, r.sflnk);
}
void DemoTables::write(const TrgSlabRow& r) {
    trgSlab_.insert(r.iddogslab, r.iddog);
}
void DemoTables::write(const KnjizbaRow& r) {
    knjizbe_.insert(r.datumv, r.datumk, r.konto, r.valuta, r.idpog, r.vp, r.idvp, r.idmaster,
                    r.idobd, r.bznesek, r.dznesek, r.bzneseksit, r.dzneseksit, r.dejavnost, r.oe);
}
void DemoTables::write(const SlabitevRow& r) {
    slabitev_.insert(r.dat_stanje, r.idvp, r.idpog, r.sfvp, r.pogodba, r.ecb_133, r.vrsta_slabitve,
                     r.ecb_42);
}

} // namespace orv::demo
