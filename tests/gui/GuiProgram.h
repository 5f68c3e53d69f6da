#pragma once
// The desktop program as a test runs it: a small bank of its own, the main window with its data
// module, and scripted answers for every modal dialog.

#include "db/TDM.h"
#include "gui/DialogAnswers.h"
#include "gui/TForm1.h"
#include "support/TestBank.h"

#include <string>
#include <vector>

namespace orv::gui::test {

/// The command line of the demo bank's operator.
std::vector<std::string> demoParameters();

class GuiProgram {
public:
    explicit GuiProgram(std::vector<std::string> parameters = demoParameters());
    /// The data module goes before the window, as in the program: the window lets go of it.
    ~GuiProgram() { form.detachDataModule(); }
    GuiProgram(const GuiProgram&) = delete;
    GuiProgram& operator=(const GuiProgram&) = delete;

    orv::test::TestBank bank; // first: it points the alias store at itself
    DialogAnswers dialogs;
    TForm1 form;
    TDM dm;

    /// Shows the window and waits for the first activation to have run.
    void start();

    /// Adds an alias of the given driver type with one parameter to the bank's alias store.
    void addAlias(const std::string& alias, const std::string& driver, const std::string& name,
                  const std::string& value) const;
    /// Account classes for the class selector: (SIF, NZV) pairs.
    void addClasses(const std::vector<std::pair<std::string, std::string>>& classes) const;
    /// Output rows: (DAT_STANJE, POGODBA, ZNESEK_VAL).
    void addRows(const std::vector<std::tuple<std::string, std::string, double>>& rows) const;
};

} // namespace orv::gui::test
