#pragma once
// What the dataset print form does, without its window: the local copy of a dataset's visible
// fields, the roles of the copied fields, and the sorted and subtotal listings built over the
// copy, each opened in its own dataset of the local store.

#include "db/Session.h"
#include "db/TOracleDataSet.h"
#include "print/FieldRoles.h"
#include "print/LocalCopy.h"
#include "print/LocalDatabase.h"

#include <functional>
#include <string>
#include <vector>

namespace orv::print {

class DataSetPrint {
    Session session_; // first: the datasets below use it

public:
    DataSetPrint();

    /// The marker text of total and subtotal lines (`eLine`): 33 times "×" unless changed.
    std::string eLine;
    /// `cbAutoSumBy`: decide the subtotal levels from the data when the rows are copied.
    bool cbAutoSumBy = false;
    /// `cbShowSumOp`: summary entries and columns show their operator.
    bool cbShowSumOp = true;
    FieldRoles roles;

    LocalDatabase& database() { return *database_; }
    LocalCopy& tTemp() { return tTemp_; }
    /// The rows of the copy as `dbgTemp` shows them: empty after Prepare, all after the copy.
    TOracleDataSet tTempRows{"tTemp", session_};
    TOracleDataSet q{"q", session_};
    TOracleDataSet qG{"qG", session_};
    TOracleDataSet qCorr{"qCorr", session_};

    /// Prepares a new copy of the fields `visible` (positions, in order) of `source` and gives
    /// the fields their default roles. The rows are copied at the first listing. Throws
    /// DatabaseError when the local table cannot be created or dropped.
    void Prepare(TOracleDataSet& source, const std::vector<int>& visible);
    bool copied() const { return copied_; }
    /// The rows of the prepared source (0 when none).
    int sourceRowCount() const { return source_ && source_->Active() ? source_->RecordCount() : 0; }

    /// Copies the rows when not done yet since Prepare, then decides the subtotal levels when
    /// cbAutoSumBy is ticked. `progress` gets the rows copied so far.
    void copyRows(const std::function<void(int)>& progress = {});
    /// Marks the first group field and each later one that does not depend on the one before.
    void decideLevels();

    /// Builds and opens the sorted listing in `q`.
    void Sortiranje(const std::function<void(int)>& progress = {});
    /// Builds and opens the listing of subtotals in `qG`.
    void Grupiranje(const std::function<void(int)>& progress = {});

    /// Hiding the form: the rows count as not copied, `qG` and `q` close and the copy is deleted.
    void Hide();

    /// The copy's field of a result column; nullptr for a column the copy lacks.
    const CopyField* copyFieldOf(const std::string& name) const;
    /// True when the result column `name` is a group field.
    bool isGroupColumn(const std::string& name) const;
    /// The display text of a value of a listing's column: the marker for a group column's
    /// sentinel, the value's text otherwise.
    std::string displayText(TOracleDataSet& listing, int field, const Value& value) const;

private:
    /// Opens tTempRows over the copy with the copy's labels and widths.
    void openCopyRows();
    /// Labels, widths and formats of a listing's columns after it opened.
    void describeListing(TOracleDataSet& listing);

    LocalDatabase* database_;
    LocalCopy tTemp_;
    TOracleDataSet* source_ = nullptr;
    std::vector<int> visible_;
    bool copied_ = false;
};

} // namespace orv::print
