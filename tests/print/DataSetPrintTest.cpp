// The dataset print form without its window: default roles, the sorted listing with its total
// line, the listing of subtotals with levels decided from the data, and a new copy per prepare.

#include "print/DataSetPrint.h"
#include "print/ListingStatements.h"
#include "print/PrintFixture.h"

#include "db/DatabaseError.h"

namespace orv::test {
namespace {

using print::CopyKind;
using print::DataSetPrint;
using print::FieldRoles;
using print::Operator;

const std::string kMarker = [] {
    std::string marker;
    for (int i = 0; i < 33; ++i)
        marker += "\xC3\x97";
    return marker;
}();

// Branch LJ1 and KP1 lie in region ZA, MB1 in VZ: the region follows from the branch.
const std::vector<std::string> kRows = {
    "'LJ1', 'ZA', '31.12.2024', 100, 1.5", "'MB1', 'VZ', '30.11.2024', 50, 2",
    "'LJ1', 'ZA', '15.12.2024', 25, 2.5", "'KP1', 'ZA', '31.12.2024', 10, 1",
    "'MB1', 'VZ', '31.12.2024', 5, 3"};

struct DataSetPrintTest : PrintFixture {
    DataSetPrint form;

    void prepare() {
        open(kRows);
        form.Prepare(dm.Q1, allFields());
    }

    // The listing as the result grid shows it: group columns with the marker display.
    std::vector<std::string> shown(TOracleDataSet& listing) {
        std::vector<std::string> rows;
        for (int row = 0; row < listing.RecordCount(); ++row) {
            std::string line;
            for (int column = 0; column < listing.FieldCount(); ++column)
                line += (column ? " | " : "") +
                        form.displayText(listing, column, listing.cell(row, column));
            rows.push_back(line);
        }
        return rows;
    }

    std::vector<std::string> labels(TOracleDataSet& listing) {
        std::vector<std::string> result;
        for (const FieldInfo& field : listing.fieldInfos())
            result.push_back(field.displayLabel);
        return result;
    }
};

TEST_F(DataSetPrintTest, DefaultRolesGroupTheLeadingTextsAndDatesAndSumTheAmounts) {
    prepare();
    const auto& fields = form.tTemp().fields();
    ASSERT_EQ(fields.size(), 6u);
    EXPECT_EQ(fields[0].name, "N");
    EXPECT_EQ(fields[0].kind, CopyKind::Integer);
    EXPECT_EQ(fields[3].kind, CopyKind::Date);
    ASSERT_EQ(form.roles.group.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(form.roles.group[i].field, static_cast<int>(i) + 1);
        EXPECT_TRUE(form.roles.group[i].marked);
    }
    ASSERT_EQ(form.roles.sum.size(), 3u);
    EXPECT_EQ(form.roles.sum[0].field, 4); // Znesek
    EXPECT_EQ(form.roles.sum[0].op, Operator::SUM);
    EXPECT_EQ(form.roles.sum[1].field, 5); // Tečaj
    EXPECT_EQ(form.roles.sum[1].op, Operator::AVG);
    EXPECT_EQ(form.roles.sum[2].field, 0); // N counts the rows
    EXPECT_EQ(form.roles.sum[2].op, Operator::SUM);
    EXPECT_FALSE(form.copied()) << "the rows are copied at the first listing";
}

TEST_F(DataSetPrintTest, DefaultOperatorsByLabelAndKind) {
    struct Case {
        std::string label;
        CopyKind kind;
        std::optional<Operator> op;
    } cases[] = {{"Znesek", CopyKind::Float, Operator::SUM},
                 {"Te\xC4\x8D"
                  "aj EUR",
                  CopyKind::Float, Operator::AVG},
                 {"TE\xC4\x8C"
                  "AJ",
                  CopyKind::Float, Operator::AVG},
                 {"Povp. CENA", CopyKind::Float, Operator::AVG},
                 {"Temperatura", CopyKind::Float, Operator::AVG},
                 {"BorzniIndex", CopyKind::Float, Operator::AVG},
                 {"Zapadlost", CopyKind::Date, Operator::MAX},
                 {"Naziv", CopyKind::Text, std::nullopt}};
    for (const Case& c : cases) {
        print::CopyField field;
        field.name = "X";
        field.displayLabel = c.label;
        field.kind = c.kind;
        EXPECT_EQ(print::defaultOperator(field), c.op) << c.label;
    }
}

TEST_F(DataSetPrintTest, FieldsAfterTheFirstAmountAreNotGrouped) {
    open(kRows);
    form.Prepare(dm.Q1, {3, 0, 2}); // Znesek, Poslovalnica, Dan
    EXPECT_TRUE(form.roles.group.empty());
    ASSERT_EQ(form.roles.sum.size(), 2u);
    EXPECT_EQ(form.roles.sum[0].field, 1);
    EXPECT_EQ(form.roles.sum[1].field, 0);
    EXPECT_EQ(form.roles.none, (std::vector<int>{2, 3}));
}

TEST_F(DataSetPrintTest, SortedListingEndsWithTheTotalLine) {
    prepare();
    form.Sortiranje();
    const std::string P = kMarker;
    EXPECT_EQ(shown(form.q), (std::vector<std::string>{
                                 "KP1 | ZA | 31.12.2024 | 10 | 1 | 1",
                                 "LJ1 | ZA | 15.12.2024 | 25 | 2.5 | 1",
                                 "LJ1 | ZA | 31.12.2024 | 100 | 1.5 | 1",
                                 "MB1 | VZ | 30.11.2024 | 50 | 2 | 1",
                                 "MB1 | VZ | 31.12.2024 | 5 | 3 | 1",
                                 P + " | " + P + " | " + P + " | 190 | 2 | 5",
                             }));
    EXPECT_EQ(labels(form.q),
              (std::vector<std::string>{"Poslovalnica", "Regija", "Dan", "SUM Znesek",
                                        "AVG Te\xC4\x8D"
                                        "aj",
                                        "SUM N"}));
    EXPECT_EQ(form.q.fieldInfos()[5].displayWidth, 6);
    // The total line holds the sentinels themselves: six characters of code 255 for a text of
    // width 6, and 10 March 2999 for a date.
    const int last = form.q.RecordCount() - 1;
    EXPECT_EQ(form.q.cell(last, 0).text(), "\xCB\x99\xCB\x99\xCB\x99\xCB\x99\xCB\x99\xCB\x99");
    EXPECT_EQ(form.q.cell(last, 2).text(), "10.03.2999");
}

TEST_F(DataSetPrintTest, WithoutTheOperatorTheSummaryColumnsCarryTheirLabels) {
    prepare();
    form.cbShowSumOp = false;
    form.Sortiranje();
    EXPECT_EQ(form.q.fieldInfos()[3].displayLabel, "Znesek");
}

TEST_F(DataSetPrintTest, AnIntegerGroupFieldPutsTheTotalLineFirst) {
    prepare();
    form.roles.group = {{0, true}}; // N: 1 in every row, above -32000
    form.roles.sum = {{4, Operator::MAX}};
    form.Sortiranje();
    ASSERT_EQ(form.q.RecordCount(), 6);
    EXPECT_EQ(shown(form.q).front(), kMarker + " | 100");
    EXPECT_EQ(form.q.cell(0, 0).toText(), "-32000");
}

TEST_F(DataSetPrintTest, SubtotalsWithLevelsDecidedFromTheData) {
    prepare();
    form.cbAutoSumBy = true;
    form.Grupiranje();
    // The region follows from the branch: it is no level of its own and is listed beside the
    // branch in the branch's subtotal lines.
    ASSERT_EQ(form.roles.group.size(), 3u);
    EXPECT_TRUE(form.roles.group[0].marked);
    EXPECT_FALSE(form.roles.group[1].marked);
    EXPECT_TRUE(form.roles.group[2].marked);
    const std::string M = kMarker;
    EXPECT_EQ(shown(form.qG), (std::vector<std::string>{
                                  "KP1 | ZA | 31.12.2024 | 10 | 1 | 1",
                                  "KP1 | ZA | " + M + " | 10 | 1 | 1",
                                  "LJ1 | ZA | 15.12.2024 | 25 | 2.5 | 1",
                                  "LJ1 | ZA | 31.12.2024 | 100 | 1.5 | 1",
                                  "LJ1 | ZA | " + M + " | 125 | 2 | 2",
                                  "MB1 | VZ | 30.11.2024 | 50 | 2 | 1",
                                  "MB1 | VZ | 31.12.2024 | 5 | 3 | 1",
                                  "MB1 | VZ | " + M + " | 55 | 2.5 | 2",
                                  M + " | " + M + " | " + M + " | 190 | 2 | 5",
                              }));
}

TEST_F(DataSetPrintTest, AnUnmarkedLastFieldIsListedInTheLevelBeforeIt) {
    prepare();
    form.roles.group[2].marked = false; // the dates are no level: the region's lines list them
    form.Grupiranje();
    const std::string M = kMarker;
    EXPECT_EQ(shown(form.qG), (std::vector<std::string>{
                                  "KP1 | ZA | 31.12.2024 | 10 | 1 | 1",
                                  "KP1 | " + M + " | " + M + " | 10 | 1 | 1",
                                  "LJ1 | ZA | 15.12.2024 | 25 | 2.5 | 1",
                                  "LJ1 | ZA | 31.12.2024 | 100 | 1.5 | 1",
                                  "LJ1 | " + M + " | " + M + " | 125 | 2 | 2",
                                  "MB1 | VZ | 30.11.2024 | 50 | 2 | 1",
                                  "MB1 | VZ | 31.12.2024 | 5 | 3 | 1",
                                  "MB1 | " + M + " | " + M + " | 55 | 2.5 | 2",
                                  M + " | " + M + " | " + M + " | 190 | 2 | 5",
                              }));
}

TEST_F(DataSetPrintTest, NoGroupFieldsGiveTheRowsAndOneTotal) {
    prepare();
    form.roles.group.clear();
    form.roles.sum = {{4, Operator::SUM}, {3, Operator::MIN}};
    form.Sortiranje();
    EXPECT_EQ(form.q.RecordCount(), 6);
    EXPECT_EQ(rowsOf(form.q).back(), "190\t30.11.2024");
    form.Grupiranje();
    EXPECT_EQ(rowsOf(form.qG), (std::vector<std::string>{"190\t30.11.2024"}));
}

TEST_F(DataSetPrintTest, ClicksOnEntriesToggleMarksAndCycleOperators) {
    FieldRoles roles;
    roles.group = {{1, true}};
    roles.sum = {{2, Operator::AVG}};
    roles.toggleMark(0);
    EXPECT_FALSE(roles.group[0].marked);
    roles.toggleMark(0);
    EXPECT_TRUE(roles.group[0].marked);
    const Operator seen[] = {Operator::MIN, Operator::MAX, Operator::SUM, Operator::AVG};
    for (const Operator op : seen) {
        roles.nextOperatorOf(0);
        EXPECT_EQ(roles.sum[0].op, op);
    }
    print::CopyField field;
    field.displayLabel = "Znesek";
    EXPECT_EQ(print::summaryEntryText(field, Operator::SUM, true), "SUM Znesek");
    EXPECT_EQ(print::summaryEntryText(field, Operator::SUM, false), "Znesek");
    EXPECT_EQ(print::groupEntryText(field, false), "\xC3\x97\xC3\x97Znesek");
}

TEST_F(DataSetPrintTest, ATitleClickGroupsUpToTheClickedColumn) {
    prepare();
    // The grid shows N, Poslovalnica, Regija, Dan, Znesek, Tečaj; Regija is clicked.
    const std::vector<int> columns = {0, 1, 2, 3, 4, 5};
    const FieldRoles roles = FieldRoles::fromTitleClick(form.tTemp().fields(), columns, 2);
    ASSERT_EQ(roles.group.size(), 2u);
    EXPECT_EQ(roles.group[0].field, 1);
    EXPECT_EQ(roles.group[1].field, 2);
    ASSERT_EQ(roles.sum.size(), 4u);
    EXPECT_EQ(roles.sum[0].field, 3);
    EXPECT_EQ(roles.sum[0].op, Operator::MAX) << "a date after the clicked column";
    EXPECT_EQ(roles.sum[2].op, Operator::AVG);
    EXPECT_EQ(roles.sum[3].field, 0);

    // A click on Poslovalnica after the columns were moved: Znesek stands before it.
    const std::vector<int> moved = {0, 4, 1, 2, 3, 5};
    const FieldRoles second = FieldRoles::fromTitleClick(form.tTemp().fields(), moved, 2);
    ASSERT_EQ(second.group.size(), 2u);
    EXPECT_EQ(second.group[0].field, 4);
    EXPECT_EQ(second.none, (std::vector<int>{2}));
    EXPECT_EQ(second.arrangedColumns(moved), (std::vector<int>{0, 4, 1, 2, 3, 5}));
    EXPECT_EQ(roles.arrangedColumns(moved), (std::vector<int>{0, 1, 2, 3, 4, 5}));
}

TEST_F(DataSetPrintTest, HidingAndPreparingAgainCopiesTheRowsAnew) {
    prepare();
    form.Sortiranje();
    const std::string first = form.tTemp().name();
    EXPECT_EQ(form.q.RecordCount(), 6);

    form.Hide();
    EXPECT_FALSE(form.copied());
    EXPECT_FALSE(form.q.Active());
    form.q.setSQL("SELECT * FROM \"" + first + "\"");
    EXPECT_THROW(form.q.Open(), DatabaseError) << "the copy is deleted";

    dm.IzvediInPotrdi("INSERT INTO T_SEZNAM (POSLOVALNICA, REGIJA, DAN, ZNESEK, TECAJ) VALUES "
                      "('NM1', 'JV', '31.12.2024', 1, 1)");
    dm.OdpriPoizvedbo(dm.Q1, dm.Q1.SQL());
    form.Prepare(dm.Q1, allFields());
    EXPECT_NE(form.tTemp().name(), first);
    EXPECT_EQ(form.tTemp().name().rfind("_TMP", 0), 0u);
    form.Sortiranje();
    EXPECT_EQ(form.q.RecordCount(), 7);
}

TEST_F(DataSetPrintTest, AStatementTheEngineRejectsFails) {
    prepare();
    form.roles.clear(); // nothing to list
    EXPECT_THROW(form.Sortiranje(), DatabaseError);
}

} // namespace
} // namespace orv::test
