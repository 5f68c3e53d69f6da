#include "db/sqlite/dialect/BankErrorTexts.h"

#include <optional>

namespace orv::sqlite {

std::string bankWordsFor(const std::string& message) {
    const auto after = [&](std::string_view prefix) -> std::optional<std::string> {
        if (message.rfind(prefix, 0) != 0) return std::nullopt;
        return message.substr(prefix.size());
    };
    if (after("no such table: ")) return kTableDoesNotExist;
    if (const auto name = after("no such column: ")) return invalidIdentifier(*name);
    if (const auto name = after("no such function: ")) return invalidIdentifier(*name);
    if (after("wrong number of arguments to function ")) return kInvalidNumberOfArguments;
    if (after("UNIQUE constraint failed: ")) return kUniqueConstraintViolated;
    if (const auto column = after("NOT NULL constraint failed: ")) return cannotInsertNull(*column);
    if (message.rfind("table ", 0) == 0 && message.find(" already exists") != std::string::npos)
        return kNameAlreadyUsed;
    return message;
}

} // namespace orv::sqlite
