#include "gui/grid/GridButtons.h"

#include "gui/grid/TFwwDBGrid.h"

#include <QApplication>
#include <QStyle>
#include <QToolButton>

namespace orv::gui {

namespace {

struct Shared {
    std::array<QPointer<QToolButton>, kGridButtonCount> buttons;
    QPointer<TFwwDBGrid> owner;
};

Shared& shared() {
    static Shared state;
    return state;
}

struct Look {
    const char* name;
    const char* hint;
    QStyle::StandardPixmap icon;
};

Look lookOf(TGridButton tool) {
    switch (tool) {
    case TGridButton::gbLocate:
        return {"btnLocate", "Iskanje", QStyle::SP_FileDialogContentsView};
    case TGridButton::gbZoom:
        return {"btnZoom", "Podrobnosti", QStyle::SP_FileDialogInfoView};
    case TGridButton::gbView:
        return {"btnView", "Izbira stolpcev", QStyle::SP_FileDialogDetailedView};
    case TGridButton::gbPrint:
        return {"btnPrint", "Tiskanje", QStyle::SP_FileIcon};
    case TGridButton::gbPrintGroup:
        return {"btnPrintGroup", "Tiskanje po skupinah", QStyle::SP_FileDialogListView};
    case TGridButton::gbRefresh:
        return {"btnRefresh", "Osveži", QStyle::SP_BrowserReload};
    case TGridButton::gbSort:
        return {"btnSort", "Razvrščanje", QStyle::SP_ArrowDown};
    case TGridButton::gbGraph:
        return {"btnGraph", "Graf", QStyle::SP_ComputerIcon};
    case TGridButton::gbTitleWordWrap:
        return {"btnTitleWordWrap", "Naslovi v več vrsticah", QStyle::SP_TitleBarUnshadeButton};
    case TGridButton::gbCopyToClip:
        return {"btnCopyToClip", "Kopiraj v odložišče", QStyle::SP_DialogApplyButton};
    case TGridButton::gbExport:
        return {"btnExport", "Izvoz", QStyle::SP_DialogSaveButton};
    }
    return {"", "", QStyle::SP_CustomBase};
}

} // namespace

const std::array<TGridButton, 11>& GridButtons::barOrder() {
    static const std::array<TGridButton, 11> order = {
        TGridButton::gbZoom,       TGridButton::gbView,          TGridButton::gbPrint,
        TGridButton::gbPrintGroup, TGridButton::gbLocate,        TGridButton::gbRefresh,
        TGridButton::gbSort,       TGridButton::gbTitleWordWrap, TGridButton::gbGraph,
        TGridButton::gbCopyToClip, TGridButton::gbExport};
    return order;
}

QToolButton* GridButtons::button(TGridButton tool) {
    QPointer<QToolButton>& slot = shared().buttons[static_cast<size_t>(tool)];
    if (!slot) {
        const Look look = lookOf(tool);
        slot = new QToolButton;
        slot->setObjectName(QString::fromLatin1(look.name));
        slot->setToolTip(QString::fromUtf8(look.hint));
        slot->setIcon(QApplication::style()->standardIcon(look.icon));
        slot->setAutoRaise(true);
        slot->setFixedSize(kSize, kSize);
        // The buttons never take the focus: a click must not close the tool bar it belongs to.
        slot->setFocusPolicy(Qt::NoFocus);
        slot->hide();
        QObject::connect(slot, &QToolButton::clicked, [tool] {
            if (TFwwDBGrid* grid = shared().owner) grid->runTool(tool);
        });
    }
    return slot;
}

void GridButtons::attach(TFwwDBGrid* grid, int left, int top) {
    shared().owner = grid;
    int x = left;
    for (const TGridButton tool : barOrder()) {
        QToolButton* b = button(tool);
        b->setParent(grid->parentWidget());
        b->move(x, top);
        b->setEnabled(grid->toolEnabled(tool));
        b->show();
        b->raise();
        x += kSize;
    }
}

void GridButtons::detach(TFwwDBGrid* grid) {
    if (shared().owner != grid) return;
    for (const auto& b : shared().buttons)
        if (b) {
            b->hide();
            b->setParent(nullptr);
        }
    shared().owner = nullptr;
}

TFwwDBGrid* GridButtons::owner() {
    return shared().owner;
}

} // namespace orv::gui
