#pragma once
// The data grid of the program's component library: the rows of one dataset, read-only and a
// whole row at a time, with a caption label bound to it, a tool bar that a click on a column
// title opens, and a remembered choice of visible columns (`selected`).
//
// The grid reads the dataset through a DataSetModel; it never copies rows into widgets, so a
// dataset of any size scrolls at the speed of the rows in view. The model's columns are the
// dataset's fields in field order; the grid keeps the visible columns' order and visibility in
// its header and in the fields' metadata.

#include <QPointer>
#include <QTableView>

#include <functional>
#include <string>
#include <vector>

#include <QLabel>

class QToolButton;

namespace orv {
class TOracleDataSet;
}

namespace orv::gui {

class DataSetModel;
class TitleHeader;

/// The tools of the tool bar; the order fixes the bit of each in TGridButtons.
enum class TGridButton {
    gbLocate,
    gbZoom,
    gbView,
    gbPrint,
    gbPrintGroup,
    gbRefresh,
    gbSort,
    gbGraph,
    gbTitleWordWrap,
    gbCopyToClip,
    gbExport
};
constexpr int kGridButtonCount = 11;

/// A set of tools.
class TGridButtons {
public:
    constexpr TGridButtons() = default;
    constexpr TGridButtons(std::initializer_list<TGridButton> buttons) {
        for (const TGridButton button : buttons)
            bits_ |= bit(button);
    }
    static constexpr TGridButtons all() {
        TGridButtons every;
        every.bits_ = (1u << kGridButtonCount) - 1;
        return every;
    }
    constexpr bool contains(TGridButton button) const { return (bits_ & bit(button)) != 0; }
    constexpr unsigned bits() const { return bits_; }
    constexpr bool operator==(const TGridButtons&) const = default;

private:
    static constexpr unsigned bit(TGridButton button) { return 1u << static_cast<int>(button); }
    unsigned bits_ = 0;
};

enum class TLabelAlign { laNone, laLeft, laRight, laTop, laBottom };

/// One ordering the sort tool offers.
struct TSortItem {
    std::string DisplayText;
    std::vector<std::string> Columns;
};

class TFwwDBGrid : public QTableView {
    Q_OBJECT
public:
    explicit TFwwDBGrid(QWidget* parent = nullptr);
    ~TFwwDBGrid() override;

    // --- Published properties ------------------------------------------------------------

    TGridButtons gridButtons = TGridButtons::all();
    QString labelText;
    TLabelAlign labelAlign = TLabelAlign::laTop;
    int labelSpacing = 5;
    std::vector<TSortItem> SortInfo;
    std::function<void(TFwwDBGrid*, const TSortItem&)> OnCustomSort;
    std::function<void(TFwwDBGrid*)> OnZoom;
    std::function<void(TFwwDBGrid*)> OnPrint;
    /// Stored by the forms; they do not change how cells are drawn.
    QFont SelFont;
    QColor SelColor;

    /// True when the grid shows a horizontal scroll bar (alone or with a vertical one). Setting
    /// it chooses a horizontal bar only, or none.
    bool ShowHorzScrollBar() const;
    void setShowHorzScrollBar(bool show);
    /// When false, the grid never shows a vertical scroll bar.
    bool ShowVertscrollBar() const { return showVertScrollBar_; }
    void setShowVertscrollBar(bool show);

    /// The visible columns, one line each: field name, TAB, display width, TAB, display label.
    const QStringList& selected() const { return selected_; }
    /// Sets the list; it is applied when the next rows are loaded (and before the chooser opens).
    void setSelected(const QStringList& lines) { selected_ = lines; }

    QFont titleFont() const;
    void setTitleFont(const QFont& font);
    bool TitleWordwrap() const { return titleWordwrap_; }
    void setTitleWordwrap(bool wrap);

    /// Fills the parent's client area, as a grid aligned to its whole parent does.
    void setFillsParent(bool fills);
    bool fillsParent() const { return fillsParent_; }

    // --- Data ----------------------------------------------------------------------------

    /// The model is a DataSetModel; any other model shows no rows.
    void setModel(QAbstractItemModel* model) override;
    DataSetModel* dataSetModel() const { return dataModel_; }
    TOracleDataSet* dataSet() const;

    /// Field positions of the visible columns in their order, and of the hidden fields.
    std::vector<int> visibleFields() const;
    std::vector<int> hiddenFields() const;
    /// Shows the given fields in this order and hides the rest.
    void showFields(const std::vector<int>& visible);
    /// Applies a non-empty `selected`: only the listed fields that the dataset has are shown,
    /// at their line's position; widths and labels in the lines are not applied.
    void applySelected();
    /// Writes `selected` anew from the visible fields in their order.
    void rewriteSelected();
    /// Sizes the columns: by their fields' display widths, or to their contents.
    void sizeColumns();
    /// Selects the dataset's current row in the grid.
    void showCurrentRow();

    // --- Tool bar ------------------------------------------------------------------------

    QLabel* label() const { return label_; }
    bool toolBarOpen() const { return toolBarOpen_; }
    void openToolBar();
    void closeToolBar();
    /// The shared button of a tool (created on first use).
    static QToolButton* toolButton(TGridButton button);
    /// Runs a tool as a click on its button does: only when it is enabled for this grid.
    void runTool(TGridButton button);
    /// True when the tool's button may be enabled: it is in gridButtons.
    bool toolEnabled(TGridButton button) const;

    // --- Tools ---------------------------------------------------------------------------

    void Zoom();
    void ColumnChooser();
    void Print();
    void PrintGroup();
    void Locate();
    void Refresh();
    void Sort();
    void ToggleTitleWordWrap();
    void Chart();
    void CopyToClipboard();
    void Export();
    /// The position in SortInfo of the ordering last chosen; -1 when none.
    int sortIndex() const { return sortIndex_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    class Arranging;
    void dataReset();
    void titleClicked();
    void columnResized(int logical, int oldSize, int newSize);
    void setTitleColour(const QColor& colour);
    void updateScrollBars();
    void ensureLabel();
    void layOut();
    bool hasOpenDataSet() const;

    DataSetModel* dataModel_ = nullptr;
    TitleHeader* titles_;
    QPointer<QLabel> label_;
    QStringList selected_;
    bool titleWordwrap_ = false;
    bool fillsParent_ = false;
    bool toolBarOpen_ = false;
    bool laying_ = false;
    bool sizing_ = false;
    enum class ScrollBars { None, Horizontal, Vertical, Both } scrollBars_ = ScrollBars::Both;
    bool showVertScrollBar_ = true;
    int sortIndex_ = -1;
};

} // namespace orv::gui
