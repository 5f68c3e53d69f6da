#include "gui/GuiProgram.h"

#include "base/AliasStore.h"

#include <QTest>

#include <tuple>

namespace orv::gui::test {

std::vector<std::string> demoParameters() {
    return {"ORVDEMO", "OPERATER", "demo"};
}

GuiProgram::GuiProgram(std::vector<std::string> parameters)
    : form(std::move(parameters)), dm(form, bank.folder() + "/") {
    form.attachDataModule(dm);
}

void GuiProgram::start() {
    form.show();
    // The window's activation runs the start-up. Should the platform not activate it, the
    // handler is called by hand: it does nothing the second time.
    static_cast<void>(QTest::qWaitForWindowActive(&form, 2000));
    form.AppActivate();
}

void GuiProgram::addAlias(const std::string& alias, const std::string& driver,
                          const std::string& name, const std::string& value) const {
    AliasStore(bank.folder() + "/aliasi.ini").writeAlias(alias, {driver, {{name, value}}});
}

void GuiProgram::addClasses(const std::vector<std::pair<std::string, std::string>>& classes) const {
    for (const auto& [sif, nzv] : classes)
        bank.exec("insert into SIF (SSF, SIF, NZV) values ('VKNT', '" + sif + "', '" + nzv + "')");
}

void GuiProgram::addRows(
    const std::vector<std::tuple<std::string, std::string, double>>& rows) const {
    for (const auto& [date, contract, amount] : rows)
        bank.exec("insert into POD_ORVEL (DAT_STANJE, POGODBA, ZNESEK_VAL) values ('" + date +
                  "', '" + contract + "', " + std::to_string(amount) + ")");
}

} // namespace orv::gui::test
