#include "gui/VkntSelector.h"

namespace orv::gui {

void VkntSelector::hidePopup() {
    QComboBox::hidePopup();
    emit closedUp();
}

void VkntSelector::keyReleaseEvent(QKeyEvent* event) {
    QComboBox::keyReleaseEvent(event);
    emit keyReleased();
}

} // namespace orv::gui
