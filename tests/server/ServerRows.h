#pragma once
// The rows a server query returns, as the dialect's case lists write them: NULL as "NULL",
// numbers as %.15g (no negative zero), other values as their text.

#include "db/Connection.h"

#include <cstdio>
#include <string>
#include <vector>

namespace orv::test {

inline std::string caseText(const Value& value) {
    if (value.isNull()) return "NULL";
    if (value.isReal()) {
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "%.15g", value.real() == 0.0 ? 0.0 : value.real());
        return buffer;
    }
    return value.toText();
}

/// The rows of `sql` on `connection`, each value as caseText writes it.
inline std::vector<std::vector<std::string>> caseRows(Connection& connection,
                                                      const std::string& sql) {
    const ResultSet result = connection.query(sql, {});
    std::vector<std::vector<std::string>> rows;
    std::vector<Value> values;
    for (size_t r = 0; r < result.rows.size(); ++r) {
        result.rows.readRow(r, values);
        std::vector<std::string> row;
        for (const Value& value : values)
            row.push_back(caseText(value));
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace orv::test
