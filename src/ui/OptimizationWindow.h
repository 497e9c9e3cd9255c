// Desktop: OptimizationWindow, which shows OptimizationForm.
#pragma once

#include <QElapsedTimer>

#include "app/OptimizationForm.h"
#include "ui/SecondaryWindow.h"

class MainForm;
class Dialogs;
class GridView;
class OptimizationReportWindow;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The "Diet Optimization" window: which values of which diets may move and
// between which limits, the target weight and the number of diets, the run
// with its progress (the starting and best costs per pig the main form keeps,
// and the evaluations so far) and a way to cancel it, and the report it
// opens. A run holds the program's one thread: the window repaints between
// evaluations and, until the run ends, lets only its Cancel button (and a
// message box the run shows) take the user's input.
class OptimizationWindow : public SecondaryWindow {
  Q_OBJECT

 public:
  OptimizationWindow(OptimizationForm& form,
                     MainForm& mainForm,
                     OptimizationReportForm& report,
                     Dialogs& dialogs,
                     QWidget* parent = nullptr);
  ~OptimizationWindow() override;

  void Refresh() override;
  OptimizationReportWindow* Report() const { return report_; }

 signals:
  // A run's progress has been shown: the evaluations so far.
  void Progressed(long evaluations);

 protected:
  bool FormOpen() const override { return form_.visible; }

 private:
  QLineEdit* AddField(std::string& text, const char* name);
  QLineEdit* AddResult(const char* name);
  QCheckBox* AddCheck(const OptionButton& box, const char* name);
  QWidget* Fields();
  QWidget* Commands();
  QWidget* Progress(Dialogs& dialogs);
  void RunOptimization();
  void ShowProgress();

  OptimizationForm& form_;
  MainForm& mainForm_;
  OptimizationReportWindow* report_ = nullptr;

  GridView* table_ = nullptr;
  GridView* bestDiets_ = nullptr;
  QLineEdit* location_ = nullptr;
  QLineEdit* target_ = nullptr;
  QLineEdit* diets_ = nullptr;
  QCheckBox* feedOnly_ = nullptr;
  QCheckBox* carcass_ = nullptr;
  QCheckBox* marrowind_ = nullptr;
  QCheckBox* thorough_ = nullptr;
  GridView* stages_ = nullptr;
  QPushButton* runOpt_ = nullptr;
  QPushButton* view_ = nullptr;
  QPushButton* transfer_ = nullptr;
  QPushButton* addMinMax_ = nullptr;
  QPushButton* saveOpt_ = nullptr;
  QPushButton* openOpt_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QLabel* working_ = nullptr;
  QLineEdit* start_ = nullptr;
  QLineEdit* best_ = nullptr;
  QLineEdit* evaluations_ = nullptr;

  QElapsedTimer sinceRepaint_;  // throttles the repaints of a run
  bool runShown_ = false;       // the main window has shown this run's held commands
};
