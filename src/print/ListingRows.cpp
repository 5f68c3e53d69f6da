#include "print/ListingRows.h"

#include "base/Besedilo.h"
#include "db/DatabaseError.h"
#include "db/TOracleDataSet.h"

namespace orv::print {

namespace {

// Thrown through the dataset's row walk when the listing stops early (cancel).
struct StopWalk {};

int positionOf(const std::vector<FieldInfo>& fields, const std::string& name) {
    for (size_t i = 0; i < fields.size(); ++i)
        if (toUpper(fields[i].name) == toUpper(name)) return static_cast<int>(i);
    throw DatabaseError("Field '" + name + "' not found");
}

} // namespace

ListingColumn listingColumn(const FieldInfo& field) {
    ListingColumn column;
    column.name = field.name;
    column.label = field.displayLabel.empty() ? field.name : field.displayLabel;
    column.displayWidth = field.displayWidth;
    if (column.displayWidth <= 0)
        column.displayWidth = field.type == FieldType::Float  ? 14
                              : field.type == FieldType::Date ? 10
                              : field.size > 0                ? field.size
                                                              : 10;
    column.align = field.type == FieldType::Float ? Align::Right : Align::Left;
    return column;
}

DataSetRows::DataSetRows(TOracleDataSet& dataset, std::vector<int> fields, DisplayText text)
    : dataset_(dataset), fields_(std::move(fields)), text_(std::move(text)) {}

int DataSetRows::count() {
    return dataset_.Active() ? dataset_.RecordCount() : 0;
}

void DataSetRows::forEach(const Opened& opened, const Visit& visit) {
    std::vector<ListingColumn> columns;
    for (const int field : fields_)
        columns.push_back(listingColumn(dataset_.fieldInfos()[static_cast<size_t>(field)]));
    opened(columns);
    if (!dataset_.Active()) return;
    // The rows are read where they lie, without moving the dataset's current row.
    std::vector<std::string> texts(fields_.size());
    for (int row = 0; row < dataset_.RecordCount(); ++row) {
        for (size_t i = 0; i < fields_.size(); ++i) {
            const Value value = dataset_.cell(row, fields_[i]);
            texts[i] = text_ ? text_(fields_[i], value) : value.toText();
        }
        if (!visit(texts)) return;
    }
}

StreamedRows::StreamedRows(TOracleDataSet& dataset, std::vector<std::string> names,
                           TOracleDataSet* counter, std::string countSql)
    : dataset_(dataset), names_(std::move(names)), counter_(counter),
      countSql_(std::move(countSql)) {}

int StreamedRows::count() {
    if (!counter_ || countSql_.empty()) return 0;
    counter_->setSQL(countSql_);
    counter_->Open();
    const int rows = counter_->IsEmpty() ? 0 : counter_->Fields(0).AsInteger();
    counter_->Close();
    return rows;
}

void StreamedRows::forEach(const Opened& opened, const Visit& visit) {
    std::vector<int> positions;
    std::vector<std::string> texts;
    try {
        dataset_.ForEachRow(
            [&] {
                const std::vector<FieldInfo>& fields = dataset_.fieldInfos();
                if (names_.empty()) {
                    for (size_t i = 0; i < fields.size(); ++i)
                        positions.push_back(static_cast<int>(i));
                } else {
                    for (const std::string& name : names_)
                        positions.push_back(positionOf(fields, name));
                }
                std::vector<ListingColumn> columns;
                for (const int position : positions)
                    columns.push_back(listingColumn(fields[static_cast<size_t>(position)]));
                texts.resize(positions.size());
                opened(columns);
            },
            [&] {
                for (size_t i = 0; i < positions.size(); ++i)
                    texts[i] = dataset_.Fields(positions[i]).AsString();
                if (!visit(texts)) throw StopWalk{};
            });
    } catch (const StopWalk&) {
    }
}

} // namespace orv::print
