// Desktop: CalibrationInputsWindow, which shows CalibrationInputsForm.
#pragma once

#include <array>

#include "app/CalibrationInputsForm.h"
#include "ui/SecondaryWindow.h"

class Dialogs;
class GridView;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The calibration inputs screen: the farm's weighings and phase feeds in a
// table, the herd summary, and "Continue Calibration", which runs the fit
// inside the click. While the fit runs the window shows "WORKING...", the
// growth runs so far and the best score, repaints at each report and offers
// "Cancel"; the main window keeps its run commands disabled meanwhile
// (Running(), RunningChanged).
class CalibrationInputsWindow : public SecondaryWindow {
  Q_OBJECT

 public:
  // Growth runs between two repaints of the progress.
  static constexpr long kProgressEvery = 200;

  CalibrationInputsWindow(CalibrationInputsForm& form, Dialogs& dialogs, QWidget* parent = nullptr);

  void Refresh() override;
  bool Running() const { return running_; }

 signals:
  // A fit started (true) or ended (false).
  void RunningChanged(bool running);
  // A report of the fit has been shown: growth runs so far and best score.
  void Progressed(long growthRuns, double bestFit);

 protected:
  bool FormOpen() const override { return form_.visible; }
  // Closing during a fit asks it to stop; the window closes when it has.
  void closeEvent(QCloseEvent* event) override;

 private:
  void Continue();
  void SetRunning(bool running);
  void ShowProgress(long growthRuns, double bestFit);
  QWidget* Result(Dialogs& dialogs);

  CalibrationInputsForm& form_;
  bool running_ = false;
  bool closeAsked_ = false;  // closed during a fit: closes when the fit has stopped
  GridView* table_ = nullptr;
  std::array<QLabel*, kHerdInputs + 1> captions_{};
  std::array<QLineEdit*, kHerdInputs + 1> fields_{};
  QCheckBox* thorough_ = nullptr;
  QWidget* result_ = nullptr;
  GridView* weighings_ = nullptr;
  GridView* stages_ = nullptr;
  QLabel* working_ = nullptr;
  QLabel* progress_ = nullptr;
  QPushButton* continue_ = nullptr;
  QPushButton* cancel_ = nullptr;
};
