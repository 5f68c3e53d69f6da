#pragma once
// The chart window: the rows of a grid's dataset with the field of its first column as the x
// values and the field of its second column as the y values, their display labels as the axis
// titles. Numbers and dates on x draw a line; texts on x draw one bar per row.

#include <QDialog>

class QChart;
class QChartView;

namespace orv {
class TOracleDataSet;
}

namespace orv::gui {

class Tgraf : public QDialog {
    Q_OBJECT
public:
    /// Builds the chart of fields `x` and `y` (positions in the open dataset).
    Tgraf(TOracleDataSet& dataset, int x, int y, QWidget* parent = nullptr);

    QChart* chart() const;
    QChartView* view;
};

} // namespace orv::gui
