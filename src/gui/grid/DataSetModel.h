#pragma once
// A table model over a dataset of the data module, so that a plain table view shows its rows.
// The dataset keeps all rows in memory; the model only reads them.

#include <QAbstractTableModel>

namespace orv {
class TOracleDataSet;
}

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

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    void currentRowMoved();

private:
    bool showsRows() const;

    TOracleDataSet* dataset_ = nullptr;
};

} // namespace orv::gui
