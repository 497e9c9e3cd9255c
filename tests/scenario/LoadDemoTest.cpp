// A user opens the demo location through the "Calibration Name" field,
// looks at the files in use and the restrictions; calibrates it, keeping the
// name, continues on the inputs screen as it opens, saves the calibration and
// looks at the correlations; the saved location opens with the fitted curve.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/App.h"
#include "platform/NumberFormat.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFiles.h"

namespace {

// The demo opened through the "Calibration Name" field shows the files in use
// and, in the restrictions window, what the restriction files hold.
TEST(LoadDemo, OpensTheDemoAsAUserWould) {
  TempDemo temp;
  ScriptedDialogs dialogs;
  App app(dialogs);
  dialogs.File(temp.Plt());
  app.mainForm.LocationNameClicked();
  ASSERT_TRUE(dialogs.Done());
  EXPECT_EQ(dialogs.shown().front().kind, ScriptedDialogs::Shown::Kind::OpenFile);
  EXPECT_TRUE(dialogs.Messages().empty());
  EXPECT_EQ(app.mainForm.currentTab, kTabDiets);
  const char* files[] = {"Demo.plt", "Demo.dts", "DemoMatrix.txt", "DemoReq.nut", "DemoReq.ing"};
  for (int k = 0; k < 5; ++k)
    EXPECT_EQ(app.mainForm.filesTable.Text(2 * k + 2, 0), temp.Demo(files[k]));
  RestrictionsForm& restrict = app.restrictionsForm;
  restrict.Fill();
  EXPECT_DOUBLE_EQ(ReadNumber(restrict.nutrientTable.Text(2, 1)), 2448);  // energy minimum, diet 1
  EXPECT_DOUBLE_EQ(ReadNumber(restrict.nutrientTable.Text(2, 2)), 2600);  // and its maximum
  EXPECT_DOUBLE_EQ(ReadNumber(restrict.nutrientTable.Text(6, 5)), 1.23);  // lysine minimum, diet 3
  EXPECT_DOUBLE_EQ(ReadNumber(restrict.ingredientTable.Text(4, 1)), 15);  // whey minimum, diet 1
  EXPECT_DOUBLE_EQ(ReadNumber(restrict.ingredientTable.Text(4, 6)), -1);  // blocked in diet 3
  EXPECT_EQ(restrict.ingredientTable.CellColor(4, 6), kPeach);
}

TEST(CalibrateDemo, FitsTheWeighingsAndSavesTheCurve) {
  TempDemo temp;
  ScriptedDialogs dialogs;
  App app(dialogs);
  MainForm& form = app.mainForm;
  OpenLocation(app, dialogs, temp.Demo("Demo.plt"));
  form.feedFormulation.selected = kFeedGrid;  // the demo's diets as they are
  form.herdSex.selected = kMaleHerd;          // the fit grows a mixed herd; the file keeps this
  const std::string name = form.locationName.text;

  dialogs.Input(name);
  ASSERT_EQ(form.Click(MainForm::Control::Calibration), MainForm::Window::Calibration);
  EXPECT_EQ(dialogs.shown().back().text, "Do you want to use " + name + " OR enter a new name");

  // The screen: Demo.cal's weighings, the diets' feed amounts as phase feed.
  CalibrationInputsForm& screen = app.calibrationInputsForm;
  const double expected[][3] = {{21, 6, 0}, {30, 7.8, 2.4}, {42, 11.8, 5.9}, {65, 25, 21.5}};
  for (int r = 1; r <= 4; ++r)
    for (int c = 0; c < 3; ++c)
      EXPECT_DOUBLE_EQ(ReadNumber(screen.weighingsTable.Text(r, c)), expected[r - 1][c]) << r << c;
  dialogs.Forget();
  dialogs.Answer(Answer::Yes);
  const CalibrationOutcome outcome = screen.ContinueCalibration();
  ASSERT_TRUE(dialogs.Done());
  EXPECT_EQ(outcome.status, CalibrationStatus::Finished);
  EXPECT_FALSE(screen.working);
  // The screen stays with the result: the classic fit and the thorough
  // search side by side, and every weighing against the fitted curve's run,
  // each within a quarter of a kilogram.
  EXPECT_TRUE(screen.visible && screen.resultShown);
  ASSERT_TRUE(outcome.thoroughRan);
  EXPECT_LE(outcome.thorough.score, 0.20);
  EXPECT_LT(outcome.thorough.score, outcome.classic.score);
  ASSERT_EQ(outcome.weighings.count, 3);  // days 30, 42 and 65
  for (int r = 1; r <= outcome.weighings.count; ++r) {
    const WeighingFit& w = outcome.weighings.rows[r];
    SCOPED_TRACE(w.age);
    EXPECT_NEAR(w.simulatedWeight, w.observedWeight, 0.25);
    EXPECT_EQ(ReadNumber(screen.weighingFitTable.Text(r, 1)), w.observedWeight);
  }

  // The score is at least 10 (feed miss)^2 + 10 (age miss)^2 in every stage
  // of the fit, so each miss is at most sqrt(best / 10). The demo fits well
  // enough for that to be within a day and a kilogram.
  const double miss = std::sqrt(outcome.fit.best / 10);
  EXPECT_LT(miss, 1);
  EXPECT_NEAR(outcome.finalAge, 65, miss);
  EXPECT_NEAR(outcome.totalFeed, 29.8, miss);
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(dialogs.Messages()[0].rfind("Final Age " + ShortNumberText(outcome.finalAge), 0), 0u);

  // The coefficient table holds the fitted curve in full; "Yes" ran the
  // growth command with it.
  for (int k = 0; k < kCoefCount; ++k)
    EXPECT_EQ(ReadNumber(form.coefficientTable.Text(kCoefRow, k + 1)), app.growth.growthCoef[k])
        << k;
  EXPECT_NEAR(ReadNumber(form.finalAge.text), outcome.finalAge, 1e-3);
  EXPECT_EQ(form.currentTab, kTabDailyGrowth);

  // The saved location opens with the fitted curve, to the file's six places.
  ScriptedDialogs dialogs2;
  App reopened(dialogs2);
  OpenLocation(reopened, dialogs2, temp.Demo("Demo.plt"));
  for (int k = 0; k < kCoefCount; ++k) {
    EXPECT_NEAR(ReadNumber(reopened.mainForm.coefficientTable.Text(kCoefRow, k + 1)),
                app.growth.growthCoef[k],
                5e-7)
        << k;
  }
  EXPECT_EQ(reopened.mainForm.herdSex.selected, kMaleHerd);
  EXPECT_EQ(reopened.calibration.observations, app.calibration.observations);
  EXPECT_DOUBLE_EQ(reopened.calibration.herdInputs[kHerdTotalFeed], 29.8);
}

}  // namespace
