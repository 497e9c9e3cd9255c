// Desktop: ChartPanel, a chart with its copy and save.
#pragma once

#include <QList>
#include <QWidget>
#include <functional>
#include <string>

class Dialogs;
class QChart;
class QChartView;
class QImage;
class QLabel;
class QPainter;

// A chart with its export: "Copy Chart" puts a picture of it on the
// clipboard, "Save Chart" writes it as a PNG picture or an SVG drawing. Both
// are buttons below the chart and entries of its context menu. The legend
// lies below the charts and wraps onto more lines in a narrow window, so no
// entry is ever cut; the picture shows it too.
// A series whose property of this name is false has no legend entry.
inline constexpr const char* kInLegend = "inLegend";

class ChartPanel : public QWidget {
  Q_OBJECT

 public:
  // `folder` gives where the save dialog starts (the location's folder);
  // `charts` charts stand side by side and are exported as one picture.
  ChartPanel(Dialogs& dialogs,
             std::function<std::string()> folder,
             int charts = 1,
             QWidget* parent = nullptr);

  QChartView* View(int chart = 0) const { return views_.at(chart); }
  QChart* Chart(int chart = 0) const;
  QWidget* Area() const { return area_; }  // what the picture shows
  QLabel* Legend() const { return legend_; }

  // The legend of the charts' series (once each, kInLegend ones left out),
  // after a drawing.
  void ShowLegend();

  // The chart as shown, at twice the screen's pixels for a sharp print.
  QImage Picture() const;
  void CopyChart();
  // Asks for a name and saves; a failed write is reported.
  void SaveChart();
  // Writes the picture (PNG) or the drawing (SVG) by the file name's
  // ending, whole or not at all; false when it could not be written.
  bool WriteChart(const QString& path) const;

 private:
  void Draw(QPainter& painter) const;

  Dialogs& dialogs_;
  std::function<std::string()> folder_;
  QWidget* area_ = nullptr;
  QLabel* legend_ = nullptr;
  QList<QChartView*> views_;
};
