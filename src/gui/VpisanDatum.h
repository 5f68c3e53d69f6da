#pragma once
// Reading a date the operator typed: the forms the date fields take, and nothing else.

#include <QDate>
#include <QString>

#include <optional>

namespace orv::gui {

/// The date of a typed text: "31.12.2024", "1.1.2024" (one or two digits for day and month, four
/// for the year) or "31122024" (eight digits), blanks around it ignored. Empty for anything else,
/// for a day that does not exist (31.04.2024) and for a year before 2 (the transfer also reads
/// 1 January of the year before). A text is never read as some other date than the one typed.
std::optional<QDate> preberiVpisanDatum(const QString& text);

/// The one form a date is shown and handed on in: dd.mm.yyyy.
QString besediloDatuma(const QDate& date);

} // namespace orv::gui
