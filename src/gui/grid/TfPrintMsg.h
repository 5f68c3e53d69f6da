#pragma once
// The progress window of the printed listing: caption "Print", on top of the other windows, a
// cancel button and two gauges of which the upper one counts the rows printed.

#include <QWidget>

class QProgressBar;
class QPushButton;

namespace orv::gui {

class TfPrintMsg : public QWidget {
    Q_OBJECT
public:
    explicit TfPrintMsg(QWidget* parent = nullptr);

    /// Shows the window with the upper gauge running from 0 to `total`.
    void start(int total);
    /// Sets the upper gauge; lets the window repaint and the cancel button answer a few times a
    /// second. Returns false once the operator pressed cancel.
    bool step(int done);
    bool cancelled() const { return cancelled_; }

    QProgressBar* gauge() const { return gauge1_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    QProgressBar* gauge1_;
    QProgressBar* gauge2_;
    QPushButton* cancel_;
    bool cancelled_ = false;
    qint64 lastEvents_ = 0;
};

} // namespace orv::gui
