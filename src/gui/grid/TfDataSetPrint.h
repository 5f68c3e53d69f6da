#pragma once
// The dataset print form: the operator chooses group and summary fields of a local copy of a
// grid's rows and builds a sorted listing with a total line, or a listing of subtotals by group;
// both are shown in data grids whose tools print them. Created on first use, shown without
// waiting, kept for the rest of the run.

#include "print/DataSetPrint.h"

#include <QWidget>

#include <vector>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTableView;

namespace orv {
class TOracleDataSet;
}

namespace orv::gui {

class DataSetModel;
class TFwwDBGrid;

class TfDataSetPrint : public QWidget {
    Q_OBJECT
public:
    /// The one form of the process, created on first use.
    static TfDataSetPrint* instance(QWidget* parent);

    /// Prepares a new copy of the fields `visible` of `dataset` with the default roles, and
    /// shows the page "Nastavitve". A local table that cannot be made is reported in a message.
    void Prepare(TOracleDataSet& dataset, const std::vector<int>& visible);
    /// Sets the memo `title`, which titles both listings.
    void setTitle(const QString& text);

    void btnSortClick();
    void btnGroupClick();
    /// A click on the title of the copy's column at visual position `column`.
    void titleClick(int column);

    print::DataSetPrint& data() { return data_; }

    QTabWidget* tabs;
    QTableView* dbgTemp;
    QListWidget* lbGroup;
    QListWidget* lbSum;
    QListWidget* lbNone;
    QLineEdit* eLine;
    QCheckBox* cbAutoSumBy;
    QCheckBox* cbShowSumOp;
    QPushButton* btnSort;
    QPushButton* btnGroup;
    TFwwDBGrid* dbgQ;
    TFwwDBGrid* dbgQG;
    QPlainTextEdit* title;

protected:
    void hideEvent(QHideEvent* event) override;

private:
    explicit TfDataSetPrint(QWidget* parent);
    void buildSettingsPage();
    void showRoles();
    /// The copy's fields in the column order of dbgTemp.
    std::vector<int> columnOrder() const;
    void arrangeColumns();
    void keepNFirst(int logical, int oldVisual, int newVisual);
    void showListing(TFwwDBGrid* grid);

    print::DataSetPrint data_;
    DataSetModel* tempModel_;
    DataSetModel* qModel_;
    DataSetModel* qgModel_;
    bool arranging_ = false;
};

} // namespace orv::gui
