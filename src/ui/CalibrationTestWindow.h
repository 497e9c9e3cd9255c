// Desktop: CalibrationTestWindow, which shows CalibrationTestForm.
#pragma once

#include "app/CalibrationTestForm.h"
#include "ui/SecondaryWindow.h"

class Dialogs;

// The calibration test window: trial growth curves around the coefficient
// table's, each scored with the calibration objective by "Score Trials".
class CalibrationTestWindow : public SecondaryWindow {
  Q_OBJECT

 public:
  CalibrationTestWindow(CalibrationTestForm& form, Dialogs& dialogs, QWidget* parent = nullptr);

  void Refresh() override {}

 protected:
  bool FormOpen() const override { return form_.visible; }

 private:
  CalibrationTestForm& form_;
};
