#pragma once
// The source row: the current record of Q1 after BeriPodatke, read by column name,
// case-insensitively. Columns 59 and 76 share the name VRSTA_OBVEZNICE; the name reads column 59.
// The position of each name is looked up once per result, not on every read: a row is read
// several dozen times.

#include "base/Besedilo.h"
#include "base/Datum.h"
#include "db/TOracleDataSet.h"

#include <cctype>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orv {

class IzvornaVrstica {
public:
    explicit IzvornaVrstica(TOracleDataSet& q1) : q1_(&q1) {}

    /// The column by name; throws DatabaseError when the result has no such column.
    Field polje(std::string_view ime) const {
        const int index = indeks(ime);
        return index < 0 ? q1_->FieldByName(ime) : q1_->Fields(index);
    }
    /// NULL, and every column when Q1 has no rows, reads as empty text or 0.
    std::string tekst(std::string_view ime) const { return polje(ime).AsString(); }
    double stevilo(std::string_view ime) const { return polje(ime).AsFloat(); }
    int celo(std::string_view ime) const { return polje(ime).AsInteger(); }
    DateValue datum(std::string_view ime) const { return polje(ime).AsDateTime(); }

    // The 78 columns (77 names), each in the kind its readers take it as.
    std::string SFVPKRT() const { return tekst("SFVPKRT"); }
    std::string KONTO() const { return tekst("KONTO"); }
    std::string VLTKRT() const { return tekst("VLTKRT"); }
    std::string VLTIDBNK() const { return tekst("VLTIDBNK"); }
    double ZNESEK1() const { return stevilo("ZNESEK1"); }
    double ZNESEK2() const { return stevilo("ZNESEK2"); }
    DateValue ZPDVP() const { return datum("ZPDVP"); }
    std::string VRSTA_REF_OM() const { return tekst("VRSTA_REF_OM"); }
    DateValue DATUMV() const { return datum("DATUMV"); }
    std::string FINNZV() const { return tekst("FINNZV"); }
    std::string CLIENT_NO() const { return tekst("CLIENT_NO"); }
    std::string SFBON() const { return tekst("SFBON"); }
    std::string OPSFBON() const { return tekst("OPSFBON"); }
    std::string SEKTORIZACIJA() const { return tekst("SEKTORIZACIJA"); }
    std::string OSFKDL() const { return tekst("OSFKDL"); }
    std::string SFKDL() const { return tekst("SFKDL"); }
    std::string DEJAVNOST() const { return tekst("DEJAVNOST"); }
    std::string KRTBNK() const { return tekst("KRTBNK"); }
    std::string ISIN() const { return tekst("ISIN"); }
    std::string MTS() const { return tekst("MTS"); }
    std::string SWIFT() const { return tekst("SWIFT"); }
    int SFOSB() const { return celo("SFOSB"); }
    int IZDSFOSB() const { return celo("IZDSFOSB"); }
    int IDPSL() const { return celo("IDPSL"); }
    std::string SFVLT() const { return tekst("SFVLT"); }
    std::string SFVLP() const { return tekst("SFVLP"); }
    std::string KVALUTA() const { return tekst("KVALUTA"); }
    int POSEL() const { return celo("POSEL"); }
    std::string OE() const { return tekst("OE"); }
    std::string VSFVLT() const { return tekst("VSFVLT"); }
    std::string SFGLVENT() const { return tekst("SFGLVENT"); }
    DateValue DATUMK() const { return datum("DATUMK"); }
    double FIXOBR() const { return stevilo("FIXOBR"); }
    std::string SFODP() const { return tekst("SFODP"); }
    DateValue DANODP() const { return datum("DANODP"); }
    std::string SFTPF() const { return tekst("SFTPF"); }
    std::string SFFIN() const { return tekst("SFFIN"); }
    DateValue DOGDAN() const { return datum("DOGDAN"); }
    double GLVTCJ() const { return stevilo("GLVTCJ"); }
    int IDPOG() const { return celo("IDPOG"); }
    int IDMASTER() const { return celo("IDMASTER"); }
    std::string SFSOS() const { return tekst("SFSOS"); }
    std::string SFDRZ() const { return tekst("SFDRZ"); }
    std::string OPKRTBNK() const { return tekst("OPKRTBNK"); }
    double ZNESEK() const { return stevilo("ZNESEK"); }
    DateValue DOGZPD() const { return datum("DOGZPD"); }
    std::string AKTIVEN() const { return tekst("AKTIVEN"); }
    int VP1() const { return celo("VP1"); }
    std::string REFINXNZV() const { return tekst("REFINXNZV"); }
    double GLVNMN() const { return stevilo("GLVNMN"); }
    int SFVP() const { return celo("SFVP"); }
    std::string VKNT() const { return tekst("VKNT"); }
    std::string GRUPIRAJ() const { return tekst("GRUPIRAJ"); }
    std::string KNTORG() const { return tekst("KNTORG"); }
    std::string KOTACIJA() const { return tekst("KOTACIJA"); }
    std::string SFDJV() const { return tekst("SFDJV"); }
    std::string SPREM_SKUP_OM() const { return tekst("SPREM_SKUP_OM"); }
    double ZAJAMCENA_OM() const { return stevilo("ZAJAMCENA_OM"); }
    std::string VRSTA_OBVEZNICE() const { return tekst("VRSTA_OBVEZNICE"); }
    DateValue DAT_SPR_SKUP_OM() const { return datum("DAT_SPR_SKUP_OM"); }
    std::string O_SFSOS() const { return tekst("O_SFSOS"); }
    std::string OP_SFSOS() const { return tekst("OP_SFSOS"); }
    std::string O_DEJAVNOST() const { return tekst("O_DEJAVNOST"); }
    std::string OP_DEJAVNOST() const { return tekst("OP_DEJAVNOST"); }
    std::string O_NZV() const { return tekst("O_NZV"); }
    std::string OP_NZV() const { return tekst("OP_NZV"); }
    std::string O_MTS() const { return tekst("O_MTS"); }
    std::string OP_MTS() const { return tekst("OP_MTS"); }
    std::string O_KRTBNK() const { return tekst("O_KRTBNK"); }
    std::string OP_KRTBNK() const { return tekst("OP_KRTBNK"); }
    std::string O_SEKTORIZACIJA() const { return tekst("O_SEKTORIZACIJA"); }
    std::string OP_SEKTORIZACIJA() const { return tekst("OP_SEKTORIZACIJA"); }
    std::string O_SFDRZ() const { return tekst("O_SFDRZ"); }
    std::string OP_SFDRZ() const { return tekst("OP_SFDRZ"); }
    std::string VRSTA_SKLADA() const { return tekst("VRSTA_SKLADA"); }
    int KKONTO() const { return celo("KKONTO"); }
    int IDOBD() const { return celo("IDOBD"); }

private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };

    // The position of a column, -1 when the result has no such column (or is closed). A found
    // position is checked against the result's column name, so a reopened Q1 with other columns
    // builds the table anew.
    int indeks(std::string_view ime) const {
        auto found = indeksi_.find(ime);
        if (found == indeksi_.end()) {
            const std::string upper = toUpper(ime);
            found = indeksi_.find(std::string_view(upper));
        }
        std::vector<FieldInfo>& polja = q1_->fieldInfos();
        if (found != indeksi_.end()) {
            const int index = found->second;
            if (index < static_cast<int>(polja.size()) &&
                equalIgnoringCase(polja[static_cast<size_t>(index)].name, ime))
                return index;
        }
        indeksi_.clear();
        for (size_t i = polja.size(); i-- > 0;) // the first of equal names wins
            indeksi_[toUpper(polja[i].name)] = static_cast<int>(i);
        const auto again = indeksi_.find(std::string_view(toUpper(ime)));
        return again == indeksi_.end() ? -1 : again->second;
    }

    TOracleDataSet* q1_;
    mutable std::unordered_map<std::string, int, Hash, std::equal_to<>> indeksi_;
};

} // namespace orv
