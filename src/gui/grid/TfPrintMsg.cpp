#include "gui/grid/TfPrintMsg.h"

#include <QApplication>
#include <QDateTime>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace orv::gui {

TfPrintMsg::TfPrintMsg(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName("TfPrintMsg");
    setWindowTitle("Print");
    auto* layout = new QVBoxLayout(this);
    gauge1_ = new QProgressBar(this);
    gauge1_->setObjectName("Gauge1");
    gauge2_ = new QProgressBar(this);
    gauge2_->setObjectName("Gauge2");
    cancel_ = new QPushButton("Cancel", this);
    cancel_->setObjectName("btnCancel");
    layout->addWidget(gauge1_);
    layout->addWidget(gauge2_);
    layout->addWidget(cancel_, 0, Qt::AlignHCenter);
    setMinimumWidth(320);
    connect(cancel_, &QPushButton::clicked, this, [this] { cancelled_ = true; });
}

void TfPrintMsg::start(int total) {
    cancelled_ = false;
    gauge1_->setRange(0, std::max(0, total));
    gauge1_->setValue(0);
    gauge2_->setRange(0, 1);
    gauge2_->setValue(0);
    show();
    raise();
    QApplication::processEvents();
    lastEvents_ = QDateTime::currentMSecsSinceEpoch();
}

bool TfPrintMsg::step(int done) {
    gauge1_->setValue(std::min(done, gauge1_->maximum()));
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now - lastEvents_ >= 100) {
        QApplication::processEvents();
        lastEvents_ = now;
    }
    return !cancelled_;
}

} // namespace orv::gui
