// Desktop: GrowthChart, the growth chart beside the daily table.
#pragma once

#include <vector>

#include "app/GrowthChartData.h"
#include "ui/ChartPanel.h"

class App;
class QGraphicsSimpleTextItem;
class QLineSeries;
class QValueAxis;
class QXYSeries;

// The growth chart beside the daily table: live weight and daily feed
// against age, the diet changes, the final weight, the weighings of the last
// calibration and the run before, all as the headless chart data
// (GrowthChartData) reads them from the results table. It only draws.
class GrowthChart : public ChartPanel {
  Q_OBJECT

 public:
  explicit GrowthChart(App& app, QWidget* parent = nullptr);

  // Reads the results table and the calibration again, as the window does
  // after every command; redraws when anything shown changed.
  void Follow();
  // Follows the table's own edits (a paste, a typed cell) once, when the
  // edit's events are done: a run writes thousands of cells.
  void FollowSoon();
  const GrowthChartData& Data() const { return data_; }

 private:
  void Draw();
  void DrawCurve();
  void SetRanges();
  QXYSeries* AddSeries(QXYSeries* series,
                       const char* name,
                       const QString& caption,
                       QValueAxis* valueAxis);
  void PlaceDietLabels();

  App& app_;
  GrowthChartData data_;
  bool followPending_ = false;
  QValueAxis* ageAxis_ = nullptr;
  QValueAxis* weightAxis_ = nullptr;
  QValueAxis* feedAxis_ = nullptr;
  QLineSeries* weight_ = nullptr;  // the labels are placed by its axes
  // The diet names beside the change markers, placed on the plot area.
  struct DietLabel {
    double age = 0;
    QGraphicsSimpleTextItem* item = nullptr;
  };
  std::vector<DietLabel> dietLabels_;
};
