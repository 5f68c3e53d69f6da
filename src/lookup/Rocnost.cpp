#include "lookup/Rocnost.h"

#include "lookup/Poizvedba.h"

namespace orv {

namespace {

int maturityBand(TDM& dm, const char* column, double dni) {
    int result = 0;
    const std::string sql = std::string("SELECT  ECB_SIFR_ID  ") + column +
                            " FROM ECB_SIFRANTI "
                            " WHERE ECB_SEZNAM_ID='014' "
                            " AND INTERVAL_OD <= :VALUE "
                            " AND (INTERVAL_DO>= :VALUE OR INTERVAL_DO IS NULL) ";
    // Every row needs a band: with none, or with a failing query, the first band (1) is taken.
    try {
        openWithVariables(dm, dm.Qecb, sql, {{"VALUE", dni}});
        result = dm.Qecb.FieldByName(column).AsInteger();
    } catch (const std::exception&) {
    }
    return result < 1 ? 1 : result;
}

} // namespace

int EcbSifra14(TDM& dm, Vmesnik& /*window*/, double dni) {
    return maturityBand(dm, "COL14", dni);
}

int EcbSifra15(TDM& dm, Vmesnik& /*window*/, double dni) {
    return maturityBand(dm, "COL15", dni);
}

} // namespace orv
