#include "gui/grid/DataSetModel.h"

#include "db/TOracleDataSet.h"

namespace orv::gui {

void DataSetModel::setDataSet(TOracleDataSet* dataset) {
    beginResetModel();
    dataset_ = dataset;
    endResetModel();
}

void DataSetModel::refresh() {
    beginResetModel();
    endResetModel();
}

bool DataSetModel::showsRows() const {
    return dataset_ && dataset_->Active();
}

int DataSetModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !showsRows()) return 0;
    return dataset_->RecordCount();
}

int DataSetModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid() || !showsRows()) return 0;
    return dataset_->FieldCount();
}

QVariant DataSetModel::data(const QModelIndex& index, int role) const {
    // The view may still ask for rows of a result that a failed reopen has just discarded.
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
    const FieldInfo& field = dataset_->fieldInfos()[static_cast<size_t>(index.column())];
    if (role == Qt::DisplayRole)
        return QString::fromStdString(
            displayText(index.column(), dataset_->cell(index.row(), index.column())));
    if (role == Qt::TextAlignmentRole && field.type == FieldType::Float)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (columnLook_ &&
        (role == Qt::BackgroundRole || role == Qt::ForegroundRole || role == Qt::FontRole))
        return columnLook_(index.column(), role);
    return {};
}

std::string DataSetModel::displayText(int field, const Value& value) const {
    return displayText_ ? displayText_(field, value) : value.toText();
}

QVariant DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    if (section >= columnCount()) return {};
    const FieldInfo& field = dataset_->fieldInfos()[static_cast<size_t>(section)];
    return QString::fromStdString(field.displayLabel.empty() ? field.name : field.displayLabel);
}

} // namespace orv::gui
