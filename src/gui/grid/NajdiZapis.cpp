#include "gui/grid/NajdiZapis.h"

#include "db/TOracleDataSet.h"

#include <QStringList>

namespace orv::gui {

bool NajdiZapis(TOracleDataSet& dataset, int field, const QString& value, bool fromFirst,
                bool exact) {
    if (fromFirst)
        dataset.First();
    else
        dataset.Next();
    const QString wanted = value.toUpper();
    while (!dataset.Eof()) {
        const QString shown = QString::fromStdString(dataset.Fields(field).AsString());
        if (exact ? shown == value : shown.toUpper().startsWith(wanted)) return true;
        dataset.Next();
    }
    return false;
}

QString qtInputMask(const QString& editMask) {
    if (editMask.isEmpty()) return {};
    const QStringList parts = editMask.split(';');
    const QString& mask = parts[0];
    QString result;
    for (qsizetype i = 0; i < mask.size(); ++i) {
        const QChar c = mask[i];
        switch (c.unicode()) {
        case 'L':
            result += 'A';
            break; // letter, required
        case 'l':
            result += 'a';
            break; // letter, optional
        case 'A':
            result += 'N';
            break; // letter or digit, required
        case 'a':
            result += 'n';
            break; // letter or digit, optional
        case 'C':
            result += 'X';
            break; // any character, required
        case 'c':
            result += 'x';
            break; // any character, optional
        case '0':
            result += '9';
            break; // digit, required
        case '9':
            result += '0';
            break; // digit, optional
        case '#':
            result += '#';
            break; // digit or sign, optional
        case '!':
            break; // keeps blanks at the start: no equivalent needed
        case '>':
            result += '>';
            break;
        case '<':
            if (i + 1 < mask.size() && mask[i + 1] == '>') {
                result += '!';
                ++i;
            } else {
                result += '<';
            }
            break;
        case '\\':
            if (i + 1 < mask.size()) result += QStringLiteral("\\") + mask[++i];
            break;
        case '/':
            result += '.';
            break; // the date separator of dd.mm.yyyy
        case '_':
            result += ' ';
            break;
        default:
            // A literal; escaped where the modern mask gives the character a meaning.
            if (QStringLiteral("AaNnXx90Dd#HhBb><!{}[]\\;").contains(c)) result += '\\';
            result += c;
        }
    }
    if (parts.size() > 2 && !parts[2].isEmpty()) result += ';' + parts[2].left(1);
    return result;
}

} // namespace orv::gui
