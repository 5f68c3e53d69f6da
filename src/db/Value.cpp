#include "db/Value.h"

#include "base/Besedilo.h"

namespace orv {

double Value::number() const {
    if (isInteger()) return static_cast<double>(integer());
    if (isReal()) return real();
    return 0.0;
}

std::string Value::toText() const {
    if (isInteger()) return std::to_string(integer());
    if (isReal()) return formatNumber(real());
    if (isText()) return text();
    return {};
}

} // namespace orv
