// App: CalibrationTestForm, the calibration test's form, shown by CalibrationTestWindow.
#pragma once

#include <string_view>

#include "platform/Grid.h"

class App;

// The calibration test window: scores trial growth curves with the
// calibration objective, so the user sees how each coefficient moves the
// score, the final age and the total feed. It opens with the coefficients of
// the coefficient table (row 1) and, below them, each coefficient one step of
// the coarse grid lower and higher (B4 by 5 %); the B cells may be edited
// before scoring.
class CalibrationTestForm {
 public:
  explicit CalibrationTestForm(App& app);
  CalibrationTestForm(const CalibrationTestForm&) = delete;
  CalibrationTestForm& operator=(const CalibrationTestForm&) = delete;

  static constexpr std::string_view kCaption = "Marrowind Calibration Test";
  static constexpr std::string_view kScoreCaption = "Score Trials";

  static constexpr int kTrials = 11;       // the centre, then 2 per coefficient
  static constexpr int kFirstCoefCol = 1;  // B0..B4 in columns 1..5
  static constexpr int kScoreCol = 6;
  static constexpr int kFinalAgeCol = 7;
  static constexpr int kTotalFeedCol = 8;  // display units
  Grid trialsTable{kTrials + 1, kTotalFeedCol + 1};
  bool visible = false;

  // Opening: a calibration objective still 0 (no fit yet) becomes the
  // failed-point value, so the next calibration run starts from the fixed
  // restart coefficients; the trials are laid out around row 1 of the
  // coefficient table.
  void Open();
  // "Score Trials": the diets and herd inputs are checked and read as the
  // calibration run reads them (its messages stop the command), then every
  // row is scored. The model's coefficients are left as they were.
  void ScoreTrials();
  void Close() { visible = false; }

 private:
  App& app_;
};
