#pragma once
// The small window that counts the rows of a long tool (copy to clipboard, export) while the
// hourglass cursor shows. It closes and the cursor returns when the object goes, also when the
// tool fails.

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

class QLabel;
class QWidget;

namespace orv::gui {

class ProgressWindow {
public:
    ProgressWindow(QWidget* owner, const QString& title, int total);
    ~ProgressWindow();
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    /// Shows the number of rows done; lets the window repaint a few times a second.
    void rows(int done);
    /// The text shown now.
    QString text() const;
    /// The window of the tool running now; nullptr when none.
    static QWidget* current();

private:
    QPointer<QWidget> window_;
    QLabel* count_;
    int total_;
    QElapsedTimer sinceRepaint_;
};

} // namespace orv::gui
