// orvelnost ALIAS USER PASSWORD [REFERENT]: the desktop program.

#include "base/ProgramFolder.h"
#include "base/Referent.h"
#include "gui/TForm1.h"
#include "db/TDM.h"

#include <QApplication>
#include <QStringList>

#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(orv::ImePrograma));
    QApplication::setStyle("Fusion");

    std::vector<std::string> parameters;
    const QStringList arguments = QApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i)
        parameters.push_back(arguments[i].toStdString());
    orv::setProgramParameters(parameters);

    // The windows and the data module live for the whole run; the main window first, as the
    // data module reports to it. The window creates the import dialog with itself.
    orv::gui::TForm1 form(parameters);
    orv::TDM dm(form, orv::programFolder());
    form.attachDataModule(dm);

    form.show();
    // Without a window manager nobody activates the window, and the start-up waits for that.
    form.activateWindow();
    return QApplication::exec();
}
