#pragma once
// The local copy `tTemp` of the dataset print form: a table "_TMP<n>" of the local store with
// `N` (1 in every row) followed by the visible fields of the source dataset, and the metadata
// each copied field takes over from its source field.

#include "db/FieldInfo.h"

#include <functional>
#include <string>
#include <vector>

namespace orv {
class TOracleDataSet;
}

namespace orv::print {

class LocalDatabase;

/// The kinds of field the copy knows; each has its own sentinel value.
enum class CopyKind { Text, Integer, Float, Date };

struct CopyField {
    std::string name;
    CopyKind kind = CopyKind::Text;
    int size = 0; ///< text: declared width in characters (0: unknown)
    std::string displayLabel;
    int displayWidth = 0;
    std::string displayFormat;
    int sourceField = -1; ///< position in the source dataset; -1 for N
};

/// The display label of a field, or its name when it has none.
std::string labelOf(const CopyField& field);

class LocalCopy {
public:
    explicit LocalCopy(LocalDatabase& database) : database_(database) {}
    ~LocalCopy();
    LocalCopy(const LocalCopy&) = delete;
    LocalCopy& operator=(const LocalCopy&) = delete;

    /// Defines the structure of a new copy of the fields `visible` (positions in `source`, in
    /// their order) under the next name "_TMP<n>" of the process; closes an open one first.
    void define(const std::vector<FieldInfo>& source, const std::vector<int>& visible);
    /// Creates the table, empty. Throws DatabaseError.
    void open();
    /// Deletes the table when it exists. Throws DatabaseError.
    void close();
    bool isOpen() const { return open_; }

    const std::string& name() const { return name_; }
    /// `N` first, then the copied fields in the source's order.
    const std::vector<CopyField>& fields() const { return fields_; }
    /// The position of a field by name (any letter case); -1 when there is none.
    int indexOf(const std::string& name) const;
    /// "FROM" and the quoted table name: the F of every listing statement.
    std::string from() const;

    /// Appends one row for each row of the open dataset `source` from the first, in one
    /// transaction; `progress` gets the rows done so far. The source stands on its first row
    /// afterwards. Throws DatabaseError.
    void copyRows(TOracleDataSet& source, const std::function<void(int)>& progress = {});

private:
    LocalDatabase& database_;
    std::string name_;
    std::vector<CopyField> fields_;
    bool open_ = false;
};

} // namespace orv::print
