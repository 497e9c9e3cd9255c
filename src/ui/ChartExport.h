#pragma once

#include <QWidget>
#include <functional>
#include <string>

class Dialogs;
class QChart;
class QChartView;
class QImage;

// A chart with its export: "Copy Chart" puts a picture of it on the
// clipboard, "Save Chart" writes it as a PNG picture or an SVG drawing. Both
// are buttons below the chart and entries of its context menu.
class ChartPanel : public QWidget {
  Q_OBJECT

 public:
  // `folder` gives where the save dialog starts (the location's folder).
  ChartPanel(Dialogs& dialogs, std::function<std::string()> folder, QWidget* parent = nullptr);

  QChartView* View() const { return view_; }
  QChart* Chart() const;

  // The chart as shown, at twice the screen's pixels for a sharp print.
  QImage Picture() const;
  void CopyChart();
  // Asks for a name and saves; a failed write is reported.
  void SaveChart();
  // Writes the picture (PNG) or the drawing (SVG) by the file name's
  // ending, whole or not at all; false when it could not be written.
  bool WriteChart(const QString& path) const;

 private:
  Dialogs& dialogs_;
  std::function<std::string()> folder_;
  QChartView* view_ = nullptr;
};
