// Desktop: OptimizationReportWindow, which shows OptimizationReportForm.
#pragma once

#include "optimization/OptimizationReportForm.h"
#include "ui/SecondaryWindow.h"

class Dialogs;
class GridView;
class OptimizationReportChart;
class QLineEdit;
class QTabWidget;

// The optimization report: the optimum against the start and the limits,
// the nutrient and ingredient restrictions the formulations used and the
// formulated diets, on four tabs, as the report form filled them when the
// optimization window's "View Optimization" ran.
class OptimizationReportWindow : public SecondaryWindow {
  Q_OBJECT

 public:
  OptimizationReportWindow(OptimizationReportForm& form,
                           Dialogs& dialogs,
                           QWidget* parent = nullptr);

  void Refresh() override;

 protected:
  bool FormOpen() const override { return form_.visible; }

 private:
  GridView* AddTable(Grid& grid, const char* name, Dialogs& dialogs);
  // The form's tab a tab of the window shows: the chart tab shows the optimum.
  int FormTab(int tab) const {
    return tab == chartTab_ ? OptimizationReportForm::kOptimumTab : tab;
  }

  OptimizationReportForm& form_;
  QTabWidget* tabs_ = nullptr;
  QLineEdit* target_ = nullptr;
  OptimizationReportChart* chart_ = nullptr;  // on a tab after the form's four
  int chartTab_ = -1;
};
