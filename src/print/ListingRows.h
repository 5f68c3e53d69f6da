#pragma once
// The rows a printed listing prints: its columns (the visible fields, in order) and, row by row,
// the display text of each column. Over an open dataset, or streamed from a query so that a
// result of any size is printed without holding its rows.

#include "print/ListingCanvas.h"

#include <functional>
#include <string>
#include <vector>

namespace orv {
class TOracleDataSet;
struct FieldInfo;
class Value;
} // namespace orv

namespace orv::print {

struct ListingColumn {
    std::string name;
    std::string label;
    int displayWidth = 0; ///< characters
    Align align = Align::Left;
};

class ListingRows {
public:
    virtual ~ListingRows() = default;
    using Opened = std::function<void(const std::vector<ListingColumn>&)>;
    using Visit = std::function<bool(const std::vector<std::string>&)>;

    /// The number of rows, counted before printing (for the progress window).
    virtual int count() = 0;
    /// Tells `opened` the columns once, then visits the rows from the first with the display
    /// texts of the columns; stops when `visit` returns false.
    virtual void forEach(const Opened& opened, const Visit& visit) = 0;
};

/// A master row printed above the rows: its columns and their display texts.
struct ListingMaster {
    std::vector<ListingColumn> columns;
    std::vector<std::string> texts;
};

/// The display text of a value of a field (for columns without a display text of their own).
using DisplayText = std::function<std::string(int field, const Value& value)>;

/// The column of a field as a listing prints it: label, display width (when it has none: its
/// declared width for a text, 10 for a date, 14 for a number), right-aligned numbers.
ListingColumn listingColumn(const FieldInfo& field);

/// The rows of an open dataset: the fields `fields` (positions, in order). `forEach` walks from
/// the first row and puts the dataset back on the row it stood on.
class DataSetRows : public ListingRows {
public:
    DataSetRows(TOracleDataSet& dataset, std::vector<int> fields, DisplayText text = {});
    int count() override;
    void forEach(const Opened& opened, const Visit& visit) override;

private:
    TOracleDataSet& dataset_;
    std::vector<int> fields_;
    DisplayText text_;
};

/// The rows of the statement of `dataset`, streamed: each row is printed as it arrives and none
/// is kept. `count` runs `countSql` (a query of one number) on `counter`, or gives 0 without
/// one. The columns are the fields named in `names` (any letter case), or all when it is empty;
/// a name the result lacks throws DatabaseError.
class StreamedRows : public ListingRows {
public:
    StreamedRows(TOracleDataSet& dataset, std::vector<std::string> names,
                 TOracleDataSet* counter = nullptr, std::string countSql = {});
    int count() override;
    void forEach(const Opened& opened, const Visit& visit) override;

private:
    TOracleDataSet& dataset_;
    std::vector<std::string> names_;
    TOracleDataSet* counter_;
    std::string countSql_;
};

} // namespace orv::print
