#include "gui/grid/ProgressWindow.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

namespace orv::gui {

namespace {

QPointer<QWidget>& currentWindow() {
    static QPointer<QWidget> window;
    return window;
}

} // namespace

ProgressWindow::ProgressWindow(QWidget* owner, const QString& title, int total) : total_(total) {
    window_ = new QWidget(owner ? owner->window() : nullptr, Qt::Tool);
    window_->setObjectName("ProgressWindow");
    window_->setWindowTitle(title);
    window_->setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(window_);
    count_ = new QLabel(window_);
    count_->setObjectName("lblCount");
    count_->setMinimumWidth(220);
    count_->setAlignment(Qt::AlignCenter);
    layout->addWidget(count_);
    rows(0);
    window_->show();
    currentWindow() = window_;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::processEvents();
    sinceRepaint_.start();
}

ProgressWindow::~ProgressWindow() {
    QApplication::restoreOverrideCursor();
    if (window_) window_->close();
}

void ProgressWindow::rows(int done) {
    count_->setText(QString::number(done) + " / " + QString::number(total_));
    if (sinceRepaint_.isValid() && sinceRepaint_.elapsed() >= 100) {
        QApplication::processEvents();
        sinceRepaint_.restart();
    }
}

QString ProgressWindow::text() const {
    return count_->text();
}

QWidget* ProgressWindow::current() {
    return currentWindow();
}

} // namespace orv::gui
