// Desktop: OptimizationReportChart, the optimization report's chart.
#pragma once

#include "optimization/OptChartData.h"
#include "ui/ChartPanel.h"

class QBarCategoryAxis;
class QValueAxis;

// The optimization report's chart: feed per pig and feed cost per pig by
// diet, the start beside the optimum, as two bar charts side by side drawn
// from the report form's chart data.
class OptimizationReportChart : public ChartPanel {
  Q_OBJECT

 public:
  OptimizationReportChart(Dialogs& dialogs,
                          std::function<std::string()> folder,
                          QWidget* parent = nullptr);

  // Draws `data` unless it is what the chart shows already.
  void Show(const OptChartData& data);
  const OptChartData& Data() const { return data_; }

 private:
  void Draw();

  OptChartData data_;
  bool drawn_ = false;
  // Per chart (feed, cost), kept for the chart's life.
  QBarCategoryAxis* dietAxis_[2] = {};
  QValueAxis* valueAxis_[2] = {};
};
