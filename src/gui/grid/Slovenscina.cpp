#include "gui/grid/Slovenscina.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

namespace orv::gui {

bool namestiSlovenskePrevode(QCoreApplication& application) {
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral("qt_sl"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

void slovenskiGumbi(QMessageBox& box) {
    const std::pair<QMessageBox::StandardButton, const char*> captions[] = {
        {QMessageBox::Ok, "&V redu"},
        {QMessageBox::Cancel, "&Prekliči"},
        {QMessageBox::Yes, "&Da"},
        {QMessageBox::No, "&Ne"}};
    for (const auto& [which, caption] : captions)
        if (QAbstractButton* button = box.button(which))
            button->setText(QString::fromUtf8(caption));
}

} // namespace orv::gui
