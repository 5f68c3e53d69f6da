#include "StatementProfile.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

namespace orv::sqlite {

namespace {
// The plans of the few statements that took longest, when each took at least a tenth of a second.
constexpr size_t kPlansReported = 5;
constexpr uint64_t kSlowestPlanned = 100'000'000;
} // namespace

std::unique_ptr<StatementProfile> StatementProfile::fromEnvironment(sqlite3* db) {
    const char* path = std::getenv("ORVELNOST_PROFIL");
    if (path == nullptr || *path == '\0') return nullptr;
    return std::make_unique<StatementProfile>(db, path);
}

StatementProfile::StatementProfile(sqlite3* db, std::string reportPath)
    : db_(db), reportPath_(std::move(reportPath)) {
    sqlite3_trace_v2(db_, SQLITE_TRACE_PROFILE, onTrace, this);
}

StatementProfile::~StatementProfile() {
    sqlite3_trace_v2(db_, 0, nullptr, nullptr);
    writeReport();
}

int StatementProfile::onTrace(unsigned type, void* self, void* statement, void* elapsed) {
    if (type != SQLITE_TRACE_PROFILE) return 0;
    const char* sql = sqlite3_sql(static_cast<sqlite3_stmt*>(statement));
    Totals& totals = static_cast<StatementProfile*>(self)->bySql_[sql ? sql : ""];
    totals.nanoseconds += static_cast<uint64_t>(*static_cast<sqlite3_int64*>(elapsed));
    ++totals.runs;
    return 0;
}

void StatementProfile::writeReport() const {
    std::vector<std::pair<std::string, Totals>> rows(bySql_.begin(), bySql_.end());
    std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
        return a.second.nanoseconds > b.second.nanoseconds;
    });
    // Appended, so that every connection of a run reports into the same file.
    std::ofstream report(reportPath_, std::ios::app);
    report << "       ms       runs   us/run  statement\n";
    for (const auto& [sql, totals] : rows) {
        const double ms = static_cast<double>(totals.nanoseconds) / 1e6;
        const double perRun = static_cast<double>(totals.nanoseconds) / 1e3 /
                              static_cast<double>(std::max<uint64_t>(totals.runs, 1));
        std::string oneLine = sql.substr(0, 400);
        std::replace(oneLine.begin(), oneLine.end(), '\n', ' ');
        char head[64];
        std::snprintf(head, sizeof head, "%9.1f %10llu %8.1f  ", ms,
                      static_cast<unsigned long long>(totals.runs), perRun);
        report << head << oneLine << '\n';
    }
    report << '\n';
    // How SQLite runs the statements that cost the most: their query plans.
    for (size_t i = 0; i < rows.size() && i < kPlansReported; ++i)
        if (rows[i].second.nanoseconds >= kSlowestPlanned) writePlan(report, rows[i].first);
}

void StatementProfile::writePlan(std::ostream& report, const std::string& sql) const {
    sqlite3_stmt* plan = nullptr;
    const std::string explain = "EXPLAIN QUERY PLAN " + sql;
    if (sqlite3_prepare_v2(db_, explain.c_str(), -1, &plan, nullptr) != SQLITE_OK) {
        sqlite3_finalize(plan);
        return;
    }
    report << "plan of: " << sql.substr(0, 120) << "...\n";
    // Rows: id, parent id, unused, text; a row's depth is its parent's depth plus one.
    std::unordered_map<int, int> depth;
    while (sqlite3_step(plan) == SQLITE_ROW) {
        const int id = sqlite3_column_int(plan, 0);
        const int parent = sqlite3_column_int(plan, 1);
        const auto known = depth.find(parent);
        const int level = known == depth.end() ? 0 : known->second + 1;
        depth[id] = level;
        const auto* detail = reinterpret_cast<const char*>(sqlite3_column_text(plan, 3));
        report << std::string(static_cast<size_t>(2 * level + 2), ' ') << (detail ? detail : "")
               << '\n';
    }
    sqlite3_finalize(plan);
    report << '\n';
}

} // namespace orv::sqlite
