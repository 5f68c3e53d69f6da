#include "print/DataSetPrint.h"

#include "base/Besedilo.h"
#include "print/ListingStatements.h"
#include "print/MarkerDisplay.h"

#include <memory>

namespace orv::print {

namespace {

LocalDatabase* attachLocalStore(Session& session) {
    auto database = std::make_unique<LocalDatabase>();
    LocalDatabase* raw = database.get();
    session.attach(std::move(database));
    return raw;
}

std::string defaultMarker() {
    std::string marker;
    for (int i = 0; i < 33; ++i)
        marker += "\xC3\x97"; // ×
    return marker;
}

} // namespace

DataSetPrint::DataSetPrint()
    : eLine(defaultMarker()), database_(attachLocalStore(session_)), tTemp_(*database_) {}

void DataSetPrint::Prepare(TOracleDataSet& source, const std::vector<int>& visible) {
    copied_ = false;
    q.Close();
    qG.Close();
    roles.clear();
    cbShowSumOp = true;
    source_ = &source;
    visible_ = visible;
    tTempRows.Close();
    tTemp_.define(source.fieldInfos(), visible);
    tTemp_.open();
    openCopyRows();
    roles = FieldRoles::defaults(tTemp_.fields());
}

void DataSetPrint::openCopyRows() {
    tTempRows.setSQL("SELECT * " + tTemp_.from());
    tTempRows.Open();
    for (size_t i = 0; i < tTemp_.fields().size() && i < tTempRows.fieldInfos().size(); ++i) {
        tTempRows.fieldInfos()[i].displayLabel = labelOf(tTemp_.fields()[i]);
        tTempRows.fieldInfos()[i].displayWidth = tTemp_.fields()[i].displayWidth;
    }
}

void DataSetPrint::copyRows(const std::function<void(int)>& progress) {
    if (copied_ || !source_) return;
    tTemp_.copyRows(*source_, progress);
    copied_ = true;
    openCopyRows();
    if (cbAutoSumBy) decideLevels();
}

void DataSetPrint::decideLevels() {
    for (size_t i = 0; i < roles.group.size(); ++i) {
        if (i == 0) {
            roles.group[i].marked = true;
            continue;
        }
        const std::string& previous =
            tTemp_.fields()[static_cast<size_t>(roles.group[i - 1].field)].name;
        const std::string& field = tTemp_.fields()[static_cast<size_t>(roles.group[i].field)].name;
        qCorr.setSQL(dependenceStatement(tTemp_, previous, field));
        qCorr.Open();
        const bool depends =
            qCorr.FieldByName("Count1").AsFloat() == qCorr.FieldByName("Count12").AsFloat();
        qCorr.Close();
        roles.group[i].marked = !depends;
    }
}

void DataSetPrint::Sortiranje(const std::function<void(int)>& progress) {
    copyRows(progress);
    q.setSQL(sortedStatement(tTemp_, roles));
    q.Open();
    describeListing(q);
}

void DataSetPrint::Grupiranje(const std::function<void(int)>& progress) {
    copyRows(progress);
    qG.setSQL(subtotalStatement(tTemp_, roles));
    qG.Open();
    describeListing(qG);
}

void DataSetPrint::Hide() {
    copied_ = false;
    qG.Close();
    q.Close();
    tTempRows.Close();
    tTemp_.close();
}

const CopyField* DataSetPrint::copyFieldOf(const std::string& name) const {
    const int index = tTemp_.indexOf(name);
    return index < 0 ? nullptr : &tTemp_.fields()[static_cast<size_t>(index)];
}

bool DataSetPrint::isGroupColumn(const std::string& name) const {
    const int index = tTemp_.indexOf(name);
    for (const GroupField& group : roles.group)
        if (group.field == index) return true;
    return false;
}

std::string DataSetPrint::displayText(TOracleDataSet& listing, int field,
                                      const Value& value) const {
    const std::string& name = listing.fieldInfos()[static_cast<size_t>(field)].name;
    const CopyField* copyField = copyFieldOf(name);
    if (!copyField || !isGroupColumn(name)) return value.toText();
    return markerDisplay(copyField->kind, value, eLine);
}

void DataSetPrint::describeListing(TOracleDataSet& listing) {
    for (FieldInfo& info : listing.fieldInfos()) {
        const int index = tTemp_.indexOf(info.name);
        if (index < 0) continue;
        const CopyField& field = tTemp_.fields()[static_cast<size_t>(index)];
        info.displayLabel = labelOf(field);
        info.displayWidth = field.displayWidth;
        info.displayFormat = field.displayFormat;
        for (const SummaryField& summary : roles.sum)
            if (summary.field == index)
                info.displayLabel = summaryEntryText(field, summary.op, cbShowSumOp);
        if (index == 0) info.displayWidth = 6;
    }
}

} // namespace orv::print
