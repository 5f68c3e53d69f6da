#pragma once
// The rows the demo bank writes, one struct per table, named by the bank's own columns; and the
// prepared inserts that write them. A member left empty is written as NULL.

#include "bank/demo/Inserter.h"

#include <sqlite3.h>

namespace orv::demo {

struct SifRow {
    Txt ssf{}, sif{}, nzv{}, krt{};
};
struct EcbSifrantRow {
    Txt ecb_seznam_id{}, ecb_sifr_id{};
    Num interval_od{}, interval_do{};
};
struct InisetRow {
    Txt kljuc{}, vrednost{};
};
struct VltRow {
    Txt sfvlt{}, krt{}, idbnk{};
};
struct VlnRow {
    Txt sfvlt{}, sfvln{}, dan{};
    Num tcj{};
};
struct SfinxRow {
    Txt sfinx{};
    Int obd{};
    Txt nzv{};
};
struct InxRow {
    Txt sfinx{}, dan{};
    Num inx{};
};
struct FinRow {
    Txt sffin{}, nzv{}, sflst{};
};
struct TrgRow {
    Txt sftrg{}, sftrz{};
};
struct MatrikaRow {
    Int ctrl{};
    Txt vknt{}, vprc{}, grupiraj{}, ecb_ivd_breme{}, ecb_ivd_dobro{};
};
struct SifkontRow {
    Int ctrl{};
    Txt oznaka{}, aktiven{}, devizen{}, akt_pas{};
};
struct OrgRow {
    Int sforg{};
    Txt krt{}, kntorg{};
};
struct OsbRow {
    Int sfosb{};
    Txt krtbnk{}, sfbon{}, sektorizacija{}, sfkdl{}, mts{}, swift{}, sfsos{}, sfdrz{}, dejavnost{},
        nzv{};
};
struct PogRow {
    Int idpog{};
    Txt sftpf{};
    Int sfosb{}, sforg{};
    Txt sfdjv{}, ban_trg{};
};
struct SfvpRow {
    Int sfvp{};
    Txt krt{}, zpdvp{}, vrsta_ref_om{}, isin{}, sfvlp{}, sfvltnmn{}, sfglvent{};
    Num fixobr{};
    Txt sfodp{}, danodp{}, sffin{}, refinxnzv{};
    Num glvnmn{};
    Txt kotacija{}, sprem_skup_om{};
    Num zajamcena_om{};
    Txt vrsta_obveznice{}, dat_spr_skup_om{}, vrsta_sklada{};
    Int sfosbizd{};
    Txt jamstvo{}, ecb_eligible_dn{};
};
struct KpnRow {
    Int sfvp{};
    Txt sfkpn{};
    Int stkpn{};
    Txt prvdan{}, zdndan{}, prvdantrg{}, zdndantrg{};
    Int sfobd{};
    Txt sfinx{}, refobm{};
    Num glvobr{}, obrprc{}, obrobr{}, glv{};
};
struct TcnRow {
    Int sfvp{};
    Txt dan{};
    Num tcn{};
};
struct VphstRow {
    Txt dan{};
    Int sfvp{}, idpog{}, idvp{};
    Txt dannkp{}, sfdjv{}, sfsvp{};
    Num lot{};
    Int iddoggen{};
    Num glvtcjnkp{}, glvtcj{}, glvvlt{}, obrvlt{}, revvlt{}, tcjvlt{};
};
struct VpshstRow {
    Txt dan{};
    Int idpog{}, sfvp{};
    Num zst{};
};
struct VplRow {
    Int idvpl{};
    Txt st{};
};
struct DogRow {
    Int iddog{}, idpog{}, sfvp{}, idvp{};
    Txt dan{}, zpd{}, sfpdg{};
    Int sfdog{};
    Txt sfvlt{};
    Int idpsl{};
    Num glvtcj{};
    Txt stn{};
    Int iddogsto{}, iddoggot{}, iddogstn{}, idvpl{};
    Txt brezsto{};
    Num lot{}, zkr{}, dvk{}, ter{}, zlz{};
    Int idobd{};
    Txt sftrg{};
    Num glvvlt{}, obrvlt{};
    Txt sfkpn{};
};
struct DoglnkRow {
    Int iddogmaster{}, iddogdetail{};
    Txt sflnk{};
};
struct TrgSlabRow {
    Int iddogslab{}, iddog{};
};
struct KnjizbaRow {
    Txt datumv{}, datumk{};
    Int konto{};
    Txt valuta{};
    Int idpog{}, vp{}, idvp{}, idmaster{}, idobd{};
    Num bznesek{}, dznesek{}, bzneseksit{}, dzneseksit{};
    Txt dejavnost{};
    Int oe{};
};
struct SlabitevRow {
    Txt dat_stanje{};
    Int idvp{}, idpog{}, sfvp{};
    Txt pogodba{}, ecb_133{}, vrsta_slabitve{};
    Num ecb_42{};
};

/// The prepared inserts of every table the demo bank fills.
class DemoTables {
public:
    explicit DemoTables(sqlite3* db);

    void write(const SifRow& r);
    void write(const EcbSifrantRow& r);
    void write(const InisetRow& r);
    void write(const VltRow& r);
    void write(const VlnRow& r);
    void write(const SfinxRow& r);
    void write(const InxRow& r);
    void write(const FinRow& r);
    void write(const TrgRow& r);
    void write(const MatrikaRow& r);
    void write(const SifkontRow& r);
    void write(const OrgRow& r);
    void write(const OsbRow& r);
    void write(const PogRow& r);
    void write(const SfvpRow& r);
    void write(const KpnRow& r);
    void write(const TcnRow& r);
    void write(const VphstRow& r);
    void write(const VpshstRow& r);
    void write(const VplRow& r);
    void write(const DogRow& r);
    void write(const DoglnkRow& r);
    void write(const TrgSlabRow& r);
    void write(const KnjizbaRow& r);
    void write(const SlabitevRow& r);

private:
    Inserter sif_, ecbSifranti_, iniset_, vlt_, vln_, sfinx_, inx_, fin_, trg_, matrika_, sifkont_,
        org_, osb_, pog_, sfvp_, kpn_, tcn_, vphst_, vpshst_, vpl_, dog_, doglnk_, trgSlab_,
        knjizbe_, slabitev_;
};

} // namespace orv::demo
