#pragma once
// A date field: the operator types a date in any of the forms preberiVpisanDatum reads, at any
// speed and over a selection, or picks it from a calendar. What is typed stays as typed until it
// is read; a text that is no date is refused where it was typed (with a message and the focus
// back in the field), never turned into some other date.

#include <QDate>
#include <QLineEdit>

class QCalendarWidget;

namespace orv::gui {

class DatumskoPolje : public QLineEdit {
    Q_OBJECT
public:
    explicit DatumskoPolje(QWidget* parent);

    /// The date of the text; an invalid date when the text is no date.
    QDate date() const;
    /// Shows `date` as dd.mm.yyyy.
    void setDate(const QDate& date);

    /// Reads the text: a date is shown in its one form (dd.mm.yyyy) and true returned; anything
    /// else is refused with a message, the text kept and selected, and false returned.
    bool potrdi();

    /// The calendar behind the field's button (created when first opened).
    QCalendarWidget* koledar() const { return koledar_; }
    /// Opens the calendar at the field's date (today when it holds none).
    void odpriKoledar();

    /// The message of a text that is no date.
    static QString sporociloZaNapacenDatum(const QString& text);

protected:
    /// Coming in by keyboard or at start the whole date is selected, so typing replaces it.
    void focusInEvent(QFocusEvent* event) override;

private:
    void zavrni();
    void pokaziStanje();

    QCalendarWidget* koledar_ = nullptr;
    /// The text last refused, so that leaving the field and a command do not both say so.
    QString zavrnjeno_;
};

} // namespace orv::gui
