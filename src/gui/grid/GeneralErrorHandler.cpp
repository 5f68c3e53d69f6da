#include "gui/grid/GeneralErrorHandler.h"

#include "gui/grid/ModalDialogs.h"

#include <exception>

namespace orv::gui {

void runCommand(QWidget* owner, const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& error) {
        showErrorBox(owner, error.what());
    } catch (...) {
        // Qt must never see an exception leave an event handler; nothing of ours throws others.
        showErrorBox(owner, "Neznana napaka");
    }
}

} // namespace orv::gui
