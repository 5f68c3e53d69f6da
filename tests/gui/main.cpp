// The desktop program's tests. Without a display they run on the offscreen platform.
//
//   test_gui [TestClass] [Qt Test options]

#include "gui/BankLockTest.h"
#include "gui/GridTest.h"
#include "gui/MainWindowTest.h"
#include "gui/PrintTest.h"
#include "gui/RunTest.h"
#include "gui/StartupTest.h"
#include "gui/UvozDialogTest.h"
#include "gui/grid/Slovenscina.h"

#include <QApplication>
#include <QTest>

#include <cstring>
#include <functional>
#include <memory>
#include <vector>

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setStyle("Fusion");
    // As the program does: the pictures show what the operator reads.
    orv::gui::namestiSlovenskePrevode(application);

    std::vector<std::unique_ptr<QObject>> tests;
    tests.push_back(std::make_unique<orv::gui::test::StartupTest>());
    tests.push_back(std::make_unique<orv::gui::test::MainWindowTest>());
    tests.push_back(std::make_unique<orv::gui::test::GridTest>());
    tests.push_back(std::make_unique<orv::gui::test::UvozDialogTest>());
    tests.push_back(std::make_unique<orv::gui::test::PrintTest>());
    tests.push_back(std::make_unique<orv::gui::test::BankLockTest>());
    tests.push_back(std::make_unique<orv::gui::test::RunTest>());

    // A first argument that names a test class runs only that class.
    const char* only = argc > 1 && argv[1][0] != '-' ? argv[1] : nullptr;
    std::vector<char*> arguments(argv, argv + argc);
    if (only) arguments.erase(arguments.begin() + 1);

    int failures = 0;
    for (const auto& test : tests) {
        if (only && std::strcmp(test->metaObject()->className(), only) != 0 &&
            !QByteArray(test->metaObject()->className()).endsWith(QByteArray("::") + only))
            continue;
        failures += QTest::qExec(test.get(), static_cast<int>(arguments.size()), arguments.data());
    }
    return failures == 0 ? 0 : 1;
}
