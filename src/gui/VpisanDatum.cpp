#include "gui/VpisanDatum.h"

#include <QRegularExpression>

namespace orv::gui {

std::optional<QDate> preberiVpisanDatum(const QString& text) {
    static const QRegularExpression withDots(R"(^(\d{1,2})\.(\d{1,2})\.(\d{4})$)");
    static const QRegularExpression digitsOnly(R"(^(\d{2})(\d{2})(\d{4})$)");
    const QString typed = text.trimmed();
    QRegularExpressionMatch match = withDots.match(typed);
    if (!match.hasMatch()) match = digitsOnly.match(typed);
    if (!match.hasMatch()) return std::nullopt;
    const QDate date(match.captured(3).toInt(), match.captured(2).toInt(),
                     match.captured(1).toInt());
    if (!date.isValid() || date.year() < 2) return std::nullopt;
    return date;
}

QString besediloDatuma(const QDate& date) {
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

} // namespace orv::gui
