#include "print/MarkerDisplay.h"

#include "print/FieldRoles.h"

namespace orv::print {

bool isSentinel(CopyKind kind, const Value& value) {
    switch (kind) {
    case CopyKind::Date:
        return value.isText() && value.text() == "10.03.2999";
    case CopyKind::Text:
        return value.isText() && value.text().rfind(kCode255, 0) == 0;
    case CopyKind::Float:
        return value.isNumber() && value.number() == kFloatSentinel;
    case CopyKind::Integer:
        return value.isNumber() && value.number() == -32000.0;
    }
    return false;
}

std::string markerDisplay(CopyKind kind, const Value& value, const std::string& marker) {
    return isSentinel(kind, value) ? marker : value.toText();
}

} // namespace orv::print
