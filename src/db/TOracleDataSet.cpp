#include "db/TOracleDataSet.h"

#include "base/Besedilo.h"
#include "db/DatabaseError.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <fstream>

namespace orv {

namespace {

const Value kNull;

std::optional<double> parseNumber(const std::string& text) {
    const std::string trimmed = trim(text);
    if (trimmed.empty()) return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(trimmed.c_str(), &end);
    if (errno != 0 || end != trimmed.c_str() + trimmed.size()) return std::nullopt;
    return value;
}

// Cuts a text to at most `width` bytes without splitting a UTF-8 character.
std::string cutToWidth(const std::string& text, int width) {
    if (width <= 0 || text.size() <= static_cast<size_t>(width)) return text;
    size_t end = static_cast<size_t>(width);
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

} // namespace

// --- Field -----------------------------------------------------------------------------------

const FieldInfo& Field::info() const {
    return dataset_->fields_[static_cast<size_t>(index_)];
}

const Value& Field::value() const {
    const TOracleDataSet& d = *dataset_;
    if (d.appending_) return d.newRow_[static_cast<size_t>(index_)];
    if (d.streamedRow_) return (*d.streamedRow_)[static_cast<size_t>(index_)];
    if (d.rows_.empty()) return kNull;
    return d.currentValues()[static_cast<size_t>(index_)];
}

bool Field::IsNull() const {
    return value().isNull();
}

std::string Field::AsString() const {
    const Value& v = value();
    if (info().type == FieldType::Date && v.isNumber()) return formatDateTime(v.number());
    return v.toText();
}

double Field::AsFloat() const {
    const Value& v = value();
    if (v.isNull()) return 0.0;
    if (v.isNumber()) return v.number();
    if (info().type == FieldType::Date) return AsDateTime();
    const auto number = parseNumber(v.text());
    if (!number) throw DatabaseError("'" + v.text() + "' is not a valid floating point value");
    return *number;
}

int Field::AsInteger() const {
    const Value& v = value();
    if (v.isNull()) return 0;
    double number = 0.0;
    if (v.isNumber()) {
        number = v.number();
    } else {
        const auto parsed = parseNumber(v.text());
        if (!parsed) throw DatabaseError("'" + v.text() + "' is not a valid integer value");
        number = *parsed;
    }
    const double rounded = roundHalfEven(number);
    if (rounded < INT_MIN || rounded > INT_MAX)
        throw DatabaseError("'" + v.toText() + "' is not a valid integer value");
    return static_cast<int>(rounded);
}

DateValue Field::AsDateTime() const {
    const Value& v = value();
    if (v.isNull()) return 0.0;
    if (v.isNumber()) return v.number();
    const auto date = parseDate(trim(v.text()));
    if (!date) throw DatabaseError("'" + v.text() + "' is not a valid date");
    return *date;
}

void Field::write(Value newValue) {
    TOracleDataSet& d = *dataset_;
    if (!d.appending_) throw DatabaseError(d.name_ + ": Dataset not in edit or insert mode");
    d.newRow_[static_cast<size_t>(index_)] = std::move(newValue);
    d.written_[static_cast<size_t>(index_)] = true;
}

void Field::setAsString(const std::string& text) {
    if (text.empty()) return write(Value());
    write(Value(cutToWidth(text, info().size)));
}

void Field::setAsFloat(double number) {
    if (info().type == FieldType::Date) return setAsDateTime(number);
    write(Value(number));
}

void Field::setAsInteger(long long number) {
    write(Value(number));
}

void Field::setAsDateTime(DateValue date) {
    if (date == 0.0) return write(Value());
    write(Value(formatDateTime(date)));
}

void Field::clear() {
    write(Value());
}

// --- Dataset ---------------------------------------------------------------------------------

TOracleDataSet::TOracleDataSet(std::string name, Session& session)
    : name_(std::move(name)), session_(session) {}

void TOracleDataSet::SaveSQLToFile(const std::string& path) const {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) throw DatabaseError("Cannot create file \"" + path + "\"");
    size_t start = 0;
    while (start < sql_.size()) {
        size_t end = sql_.find('\n', start);
        if (end == std::string::npos) end = sql_.size();
        size_t lineEnd = end;
        if (lineEnd > start && sql_[lineEnd - 1] == '\r') --lineEnd;
        file << sql_.substr(start, lineEnd - start) << "\r\n";
        start = end + 1;
    }
    if (!file.flush()) throw DatabaseError("Cannot write file \"" + path + "\"");
}

void TOracleDataSet::DeclareVariable(const std::string& name, VariableType type) {
    const std::string key = toUpper(name);
    if (!variables_.count(key)) variableOrder_.push_back(name);
    variables_[key] = Variable{type, std::nullopt};
}

void TOracleDataSet::SetVariable(const std::string& name, const Value& value) {
    const auto found = variables_.find(toUpper(name));
    if (found == variables_.end())
        throw DatabaseError(name_ + ": Variable " + name + " does not exist");
    Variable& variable = found->second;
    if (value.isNull()) {
        variable.value = Value();
        return;
    }
    switch (variable.type) {
    case VariableType::Integer:
        variable.value =
            value.isNumber() ? Value(static_cast<long long>(roundHalfEven(value.number()))) : value;
        break;
    case VariableType::Float:
        variable.value = value.isNumber() ? Value(value.number()) : value;
        break;
    case VariableType::String:
        variable.value = Value(value.toText());
        break;
    case VariableType::Date:
        variable.value = value.isNumber() ? Value(formatDateTime(value.number())) : value;
        break;
    }
}

std::vector<BoundVariable> TOracleDataSet::boundVariables() const {
    std::vector<BoundVariable> bound;
    for (const std::string& name : variableOrder_) {
        const Variable& variable = variables_.at(toUpper(name));
        bound.push_back({name, variable.value.value_or(Value())});
    }
    return bound;
}

void TOracleDataSet::Open() {
    Close();
    ResultSet result = session_.query(sql_, boundVariables());
    fields_ = std::move(result.fields);
    rows_ = std::move(result.rows);
    sourceTable_ = std::move(result.sourceTable);
    active_ = true;
    First();
}

void TOracleDataSet::ForEachRow(const std::function<void()>& opened,
                                const std::function<void()>& visit) {
    Close();
    try {
        session_.connection().streamQuery(
            sql_, boundVariables(),
            [&](const std::vector<FieldInfo>& fields) {
                fields_ = fields;
                active_ = true;
                opened();
            },
            [&](const std::vector<Value>& row) {
                streamedRow_ = &row;
                eof_ = false;
                visit();
                streamedRow_ = nullptr;
            });
    } catch (...) {
        Close();
        throw;
    }
    Close();
}

const std::vector<Value>& TOracleDataSet::currentValues() const {
    if (unpackedRow_ != current_) {
        rows_.readRow(static_cast<size_t>(current_), currentValues_);
        unpackedRow_ = current_;
    }
    return currentValues_;
}

void TOracleDataSet::Close() {
    active_ = false;
    appending_ = false;
    streamedRow_ = nullptr;
    unpackedRow_ = -1;
    currentValues_.clear();
    fields_.clear();
    rows_.clear();
    sourceTable_.clear();
    current_ = 0;
    eof_ = true;
}

void TOracleDataSet::First() {
    current_ = 0;
    eof_ = rows_.empty();
}

void TOracleDataSet::Next() {
    if (current_ + 1 < static_cast<int>(rows_.size()))
        ++current_;
    else
        eof_ = true;
}

bool TOracleDataSet::Eof() const {
    return !active_ || eof_;
}

void TOracleDataSet::moveTo(int index) {
    if (index < 0 || index >= static_cast<int>(rows_.size())) return;
    current_ = index;
    eof_ = false;
}

void TOracleDataSet::requireActive() const {
    if (!active_)
        throw DatabaseError(name_ + ": Cannot perform this operation on a closed dataset");
}

int TOracleDataSet::columnIndex(std::string_view name) const {
    const std::string wanted = toUpper(name);
    for (size_t i = 0; i < fields_.size(); ++i)
        if (toUpper(fields_[i].name) == wanted) return static_cast<int>(i);
    return -1;
}

Field TOracleDataSet::FieldByName(std::string_view name) {
    requireActive();
    const int index = columnIndex(name);
    if (index < 0) throw DatabaseError(name_ + ": Field '" + std::string(name) + "' not found");
    return Field(*this, index);
}

Field TOracleDataSet::Fields(int index) {
    requireActive();
    if (index < 0 || index >= FieldCount())
        throw DatabaseError(name_ + ": Field index out of range");
    return Field(*this, index);
}

Value TOracleDataSet::cell(int row, int column) const {
    return rows_.value(static_cast<size_t>(row), static_cast<size_t>(column));
}

void TOracleDataSet::ExecSQL() {
    session_.execute(sql_, boundVariables());
}

void TOracleDataSet::Append() {
    requireActive();
    if (ReadOnly) throw DatabaseError(name_ + ": Cannot modify a read-only dataset");
    if (sourceTable_.empty())
        throw DatabaseError(name_ +
                            ": Cannot modify a read-only dataset (not a query over one table)");
    appending_ = true;
    newRow_.assign(fields_.size(), Value());
    written_.assign(fields_.size(), false);
}

void TOracleDataSet::Cancel() {
    appending_ = false;
}

namespace {

/// The ROWID a query selects beside the table's columns: the row's address, never written.
bool isRowidColumn(const std::string& name) {
    return name.size() == 5 && toUpper(name) == "ROWID";
}

} // namespace

void TOracleDataSet::Post() {
    if (!appending_) throw DatabaseError(name_ + ": Dataset not in edit or insert mode");
    std::vector<std::pair<std::string, Value>> values;
    values.reserve(fields_.size());
    for (size_t i = 0; i < fields_.size(); ++i)
        if (written_[i] && !isRowidColumn(fields_[i].name))
            values.emplace_back(fields_[i].name, newRow_[i]);
    session_.insertRow(sourceTable_, values);
    // The dataset shows the new row; the post commits the session, as the bank client does.
    rows_.addRow(newRow_);
    newRow_.clear();
    appending_ = false;
    current_ = static_cast<int>(rows_.size()) - 1;
    eof_ = false;
    session_.Commit();
}

} // namespace orv
