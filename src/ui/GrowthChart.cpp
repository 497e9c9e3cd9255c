#include "ui/GrowthChart.h"

#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QGraphicsSimpleTextItem>
#include <QLineSeries>
#include <QPen>
#include <QScatterSeries>
#include <QTimer>
#include <QValueAxis>
#include <cmath>

#include "app/App.h"
#include "report/GrowthChartStyle.h"
#include "ui/ChartPanel.h"
#include "ui/CoreText.h"

namespace {

using namespace GrowthChartStyle;

QPen Pen(const QColor& color, qreal width, Qt::PenStyle style = Qt::SolidLine) {
  QPen pen(color, width, style);
  pen.setCapStyle(Qt::RoundCap);
  return pen;
}

QValueAxis* Axis(const char* format) {
  auto* axis = new QValueAxis;
  axis->setLabelFormat(QString::fromLatin1(format));
  QFont font = axis->titleFont();
  font.setBold(false);
  axis->setTitleFont(font);
  return axis;
}

void SetScale(QValueAxis* axis, const AxisScale& scale) {
  axis->setRange(scale.low, scale.high);
  axis->setTickType(QValueAxis::TicksDynamic);
  axis->setTickAnchor(scale.low);
  axis->setTickInterval(scale.step);
}

void HideFromLegend(QAbstractSeries* series) { series->setProperty(kInLegend, false); }

}  // namespace

GrowthChart::GrowthChart(App& app, QWidget* parent)
    : ChartPanel(
          app.dialogs, [&app] { return app.location.dataFolder; }, 1, parent),
      app_(app) {
  setObjectName(QStringLiteral("GrowthChart"));
  View()->setObjectName(QStringLiteral("GrowthChartView"));
  QChart* chart = Chart();
  chart->setBackgroundRoundness(0);
  chart->setMargins(QMargins(4, 4, 4, 4));
  chart->layout()->setContentsMargins(0, 0, 0, 0);  // no frame of the view's grey
  // The axes stay for the chart's life; each drawing sets their ranges and
  // replaces the series.
  ageAxis_ = Axis("%g");
  weightAxis_ = Axis("%g");
  feedAxis_ = Axis("%g");
  ageAxis_->setTitleText(QStringLiteral("Age, days"));
  feedAxis_->setLinePenColor(kFeedColor);
  feedAxis_->setLabelsColor(kFeedColor);
  feedAxis_->setTitleBrush(kFeedColor);
  feedAxis_->setGridLineVisible(false);
  chart->addAxis(ageAxis_, Qt::AlignBottom);
  chart->addAxis(weightAxis_, Qt::AlignLeft);
  chart->addAxis(feedAxis_, Qt::AlignRight);
  connect(chart, &QChart::plotAreaChanged, this, [this] { PlaceDietLabels(); });
  Draw();
}

void GrowthChart::Follow() {
  if (FollowGrowthResults(data_, app_.resultsTable, app_.growth, app_.calibration)) Draw();
}

void GrowthChart::FollowSoon() {
  if (followPending_) return;
  followPending_ = true;
  QTimer::singleShot(0, this, [this] {
    followPending_ = false;
    Follow();
  });
}

void GrowthChart::SetRanges() {
  const ChartExtent extent = ExtentOf(data_);
  Chart()->setTitle(extent.empty ? FromCoreText(kNoGrowthChartYet) : QString());
  for (QValueAxis* axis : {ageAxis_, weightAxis_, feedAxis_}) axis->setVisible(!extent.empty);
  weightAxis_->setTitleText(FromCoreText(WeightAxisTitle(data_)));
  feedAxis_->setTitleText(FromCoreText(FeedAxisTitle(data_)));
  if (extent.empty) return;
  SetScale(ageAxis_, NiceScale(extent.firstAge, extent.lastAge, kAgeSteps));
  SetScale(weightAxis_, NiceScale(0, extent.maxWeight * kHeadroom, kValueSteps));
  SetScale(feedAxis_, NiceScale(0, extent.maxFeed * kHeadroom, kValueSteps));
}

QXYSeries* GrowthChart::AddSeries(QXYSeries* series,
                                  const char* name,
                                  const QString& caption,
                                  QValueAxis* valueAxis) {
  series->setObjectName(QString::fromLatin1(name));
  series->setName(caption);
  Chart()->addSeries(series);
  series->attachAxis(ageAxis_);
  series->attachAxis(valueAxis);
  return series;
}

void GrowthChart::Draw() {
  QChart* chart = Chart();
  chart->removeAllSeries();
  for (const DietLabel& label : dietLabels_) delete label.item;
  dietLabels_.clear();
  weight_ = nullptr;
  SetRanges();

  // The run before, under the others.
  if (data_.previous.dayCount > 0) {
    auto* previous = new QLineSeries;
    for (int d = 1; d <= data_.previous.dayCount; ++d)
      previous->append(data_.previous.days[d].age, data_.previous.days[d].weight);
    previous->setPen(Pen(kPreviousColor, 3));
    AddSeries(previous, "PreviousWeight", QStringLiteral("Previous run"), weightAxis_);
  }
  if (data_.curve.dayCount > 0) DrawCurve();
  if (data_.observedCount > 0) {
    auto* observed = new QScatterSeries;
    for (int i = 1; i <= data_.observedCount; ++i)
      observed->append(data_.observed[i].age, data_.observed[i].weight);
    observed->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    observed->setMarkerSize(9);
    observed->setColor(kObservedColor);
    observed->setBorderColor(Qt::white);
    AddSeries(observed, "ObservedWeights", QStringLiteral("Weighed"), weightAxis_);
  }
  ShowLegend();
  PlaceDietLabels();
}

// The run's weight and feed, its final weight and its diet changes.
void GrowthChart::DrawCurve() {
  QChart* chart = Chart();
  auto* feed = new QLineSeries;
  auto* weight = weight_ = new QLineSeries;
  for (int d = 1; d <= data_.curve.dayCount; ++d) {
    const ChartDay& day = data_.curve.days[d];
    weight->append(day.age, day.weight);
    if (day.fed) feed->append(day.age, day.feed);
  }
  feed->setPen(Pen(kFeedColor, 1.5));
  AddSeries(feed, "GrowthFeed", QStringLiteral("Daily feed"), feedAxis_);
  weight->setPen(Pen(kWeightColor, 2.5));
  AddSeries(weight, "GrowthWeight", QStringLiteral("Live weight"), weightAxis_);

  if (data_.finalWeight > 0) {
    auto* final = new QLineSeries;
    final->append(ageAxis_->min(), data_.finalWeight);
    final->append(ageAxis_->max(), data_.finalWeight);
    final->setPen(Pen(kFinalColor, 1.5, Qt::DashLine));
    AddSeries(final, "FinalWeight", QStringLiteral("Final weight"), weightAxis_);
  }

  // A dashed line at each diet change; each diet's name reads up beside the
  // line where it starts.
  for (int i = 1; i <= data_.changeCount; ++i) {
    auto* marker = new QLineSeries;
    marker->append(data_.changes[i].age, weightAxis_->min());
    marker->append(data_.changes[i].age, weightAxis_->max());
    marker->setPen(Pen(kMarkerColor, 1, Qt::DashLine));
    AddSeries(marker, "DietChange", FromCoreText(data_.changes[i].name), weightAxis_);
    HideFromLegend(marker);
  }
  auto label = [this, chart](double age, const std::string& name) {
    auto* item = new QGraphicsSimpleTextItem(FromCoreText(name), chart);
    item->setBrush(kMarkerColor.darker(130));
    item->setRotation(-90);
    item->setZValue(10);
    dietLabels_.push_back({age, item});
  };
  label(data_.curve.days[1].age, data_.firstDiet);
  for (int i = 1; i <= data_.changeCount; ++i) label(data_.changes[i].age, data_.changes[i].name);
}

// Each name reads upwards from near the top of the plot area, just right of
// its marker.
void GrowthChart::PlaceDietLabels() {
  QChart* chart = Chart();
  const QRectF area = chart->plotArea();
  if (!weight_ || area.isEmpty()) return;
  constexpr qreal kGap = 3;  // pixels from the marker and the top
  for (const DietLabel& label : dietLabels_) {
    if (!label.item) continue;
    const QPointF at = chart->mapToPosition(QPointF(label.age, 0), weight_);
    const QRectF text = label.item->boundingRect();  // before rotation
    label.item->setPos(at.x() + kGap, area.top() + kGap + text.width());
    label.item->setVisible(at.x() >= area.left() - 1 && at.x() + text.height() <= area.right());
  }
}
