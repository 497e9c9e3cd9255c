#include "ui/OptimizationReportChart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QValueAxis>
#include <algorithm>

#include "app/GrowthChartData.h"
#include "ui/CoreText.h"

namespace {

// The report's colours of the start (cyan) and the optimum (green), deep
// enough for a bar.
const QColor kStartColor(64, 168, 196);
const QColor kOptimumColor(76, 175, 80);

constexpr int kChartFeed = 0;
constexpr int kChartCost = 1;
constexpr int kValueSteps = 6;
constexpr double kHeadroom = 1.12;  // room for the values above the bars

QBarSet* Bars(const char* caption, const QColor& color) {
  auto* bars = new QBarSet(QString::fromLatin1(caption));
  bars->setColor(color);
  bars->setBorderColor(color.darker(115));
  bars->setLabelColor(Qt::black);
  return bars;
}

}  // namespace

OptimizationReportChart::OptimizationReportChart(Dialogs& dialogs,
                                                 std::function<std::string()> folder,
                                                 QWidget* parent)
    : ChartPanel(dialogs, std::move(folder), 2, parent) {
  setObjectName(QStringLiteral("OptimizationReportChart"));
  View(kChartFeed)->setObjectName(QStringLiteral("FeedBarsView"));
  View(kChartCost)->setObjectName(QStringLiteral("CostBarsView"));
  for (int i : {kChartFeed, kChartCost}) {
    QChart* chart = Chart(i);
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    dietAxis_[i] = new QBarCategoryAxis;
    valueAxis_[i] = new QValueAxis;
    valueAxis_[i]->setLabelFormat(QStringLiteral("%g"));
    chart->addAxis(dietAxis_[i], Qt::AlignBottom);
    chart->addAxis(valueAxis_[i], Qt::AlignLeft);
  }
  Draw();
}

void OptimizationReportChart::Show(const OptChartData& data) {
  if (drawn_ && data == data_) return;
  data_ = data;
  Draw();
}

void OptimizationReportChart::Draw() {
  drawn_ = true;
  const bool empty = data_.diets == 0;
  const QString titles[] = {FromCoreText(FeedBarsTitle(data_)), FromCoreText(kCostBarsTitle)};
  for (int i : {kChartFeed, kChartCost}) {
    QChart* chart = Chart(i);
    chart->removeAllSeries();
    chart->setTitle(empty && i == kChartFeed ? FromCoreText(kNoOptChartYet) : titles[i]);
    dietAxis_[i]->setVisible(!empty);
    valueAxis_[i]->setVisible(!empty);
    if (empty) continue;

    QBarSet* start = Bars(kStartBars, kStartColor);
    QBarSet* optimum = Bars(kOptimumBars, kOptimumColor);
    QStringList diets;
    double highest = 0;
    for (int d = 1; d <= data_.diets; ++d) {
      const DietBars& bars = data_.diet[d];
      const double from = i == kChartFeed ? bars.startFeed : bars.startCost;
      const double to = i == kChartFeed ? bars.optimumFeed : bars.optimumCost;
      *start << from;
      *optimum << to;
      highest = std::max({highest, from, to});
      diets << FromCoreText(DietBarLabel(d));
    }
    auto* series = new QBarSeries;
    series->setObjectName(i == kChartFeed ? QStringLiteral("FeedBars")
                                          : QStringLiteral("CostBars"));
    series->append(start);
    series->append(optimum);
    series->setLabelsVisible(true);
    series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    series->setLabelsFormat(QStringLiteral("@value"));
    series->setLabelsPrecision(3);
    chart->addSeries(series);

    dietAxis_[i]->clear();
    dietAxis_[i]->append(diets);
    const AxisScale scale = NiceScale(0, std::max(highest * kHeadroom, 0.01), kValueSteps);
    QValueAxis* values = valueAxis_[i];
    values->setRange(scale.low, scale.high);
    values->setTickType(QValueAxis::TicksDynamic);
    values->setTickAnchor(scale.low);
    values->setTickInterval(scale.step);
    series->attachAxis(dietAxis_[i]);
    series->attachAxis(values);
  }
  ShowLegend();
}
