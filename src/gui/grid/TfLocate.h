#pragma once
// The locate dialog "Iskanje": pick a column of the grid's dataset, type a value, and move the
// dataset to the first or the next row whose value in that column matches.

#include <QDialog>
#include <QPointer>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orv::gui {

class DataSetModel;

class TfLocate : public QDialog {
    Q_OBJECT
public:
    explicit TfLocate(QWidget* parent = nullptr);

    /// Fills the dialog for the data source when it differs from the last one, shows it modally
    /// and returns true when it was closed with OK.
    bool Open(DataSetModel* dataSource);

    /// The dialog of the process, created on first use.
    static TfLocate* instance(QWidget* parent);

    QLabel* Label1;
    QComboBox* cbFields;
    QLabel* Label2;
    QLineEdit* meValue;
    QCheckBox* cbExact;
    QPushButton* btnFindFirst;
    QPushButton* btnFindNext;
    QPushButton* btnOk;

private:
    void cbFieldsChange();
    void ValueChanged();
    void find(bool fromFirst);

    // Emptied when the model goes, so that a new model at the same address is a new source.
    QPointer<DataSetModel> dataSource_;
};

} // namespace orv::gui
