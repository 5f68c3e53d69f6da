#pragma once
// The list selector of account classes: a combo box that also says when its list closes and
// when a key is released in it, the two moments the window takes the chosen class over.

#include <QComboBox>

namespace orv::gui {

class VkntSelector : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;

    void hidePopup() override;

signals:
    void closedUp();
    void keyReleased();

protected:
    void keyReleaseEvent(QKeyEvent* event) override;
};

} // namespace orv::gui
