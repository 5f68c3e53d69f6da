#include "derive/KorakiSkupno.h"

#include "base/Besedilo.h"

namespace orv::koraki {

bool brezDatuma(std::string_view besedilo) {
    const std::string obrezano = trim(besedilo);
    return obrezano.empty() || obrezano == kNicelniDatum;
}

std::string prvihObrezano(std::string_view besedilo, size_t n) {
    return prvih(trim(besedilo), n);
}

} // namespace orv::koraki
