#pragma once
// A query dataset: a statement text, declared named variables, and when open all rows of the
// result with a current row. Also the way rows are appended to a table and statements executed.
// The rows are held packed (RowStore); the current row is unpacked when it is read.

#include "base/Datum.h"
#include "db/Connection.h"
#include "db/Session.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

enum class VariableType { Integer, Float, String, Date };

class TOracleDataSet;

/// One column of the dataset's current row (or of the row being appended).
class Field {
public:
    Field(TOracleDataSet& dataset, int index) : dataset_(&dataset), index_(index) {}

    const FieldInfo& info() const;
    bool IsNull() const;
    /// NULL and "no rows" read as empty text; numbers as "%.15g"; dates as dd.mm.yyyy.
    std::string AsString() const;
    /// NULL and "no rows" read as 0; a date column reads as its date value.
    double AsFloat() const;
    /// NULL and "no rows" read as 0; other numbers are rounded to the even neighbour.
    int AsInteger() const;
    /// NULL and "no rows" read as 0 (no date).
    DateValue AsDateTime() const;

    /// Writing, while a row is being appended. An empty text stores NULL; a text longer than the
    /// column is cut to its width.
    void setAsString(const std::string& text);
    void setAsFloat(double value);
    void setAsInteger(long long value);
    void setAsDateTime(DateValue value);
    void clear();

private:
    const Value& value() const;
    void write(Value value);

    TOracleDataSet* dataset_;
    int index_;
};

class TOracleDataSet {
public:
    TOracleDataSet(std::string name, Session& session);

    const std::string& name() const { return name_; }
    bool ReadOnly = false;
    bool UniDirectional = false;

    // --- Statement and variables ---------------------------------------------------------

    /// Replaces the statement text.
    void setSQL(std::string text) { sql_ = std::move(text); }
    const std::string& SQL() const { return sql_; }
    /// Writes the statement text to a file, one line per line of the text, each ended by CR LF.
    void SaveSQLToFile(const std::string& path) const;

    /// Declares a variable (name without the colon) for the statements of this dataset.
    void DeclareVariable(const std::string& name, VariableType type);
    /// Binds a declared variable for the next open; the value is converted to the declared type
    /// (a number given to a date variable is a date value).
    void SetVariable(const std::string& name, const Value& value);
    void SetVariable(const std::string& name, double value) { SetVariable(name, Value(value)); }
    void SetVariable(const std::string& name, int value) { SetVariable(name, Value(value)); }
    void SetVariable(const std::string& name, long long value) { SetVariable(name, Value(value)); }
    void SetVariable(const std::string& name, const std::string& value) {
        SetVariable(name, Value(value));
    }
    void SetVariable(const std::string& name, const char* value) {
        SetVariable(name, Value(value));
    }

    // --- Query ---------------------------------------------------------------------------

    /// Runs the statement and fetches all rows; the current row is the first.
    void Open();
    /// Discards the result.
    void Close();
    /// Runs the statement and visits its rows one by one without keeping them: `opened` once the
    /// columns are known, then `visit` with each row current (read it through Fields). The
    /// dataset is closed afterwards. For printing a result of any size.
    void ForEachRow(const std::function<void()>& opened, const std::function<void()>& visit);
    bool Active() const { return active_; }

    void First();
    void Next();
    bool Eof() const;
    bool IsEmpty() const { return rows_.empty(); }
    int RecordCount() const { return static_cast<int>(rows_.size()); }
    /// Index of the current row (0-based); -1 when there is none.
    int currentRow() const { return rows_.empty() ? -1 : current_; }
    /// Makes row `index` (0-based) current.
    void moveTo(int index);

    int FieldCount() const { return static_cast<int>(fields_.size()); }
    /// The column by name, case-insensitively (the first of equal names). Throws DatabaseError
    /// when the result has no such column.
    Field FieldByName(std::string_view name);
    /// The column by position (0-based).
    Field Fields(int index);
    /// The metadata of the columns; the grid sets labels, widths and visibility here.
    std::vector<FieldInfo>& fieldInfos() { return fields_; }
    /// The value of a cell of any row, without moving the current row.
    Value cell(int row, int column) const;

    // --- Changes -------------------------------------------------------------------------

    /// Executes the statement text (not a query) within the session's transaction.
    void ExecSQL();
    /// Starts a new row on an open query over one table.
    void Append();
    /// Inserts the appended row into the table and commits the session.
    void Post();
    /// Drops the appended row.
    void Cancel();
    bool appending() const { return appending_; }

private:
    friend class Field;

    struct Variable {
        VariableType type;
        std::optional<Value> value;
    };

    std::vector<BoundVariable> boundVariables() const;
    /// The values of the current row, unpacked on first use.
    const std::vector<Value>& currentValues() const;
    int columnIndex(std::string_view name) const;
    void requireActive() const;

    std::string name_;
    Session& session_;
    std::string sql_;
    std::map<std::string, Variable> variables_; // by upper-case name
    std::vector<std::string> variableOrder_;

    bool active_ = false;
    std::vector<FieldInfo> fields_;
    RowStore rows_;
    std::string sourceTable_;
    mutable std::vector<Value> currentValues_;
    mutable int unpackedRow_ = -1;                    ///< the row currentValues_ holds; -1 for none
    const std::vector<Value>* streamedRow_ = nullptr; ///< the row ForEachRow is visiting
    int current_ = 0;
    bool eof_ = true;

    bool appending_ = false;
    std::vector<Value> newRow_;
    std::vector<bool> written_;
};

} // namespace orv
