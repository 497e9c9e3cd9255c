#include "report/ReportChartPicture.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "report/GrowthChartStyle.h"

namespace {

using namespace GrowthChartStyle;

const QColor kGridColor(225, 225, 225);
constexpr qreal kGap = 6;  // points between the plot and its labels

// Maps chart values onto the plot rectangle.
struct Plot {
  QRectF area;
  AxisScale age, weight, feed;
  QPointF At(double x, double y, const AxisScale& value) const {
    const double fx = (x - age.low) / (age.high - age.low);
    const double fy = (y - value.low) / (value.high - value.low);
    return {area.left() + fx * area.width(), area.bottom() - fy * area.height()};
  }
};

QString Tick(double value) { return QString::number(value, 'g', 6); }

// The values of an axis's ticks; none for a scale without steps.
QList<double> Ticks(const AxisScale& scale) {
  constexpr int kMostTicks = 50;
  QList<double> ticks;
  if (!(scale.step > 0)) return ticks;
  for (int k = 0; k <= kMostTicks; ++k) {
    const double value = scale.low + k * scale.step;
    if (value > scale.high + scale.step * 1e-9) break;
    ticks.append(value);
  }
  return ticks;
}

void DrawAxes(QPainter& painter, const Plot& plot, const GrowthChartData& chart) {
  const QFontMetricsF metrics(painter.font());
  for (double a : Ticks(plot.age)) {
    const QPointF at = plot.At(a, plot.weight.low, plot.weight);
    painter.setPen(kGridColor);
    painter.drawLine(QPointF(at.x(), plot.area.top()), at);
    painter.setPen(Qt::black);
    const QString text = Tick(a);
    painter.drawText(QPointF(at.x() - metrics.horizontalAdvance(text) / 2,
                             plot.area.bottom() + kGap + metrics.ascent()),
                     text);
  }
  for (double w : Ticks(plot.weight)) {
    const QPointF at = plot.At(plot.age.low, w, plot.weight);
    painter.setPen(kGridColor);
    painter.drawLine(at, QPointF(plot.area.right(), at.y()));
    painter.setPen(Qt::black);
    const QString text = Tick(w);
    painter.drawText(
        QPointF(at.x() - kGap - metrics.horizontalAdvance(text), at.y() + metrics.ascent() / 2),
        text);
  }
  painter.setPen(kFeedColor);
  for (double f : Ticks(plot.feed)) {
    const QPointF at = plot.At(plot.age.high, f, plot.feed);
    painter.drawText(QPointF(at.x() + kGap, at.y() + metrics.ascent() / 2), Tick(f));
  }
  painter.setPen(Qt::black);
  painter.drawRect(plot.area);
  const QString ageTitle = QStringLiteral("Age, days");
  painter.drawText(QPointF(plot.area.center().x() - metrics.horizontalAdvance(ageTitle) / 2,
                           plot.area.bottom() + 2 * kGap + 2 * metrics.height()),
                   ageTitle);
  painter.save();
  painter.translate(metrics.ascent() + 1, plot.area.center().y());
  painter.rotate(-90);
  const QString weightTitle = QString::fromStdString(WeightAxisTitle(chart));
  painter.drawText(QPointF(-metrics.horizontalAdvance(weightTitle) / 2, 0), weightTitle);
  painter.restore();
  painter.save();
  painter.setPen(kFeedColor);
  painter.translate(plot.area.right() + 5 * kGap + metrics.height() - metrics.ascent(),
                    plot.area.center().y());
  painter.rotate(90);
  const QString feedTitle = QString::fromStdString(FeedAxisTitle(chart));
  painter.drawText(QPointF(-metrics.horizontalAdvance(feedTitle) / 2, 0), feedTitle);
  painter.restore();
}

void DrawCurves(QPainter& painter, const Plot& plot, const GrowthChartData& chart) {
  QPainterPath weight;
  QPainterPath feed;
  bool feedStarted = false;
  for (int d = 1; d <= chart.curve.dayCount; ++d) {
    const ChartDay& day = chart.curve.days[d];
    const QPointF w = plot.At(day.age, day.weight, plot.weight);
    d == 1 ? weight.moveTo(w) : weight.lineTo(w);
    if (!day.fed) continue;
    const QPointF f = plot.At(day.age, day.feed, plot.feed);
    feedStarted ? feed.lineTo(f) : feed.moveTo(f);
    feedStarted = true;
  }
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(kFeedColor, 1.5));
  painter.drawPath(feed);
  painter.setPen(QPen(kWeightColor, 2.5));
  painter.drawPath(weight);
  if (chart.finalWeight > 0) {
    painter.setPen(QPen(kFinalColor, 1.5, Qt::DashLine));
    painter.drawLine(plot.At(plot.age.low, chart.finalWeight, plot.weight),
                     plot.At(plot.age.high, chart.finalWeight, plot.weight));
  }
  painter.setPen(kObservedColor);
  painter.setBrush(kObservedColor);
  for (int i = 1; i <= chart.observedCount; ++i)
    painter.drawEllipse(
        plot.At(chart.observed[i].age, chart.observed[i].weight, plot.weight), 3, 3);
}

// A dashed line at each diet change, the diet's name reading up beside it.
void DrawDietChanges(QPainter& painter, const Plot& plot, const GrowthChartData& chart) {
  const QFontMetricsF metrics(painter.font());
  auto label = [&](double age, const std::string& name) {
    const QPointF at = plot.At(age, plot.weight.high, plot.weight);
    const QString text = QString::fromStdString(name);
    painter.save();
    painter.setPen(kMarkerColor.darker(130));
    painter.translate(at.x() + kGap / 2 + metrics.ascent(), at.y() + kGap);
    painter.rotate(90);
    painter.drawText(QPointF(0, 0), text);
    painter.restore();
  };
  if (chart.curve.dayCount > 0) label(chart.curve.days[1].age, chart.firstDiet);
  for (int i = 1; i <= chart.changeCount; ++i) {
    painter.setPen(QPen(kMarkerColor, 1, Qt::DashLine));
    painter.drawLine(plot.At(chart.changes[i].age, plot.weight.low, plot.weight),
                     plot.At(chart.changes[i].age, plot.weight.high, plot.weight));
    label(chart.changes[i].age, chart.changes[i].name);
  }
}

// Entries side by side, a new line when the next does not fit.
void DrawLegend(QPainter& painter, const QRectF& room, const GrowthChartData& chart) {
  struct Entry {
    QString text;
    QColor color;
  };
  QList<Entry> entries{{QStringLiteral("Live weight"), kWeightColor},
                       {QStringLiteral("Daily feed"), kFeedColor}};
  if (chart.finalWeight > 0) entries.append({QStringLiteral("Final weight"), kFinalColor});
  if (chart.observedCount > 0) entries.append({QStringLiteral("Weighed"), kObservedColor});
  const QFontMetricsF metrics(painter.font());
  const qreal box = metrics.ascent();
  QPointF at = room.topLeft();
  for (const Entry& entry : entries) {
    const qreal width = box + kGap / 2 + metrics.horizontalAdvance(entry.text) + 2 * kGap;
    if (at.x() + width > room.right() && at.x() > room.left())
      at = QPointF(room.left(), at.y() + metrics.height());
    painter.fillRect(QRectF(at.x(), at.y(), box, box), entry.color);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(at.x() + box + kGap / 2, at.y() + metrics.ascent()), entry.text);
    at.rx() += width;
  }
}

}  // namespace

QImage GrowthChartPicture(const GrowthChartData& chart, QSize size, qreal scale) {
  QImage picture(size * scale, QImage::Format_ARGB32_Premultiplied);
  picture.setDevicePixelRatio(scale);
  picture.fill(Qt::white);
  const ChartExtent extent = ExtentOf(chart);
  if (extent.empty) return picture;
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  QFont font = painter.font();
  font.setPixelSize(11);
  painter.setFont(font);
  const QFontMetricsF metrics(font);
  const qreal legend = 2 * metrics.height() + kGap;
  Plot plot;
  plot.area = QRectF(6 * kGap + 2 * metrics.height(),
                     2 * kGap,
                     size.width() - 12 * kGap - 4 * metrics.height(),
                     size.height() - 4 * kGap - 3 * metrics.height() - legend);
  plot.age = NiceScale(extent.firstAge, extent.lastAge, kAgeSteps);
  plot.weight = NiceScale(0, extent.maxWeight * kHeadroom, kValueSteps);
  plot.feed = NiceScale(0, extent.maxFeed * kHeadroom, kValueSteps);
  DrawAxes(painter, plot, chart);
  painter.setClipRect(plot.area);
  DrawCurves(painter, plot, chart);
  DrawDietChanges(painter, plot, chart);
  painter.setClipping(false);
  DrawLegend(
      painter, QRectF(plot.area.left(), size.height() - legend, plot.area.width(), legend), chart);
  return picture;
}
