#pragma once
// The column chooser: which fields of the grid's dataset are shown, in which order, with which
// display label and display width.

#include <QDialog>
#include <QString>

#include <vector>

class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;

namespace orv {
class TOracleDataSet;
}

namespace orv::gui {

class TsortSelect : public QDialog {
    Q_OBJECT
public:
    /// One list entry: a display text and the field (position in the dataset) it stands for.
    struct Entry {
        QString text;
        int field = 0;
        bool operator==(const Entry&) const = default;
    };

    explicit TsortSelect(QWidget* parent = nullptr);

    /// Shows the dialog for the fields of `dataset`. Returns true when it was closed with OK; the
    /// lists given are then replaced by the dialog's lists in the dialog's order, otherwise they
    /// are left as they were.
    bool Open(TOracleDataSet& dataset, std::vector<Entry>& visible, std::vector<Entry>& hidden);

    /// The dialog of the process, created on first use.
    static TsortSelect* instance(QWidget* parent);

    /// The entries of a list, in its order.
    static std::vector<Entry> entries(const QListWidget* list);

    QListWidget* lbOn;
    QListWidget* lbOff;
    QPushButton* btnUp;
    QPushButton* btnDown;
    QPushButton* btnRight;
    QPushButton* btnAllRight;
    QPushButton* btnLeft;
    QPushButton* btnAllLeft;
    QLineEdit* edDisplayLabel;
    QPushButton* btnDisplayLabel;
    QLineEdit* edDisplayWidth;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QTimer* tmrBtn;

    /// The auto-repeat's first delay and its interval, in milliseconds.
    static constexpr int kFirstDelay = 500;
    static constexpr int kRepeat = 100;

private:
    void UpdateControls();
    void btnRightClick();
    void btnAllRightClick();
    void btnLeftClick();
    void btnAllLeftClick();
    void move(int step);
    void startRepeat(int step);
    void repeat();
    void stopRepeat();
    void btnDisplayLabelClick();

    TOracleDataSet* dataset_ = nullptr;
    int repeatStep_ = 0;
};

} // namespace orv::gui
