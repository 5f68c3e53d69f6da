#pragma once
// The eleven tool buttons exist once per process and are shared by all grids: the grid whose
// tool bar is open owns them for that time (their parent is the grid's parent, their click goes
// to that grid).

#include <QPointer>

#include <array>

class QToolButton;

namespace orv::gui {

class TFwwDBGrid;
enum class TGridButton;

class GridButtons {
public:
    /// The buttons in their order on the tool bar, left to right.
    static const std::array<TGridButton, 11>& barOrder();

    /// The button of a tool, created on first use (also again after its parent was destroyed).
    static QToolButton* button(TGridButton tool);
    /// Hands the buttons to `grid`: parent, places, enabled states; shows them.
    static void attach(TFwwDBGrid* grid, int left, int top);
    /// Hides the buttons when `grid` owns them, and gives them up.
    static void detach(TFwwDBGrid* grid);
    /// The grid that owns the buttons now; nullptr when no tool bar is open.
    static TFwwDBGrid* owner();

    static constexpr int kSize = 22;
};

} // namespace orv::gui
