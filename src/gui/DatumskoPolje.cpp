#include "gui/DatumskoPolje.h"

#include "gui/ModalDialogs.h"
#include "gui/VpisanDatum.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QFocusEvent>
#include <QStyle>

namespace orv::gui {

DatumskoPolje::DatumskoPolje(QWidget* parent) : QLineEdit(parent) {
    // No validator and no length limit: a character dropped as it is typed could leave another
    // date (3l.12.2024 would become 3.12.2024). Everything typed is read, or refused, whole.
    setPlaceholderText(QStringLiteral("dd.mm.llll"));
    setToolTip(QStringLiteral("Datum kot 31.12.2024, 31122024 ali 1.1.2024"));
    QAction* calendar = addAction(style()->standardIcon(QStyle::SP_FileDialogContentsView),
                                  QLineEdit::TrailingPosition);
    calendar->setObjectName(QStringLiteral("odpriKoledar"));
    calendar->setToolTip(QStringLiteral("Koledar"));
    connect(calendar, &QAction::triggered, this, &DatumskoPolje::odpriKoledar);
    connect(this, &QLineEdit::textChanged, this, &DatumskoPolje::pokaziStanje);
    // Leaving the field reads what was typed, so a wrong date is said at once.
    connect(this, &QLineEdit::editingFinished, this, [this] {
        if (!text().trimmed().isEmpty() && text() != zavrnjeno_) potrdi();
    });
}

void DatumskoPolje::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (event->reason() != Qt::MouseFocusReason) selectAll();
}

QDate DatumskoPolje::date() const {
    return preberiVpisanDatum(text()).value_or(QDate());
}

void DatumskoPolje::setDate(const QDate& date) {
    setText(besediloDatuma(date));
}

bool DatumskoPolje::potrdi() {
    const std::optional<QDate> date = preberiVpisanDatum(text());
    if (!date) {
        zavrni();
        return false;
    }
    zavrnjeno_.clear();
    setDate(*date);
    return true;
}

QString DatumskoPolje::sporociloZaNapacenDatum(const QString& text) {
    return QStringLiteral("\"%1\" ni datum.\nVpišite ga kot 31.12.2024, 31122024 ali 1.1.2024 ali "
                          "ga izberite v koledarju.")
        .arg(text.trimmed());
}

void DatumskoPolje::zavrni() {
    zavrnjeno_ = text();
    showMessageBox(this, sporociloZaNapacenDatum(text()).toStdString());
    setFocus();
    selectAll();
}

void DatumskoPolje::pokaziStanje() {
    // A complete text that is no date is shown in red while it stays so.
    const bool napacen = text().size() >= 8 && !preberiVpisanDatum(text());
    QPalette colours = palette();
    colours.setColor(QPalette::Text,
                     napacen ? QColor(Qt::red) : QApplication::palette(this).color(QPalette::Text));
    setPalette(colours);
}

void DatumskoPolje::odpriKoledar() {
    if (!koledar_) {
        koledar_ = new QCalendarWidget(this);
        koledar_->setObjectName(QStringLiteral("koledar"));
        koledar_->setWindowFlags(Qt::Popup);
        koledar_->setLocale(QLocale(QLocale::Slovenian, QLocale::Slovenia));
        koledar_->setFirstDayOfWeek(Qt::Monday);
        koledar_->setGridVisible(true);
        const auto chosen = [this](QDate date) {
            koledar_->hide();
            zavrnjeno_.clear();
            setDate(date);
            setFocus();
            emit editingFinished();
        };
        connect(koledar_, &QCalendarWidget::clicked, this, chosen);
        connect(koledar_, &QCalendarWidget::activated, this, chosen);
    }
    const QDate shown = date().isValid() ? date() : QDate::currentDate();
    koledar_->setSelectedDate(shown);
    koledar_->adjustSize();
    koledar_->move(mapToGlobal(QPoint(0, height())));
    koledar_->show();
    koledar_->setFocus();
}

} // namespace orv::gui
