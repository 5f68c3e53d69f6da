#pragma once
// A table model over a dataset of the data module, so that a plain table view shows its rows.
// The dataset keeps all rows in memory; the model only reads them.

#include <QAbstractTableModel>

#include <functional>
#include <string>

namespace orv {
class TOracleDataSet;
class Value;
} // namespace orv

namespace orv::gui {

class DataSetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DataSetModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    /// The dataset shown; nullptr shows nothing.
    void setDataSet(TOracleDataSet* dataset);
    TOracleDataSet* dataSet() const { return dataset_; }

    /// Reads the dataset anew after it was opened, closed or reopened.
    void refresh();
    /// Tells the views that a tool moved the dataset's current row.
    void showCurrentRow() { emit currentRowMoved(); }

    /// A column's own display text (a field's display-text handler): given the field's position
    /// and value, its text. Without one a value shows as the program reads it as text.
    using DisplayText = std::function<std::string(int field, const Value& value)>;
    void setDisplayText(DisplayText text) { displayText_ = std::move(text); }
    /// The text a value of a field shows, through the display-text handler when there is one.
    std::string displayText(int field, const Value& value) const;
    /// The look of a column's cells apart from the text (background, font colour, font): given
    /// the field's position and the item role, its value, or an empty one for the default.
    using ColumnLook = std::function<QVariant(int field, int role)>;
    void setColumnLook(ColumnLook look) { columnLook_ = std::move(look); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    void currentRowMoved();

private:
    bool showsRows() const;

    TOracleDataSet* dataset_ = nullptr;
    DisplayText displayText_;
    ColumnLook columnLook_;
};

} // namespace orv::gui
