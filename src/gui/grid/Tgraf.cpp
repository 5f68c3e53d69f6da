#include "gui/grid/Tgraf.h"

#include "base/Datum.h"
#include "db/TOracleDataSet.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <optional>

namespace orv::gui {

namespace {

QString label(const FieldInfo& field) {
    return QString::fromStdString(field.displayLabel.empty() ? field.name : field.displayLabel);
}

// The y value of the current row; none for NULL and for a text that is no number.
std::optional<double> yValue(Field field) {
    if (field.IsNull()) return std::nullopt;
    try {
        return field.AsFloat();
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

QDateTime dateTimeOf(DateValue value) {
    const DateParts p = decodeDate(value);
    return QDateTime(QDate(p.year, p.month, p.day), QTime(p.hour, p.minute, p.second));
}

void buildLine(QChart* chart, TOracleDataSet& dataset, int x, int y) {
    const FieldInfo& xField = dataset.fieldInfos()[static_cast<size_t>(x)];
    const bool dates = xField.type == FieldType::Date;
    auto* series = new QLineSeries;
    series->setName(label(dataset.fieldInfos()[static_cast<size_t>(y)]));
    for (dataset.First(); !dataset.Eof(); dataset.Next()) {
        Field xf = dataset.Fields(x);
        const auto yv = yValue(dataset.Fields(y));
        if (xf.IsNull() || !yv) continue;
        const double xv =
            dates ? double(dateTimeOf(xf.AsDateTime()).toMSecsSinceEpoch()) : xf.AsFloat();
        series->append(xv, *yv);
    }
    chart->addSeries(series);
    QAbstractAxis* xAxis = nullptr;
    if (dates) {
        auto* axis = new QDateTimeAxis;
        axis->setFormat("dd.MM.yyyy");
        // Over a few days, one tick a day, so that no date shows twice.
        if (series->count() > 1) {
            double first = series->at(0).x();
            double last = first;
            for (const QPointF& point : series->points()) {
                first = std::min(first, point.x());
                last = std::max(last, point.x());
            }
            const double days = (last - first) / 86400000.0;
            if (days >= 1 && days < 10) axis->setTickCount(static_cast<int>(days) + 1);
        }
        xAxis = axis;
    } else {
        xAxis = new QValueAxis;
    }
    chart->addAxis(xAxis, Qt::AlignBottom);
    series->attachAxis(xAxis);
    auto* yAxis = new QValueAxis;
    chart->addAxis(yAxis, Qt::AlignLeft);
    series->attachAxis(yAxis);
}

void buildBars(QChart* chart, TOracleDataSet& dataset, int x, int y) {
    auto* set = new QBarSet(label(dataset.fieldInfos()[static_cast<size_t>(y)]));
    QStringList categories;
    for (dataset.First(); !dataset.Eof(); dataset.Next()) {
        const auto yv = yValue(dataset.Fields(y));
        if (!yv) continue;
        categories << QString::fromStdString(dataset.Fields(x).AsString());
        *set << *yv;
    }
    auto* series = new QBarSeries;
    series->append(set);
    chart->addSeries(series);
    auto* xAxis = new QBarCategoryAxis;
    xAxis->append(categories);
    chart->addAxis(xAxis, Qt::AlignBottom);
    series->attachAxis(xAxis);
    auto* yAxis = new QValueAxis;
    chart->addAxis(yAxis, Qt::AlignLeft);
    series->attachAxis(yAxis);
}

} // namespace

Tgraf::Tgraf(TOracleDataSet& dataset, int x, int y, QWidget* parent) : QDialog(parent) {
    setObjectName("graf");
    setWindowTitle("Graf");
    auto* chart = new QChart;
    chart->legend()->hide();
    if (dataset.fieldInfos()[static_cast<size_t>(x)].type == FieldType::String)
        buildBars(chart, dataset, x, y);
    else
        buildLine(chart, dataset, x, y);
    dataset.First();
    chart->axes(Qt::Horizontal)
        .first()
        ->setTitleText(label(dataset.fieldInfos()[static_cast<size_t>(x)]));
    chart->axes(Qt::Vertical)
        .first()
        ->setTitleText(label(dataset.fieldInfos()[static_cast<size_t>(y)]));
    view = new QChartView(chart, this);
    view->setObjectName("chartView");
    view->setRenderHint(QPainter::Antialiasing);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    resize(900, 600);
}

QChart* Tgraf::chart() const {
    return view->chart();
}

} // namespace orv::gui
