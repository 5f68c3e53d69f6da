// orvelnost ALIAS USER PASSWORD [REFERENT]: the desktop program.

#include "base/PasswordInput.h"
#include "base/ProgramFolder.h"
#include "base/Referent.h"
#include "db/TDM.h"
#include "gui/TForm1.h"
#include "gui/grid/Slovenscina.h"

#include <QApplication>
#include <QStringList>

#include <clocale>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // QApplication takes the system locale for the C library too. Numbers in statements, in
    // the dialect's functions and in the datasets are read and written with C's number
    // functions, which must keep '.' as the decimal separator under every locale.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QString::fromLatin1(orv::ImePrograma));
    QApplication::setStyle("Fusion");
    orv::gui::namestiSlovenskePrevode(application);

    std::vector<std::string> parameters;
    const QStringList arguments = QApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i)
        parameters.push_back(arguments[i].toStdString());
    // A PASSWORD of "-" is taken from ORVELNOST_GESLO or standard input before any window opens.
    if (parameters.size() >= 3) {
        try {
            parameters[2] = orv::passwordFromArgument(parameters[2]);
        } catch (const std::runtime_error& error) {
            std::cerr << error.what() << "\n";
            return 1;
        }
    }
    orv::setProgramParameters(parameters);

    // The windows and the data module live for the whole run; the main window first, as the
    // data module reports to it. The window creates the import dialog with itself.
    orv::gui::TForm1 form(parameters);
    orv::TDM dm(form, orv::programFolder());
    form.attachDataModule(dm);

    form.show();
    // Without a window manager nobody activates the window, and the start-up waits for that.
    form.activateWindow();
    const int code = QApplication::exec();
    form.detachDataModule();
    return code;
}
