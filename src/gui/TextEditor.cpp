#include "gui/TextEditor.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStringList>
#include <QUrl>

namespace orv::gui {

namespace {

// Runs an editor command such as "kate" or "code --new-window" with the path appended.
bool startEditor(const QString& command, const QString& path) {
    QStringList arguments = QProcess::splitCommand(command);
    if (arguments.isEmpty()) return false;
    const QString program = arguments.takeFirst();
    arguments << path;
    return QProcess::startDetached(program, arguments);
}

} // namespace

bool odpriVUrejevalniku(const QString& path) {
    for (const char* variable : {"VISUAL", "EDITOR"}) {
        const QString command = qEnvironmentVariable(variable).trimmed();
        if (!command.isEmpty() && startEditor(command, path)) return true;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace orv::gui
