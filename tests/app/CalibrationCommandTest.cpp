#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "app/App.h"
#include "calibration/CalibrationCommand.h"
#include "model/DietsFile.h"
#include "model/Units.h"
#include "platform/NumberFormat.h"
#include "platform/TextFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFiles.h"

namespace {

using Window = MainForm::Window;

// The demo location copied to a fresh folder and opened.
class Calibration : public ::testing::Test {
 protected:
  Calibration() {
    form.ChooseLocation(Path("Demo.plt"));
    dialogs.Forget();
  }
  std::string Path(const std::string& name) const { return demo_.Demo(name); }

  // "Calibration" with the name kept; the inputs screen is open after it.
  void OpenScreen(const std::string& name = "") {
    dialogs.Input(name.empty() ? form.locationName.text : name);
    ASSERT_EQ(form.Click(MainForm::Control::Calibration), Window::Calibration);
    ASSERT_TRUE(app.calibrationInputsForm.visible);
    dialogs.Forget();
  }
  void SetRows(const std::vector<std::array<const char*, 3>>& rows) {
    Grid& table = app.calibrationInputsForm.weighingsTable;
    table.ClearRange(1, 0, table.Rows() - 1, 2);
    for (std::size_t r = 0; r < rows.size(); ++r)
      for (int c = 0; c < 3; ++c) table.SetText(static_cast<int>(r) + 1, c, rows[r][c]);
  }

  TempDemo demo_;
  ScriptedDialogs dialogs;
  App app{dialogs};
  MainForm& form = app.mainForm;
};

// The command's checks stop before the screen; once it opens, diet 1's energy
// as typed picks the units (Mcal and MJ keep theirs).
TEST_F(Calibration, CommandChecksThenUnitsFromDietOneEnergy) {
  struct Case {
    int herdSex;
    const char* energy;  // diet 1's
    std::int16_t energyCode;
    const char* refusal;  // nullptr: the screen opens; "": no name given
    std::array<std::int16_t, 3> codes;
    const char* weightHeading;
  };
  const Case cases[] = {
      {-1, "2448", 0, "Set Flock Sex before Calibration"},
      {0, "0", 0, "Enter your Diets on The Diets Tab"},
      {0, "2448", 0, ""},
      {0, "1800.01", 0, nullptr, {0, 0, 1}, "Weight,Kg"},
      {0, "1800", 0, nullptr, {1, 1, 3}, "Weight,lbs"},
      {0, "1100", 1, nullptr, {1, 1, 3}, "Weight,lbs"},
      {0, "2.4", 2, nullptr, {2, 0, 1}, "Weight,Kg"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.energy);
    dialogs.Forget();
    form.herdSex.selected = c.herdSex;
    app.growth.unitCodes = {c.energyCode, 0, 1};
    form.dietsTable.SetText(kDietEnergyRow, 1, c.energy);
    if (!c.refusal || !*c.refusal) dialogs.Input(c.refusal ? "" : form.locationName.text);
    EXPECT_EQ(form.Calibration(), c.refusal ? Window::None : Window::Calibration);
    EXPECT_TRUE(dialogs.Done());
    EXPECT_EQ(app.calibrationInputsForm.visible, !c.refusal);
    if (c.refusal) {
      EXPECT_EQ(dialogs.Messages(), std::vector<std::string>(*c.refusal ? 1 : 0, c.refusal));
      continue;
    }
    EXPECT_EQ(app.growth.unitCodes, c.codes);
    EXPECT_EQ(app.calibrationInputsForm.weighingsTable.Text(0, 1), c.weightHeading);
  }
}

// The screen's checks only warn, in order; the diets' checks stop the run.
TEST_F(Calibration, ScreenWarningsThenDietChecks) {
  struct Case {
    const char* what;
    std::vector<std::array<const char*, 3>> rows;
    int dietRow;  // of diet 3, set to "0"
    std::vector<std::string> messages;
    int rowCount;
  };
  const Case cases[] = {
      {"light start, heavy finish; diet 3 has feed but no energy",
       {{"21", "3.9", "0"}, {"30", "7.8", "2.4"}, {"65", "25.1", "27.4"}},
       kDietEnergyRow,
       {"Starting Weight must be 4 kg or more",
        "Final Weight must be 25 kg or below ",
        "Diet Info Not Right, Try again"},
       3},
      {"nothing entered; all three diets checked",
       {},
       kDietLysineRow,
       {"Starting Weight must be 4 kg or more",
        "Starting Weight is zero",
        "Starting Age is zero",
        "Final Weight is zero",
        "Total Feed Weight is zero",
        "Final Age is zero",
        "Look at the Lysine Value of Diet 3"},
       0},
      {"feed only in rows 2 and 3; diet 3 has energy but no feed",
       {{"21", "6", ""}, {"30", "7.8", "2.4"}, {"42", "11.8", "5.9"}, {"65", "25", ""}},
       kDietAmountRow,
       {"Diet Info Not Right, Try again"},
       3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    OpenScreen();
    const std::string kept = form.dietsTable.Text(c.dietRow, 3);
    form.dietsTable.SetText(c.dietRow, 3, "0");
    SetRows(c.rows);
    const CalibrationOutcome outcome = app.calibrationInputsForm.ContinueCalibration();
    form.dietsTable.SetText(c.dietRow, 3, kept);
    EXPECT_EQ(dialogs.Messages(), c.messages);
    EXPECT_EQ(outcome.status, CalibrationStatus::Stopped);
    EXPECT_EQ(app.calibration.observationCount, c.rowCount);
    // The ".cal" file holds every row, also those after the last with feed.
    EXPECT_EQ(TextFile::ReadLines(Path("Demo.cal"))->size(), c.rows.size());
    dialogs.Forget();
  }
  // The last case's herd summary reached the main window and the model.
  const double herd[] = {0, 6, 21, 11.8, 2.4 + 5.9, 42};
  for (int k = 1; k <= kHerdInputs; ++k) EXPECT_DOUBLE_EQ(app.calibration.herdInputs[k], herd[k]);
  EXPECT_EQ(form.totalFeedIntake.text, "8.3");
  EXPECT_EQ(form.finalAge.toolTip, "Initial value was 42.00");
}

// "Continue Calibration" writes back every weighing the ".cal" held, with
// its recorded feed (else its diet's amount); the herd's final age and weight
// fill the last diet's row only when the file has no weighing there.
TEST_F(Calibration, ContinueKeepsEveryWeighing) {
  using Rows = std::vector<std::array<double, 3>>;
  struct Case {
    const char* what;
    Rows rows;
    Rows added;  // the rows written after the file's
    bool fits;   // the diet checks pass and the fit runs
  };
  const Case cases[] = {
      // First: the herd's final is still the demo's (65 days, 25 kg).
      {"fewer weighings than diets",
       {{21, 6, 0}, {30, 7.8, 2.4}},
       {{0, 0, 5.9}, {65, 25, 21.5}},
       true},
      // 4 phases with feed for 3 diets: "Look at the Energy Value of Diet 4".
      {"more weighings than diets, feed apart from the diets' amounts",
       {{21, 6, 0}, {30, 7.8, 2.6}, {42, 11.8, 6.1}, {56, 18, 7}, {70, 25, 5}},
       {},
       false},
      {"the last diet's end weighed before the herd's final",
       {{21, 6, 0}, {30, 7.8, 2.4}, {42, 11.8, 5.9}, {63, 24.2, 20.8}},
       {},
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::string> lines;
    for (const auto& row : c.rows)
      lines.push_back(GeneralNumberText(row[0]) + "\t" + GeneralNumberText(row[1]) + "\t" +
                      GeneralNumberText(row[2]));
    ASSERT_TRUE(TextFile::WriteLines(Path("Demo.cal"), lines).ok);
    OpenScreen();
    Rows expected = c.rows;
    expected.insert(expected.end(), c.added.begin(), c.added.end());

    app.calibrationInputsForm.onProgress = [this](long runs, double) {
      app.growth.cancelRun = runs > 0;
    };
    if (c.fits) dialogs.Answer(Answer::No);
    const CalibrationOutcome outcome = app.calibrationInputsForm.ContinueCalibration();
    EXPECT_TRUE(dialogs.Done());
    EXPECT_EQ(outcome.status != CalibrationStatus::Stopped, c.fits);
    CalibrationData written;
    EXPECT_EQ(LoadCalibrationRows(Path("Demo.cal"), written).rows, expected.size());
    for (std::size_t r = 1; r <= expected.size(); ++r)
      EXPECT_EQ(written.observations[r], expected[r - 1]) << r;
    dialogs.Forget();
  }
}

// Poor: more than 2 days or 5 % of feed off the observed, or no run.
TEST(PoorFit, DaysAndFeedAgainstTheObserved) {
  struct Case {
    const char* what;
    FitAgainstObserved fit;  // grew, final age, feed, observed age, observed feed
    bool poor;
  };
  const Case cases[] = {
      {"2 days early", {true, 63, 30, 65, 30}, false},
      {"2.01 days late", {true, 67.01, 30, 65, 30}, true},
      {"4.7 % more feed", {true, 65, 31.4, 65, 30}, false},
      {"5.3 % less feed", {true, 65, 28.4, 65, 30}, true},
      {"no final weight", {false, 65, 30, 65, 30}, true},
      {"no number", {true, std::nan(""), 30, 65, 30}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(PoorFitMessage(c.fit, "kg", false).has_value(), c.poor);
  }
  EXPECT_EQ(PoorFitMessage({true, 67.01, 28.4, 65, 30}, "lb", true),
            "Poor fit: a growth run with the fitted curve reaches the final weight at 67,01 "
            "days against 65,00 observed, on 28,40 lb of feed against 30,00 observed (more than "
            "2 days or 5 % off).");
}

TEST(CalibrationDiets, LimitsOfEnergyProteinAndLysine) {
  struct Case {
    int diet;
    int row;
    const char* value;
    const char* message;  // "": every diet passes
    int weightUnit = 0;   // 1: per lb, energy checked per kg
  };
  const Case cases[] = {
      {1, kDietEnergyRow, "1800", ""},
      {1, kDietEnergyRow, "1799.9", "Look at the Energy Value of Diet 1"},
      {1, kDietEnergyRow, "1000", "", 1},  // 2205 kcal/kg
      {2, kDietEnergyRow, "3000.1", "Look at the Energy Value of Diet 2"},
      {2, kDietProteinRow, "11.9", "Look at the Protein Value of Diet 2"},
      {3, kDietLysineRow, "3,1", "Look at the Lysine Value of Diet 3"},
      {4, kDietLysineRow, "0", ""},  // past the diets checked
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.row) + " " + c.value);
    Grid diets{kDietsRows, kDietsCols};
    for (int d = 1; d <= 3; ++d)
      for (auto [row, text] : {std::pair{kDietEnergyRow, c.weightUnit ? "1100" : "2400"},
                               {kDietProteinRow, "20"},
                               {kDietLysineRow, "1.2"}})
        diets.SetText(row, d, text);
    diets.SetText(c.row, c.diet, c.value);
    GrowthState growth;
    SetUnitSwitch(growth, c.weightUnit);
    EXPECT_EQ(DietCheckMessage(diets, growth, 3).value_or(""), c.message);
  }
}

// A cut-short fit keeps its start point: the demo's own curve fits, an older
// one (25 kg at 62.7 days on 33 kg) is poor, saved only on the user's Yes and
// never unattended. Under a new name, "No" writes no ".plt" file.
TEST_F(Calibration, CutShortFitsAreSavedOnlyOnTheUsersYes) {
  struct Case {
    const char* what;
    bool poorCurve;
    bool unattended;
    Answer answer;  // to the save question
    bool saved;
    const char* name = "";  // "": the location's own
  };
  const Case cases[] = {
      {"a good fit", false, false, Answer::Yes, true},
      {"a good fit under a new name, No", false, false, Answer::No, false, "Farm2"},
      {"a poor fit, No", true, false, Answer::No, false},
      {"a poor fit, Yes", true, false, Answer::Yes, true},
      {"a poor fit, unattended", true, true, Answer::OK, false},
  };
  const std::array<const char*, kCoefCount> poorCurve{"5.9", "1.505", "3.2", "0.00149", "1"};
  const std::string pltPath = Path("Demo.plt");
  const std::string plt = ReadWhole(pltPath);
  const std::string cal = ReadWhole(Path("Demo.cal"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::ofstream(pltPath, std::ios::binary) << plt;
    form.ChooseLocation(pltPath);
    if (c.poorCurve)
      for (int k = 0; k < kCoefCount; ++k)
        form.coefficientTable.SetText(kCoefRow, k + 1, poorCurve[k]);
    form.herdSex.selected = 0;
    OpenScreen(c.name);
    CalibrationInputsForm& screen = app.calibrationInputsForm;
    screen.unattended = c.unattended;
    screen.progressEvery = 1;
    screen.onProgress = [&](long runs, double) { app.growth.cancelRun = runs > 0; };
    if (!c.unattended) dialogs.Answer(c.answer);
    const CalibrationOutcome outcome = screen.ContinueCalibration();
    EXPECT_TRUE(dialogs.Done());
    EXPECT_EQ(outcome.status, CalibrationStatus::Cancelled);
    EXPECT_FALSE(app.growth.cancelRun);
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    const std::string shown = dialogs.Messages()[0];
    EXPECT_EQ(outcome.poorFit.empty(), !c.poorCurve);
    EXPECT_EQ(shown.rfind(c.poorCurve ? "Poor fit: " : "Final Age ", 0), 0u) << shown;
    if (c.poorCurve) EXPECT_NE(shown.find("against 65.00 observed"), std::string::npos) << shown;
    EXPECT_EQ(outcome.saved, c.saved);
    if (!c.saved) EXPECT_EQ(ReadWhole(pltPath), plt);
    if (*c.name) {
      EXPECT_FALSE(app.location.loaded);
      EXPECT_EQ(ReadWhole(Path("Demo.cal")), cal);
      EXPECT_EQ(ReadWhole(Path("Farm2.cal")), cal);
    }
    screen.unattended = false;
    dialogs.Forget();
  }
}

TEST(FitCorrelations, BlockBelowTheDietsAndOneCorrelationRow) {
  for (int n : {1, 3, 4}) {
    SCOPED_TRACE(n);
    Grid results{200, 14};
    CalibrationData calib;
    for (int i = 1; i <= n; ++i) {
      // Weight as simulated, ages reversed, 2 kg a phase against 1, 2, 3 kg.
      calib.observations[i + 1] = {10.0 * i, 5.0 + i, 2};
      results.SetText(i, 1, std::to_string(5 + i));
      results.SetText(i, 2, std::to_string(100 - i));
      results.SetText(i, 4, std::to_string(i));
    }
    results.SetText(9, 0, "    of gain");
    ScriptedDialogs dialogs;
    WriteFitCorrelations(results, calib, n, false, dialogs);
    EXPECT_EQ(results.Text(9, 0), "    of gain");
    EXPECT_EQ(results.Text(8 + n, 1), std::to_string(5 + n));
    EXPECT_EQ(results.Text(8 + n, 2), std::to_string(10 * n));
    EXPECT_EQ(results.Text(8 + n, 4), std::to_string(2 * n));
    EXPECT_EQ(results.Text(9 + n, 0), "Correl.");
    // One pair correlates nothing; else 1, -1, and 2, 4, 6, 8 against 1, 3, 6, 10.
    const double feed[] = {0, 0, 0, 0.99340, 0.98907};
    EXPECT_EQ(ReadNumber(results.Text(9 + n, 1)), n == 1 ? 0 : 1);
    EXPECT_EQ(ReadNumber(results.Text(9 + n, 2)), n == 1 ? 0 : -1);
    EXPECT_NEAR(ReadNumber(results.Text(9 + n, 4)), feed[n], 0.0005);
    EXPECT_TRUE(dialogs.Messages().empty());
  }
}

TEST_F(Calibration, TestWindowScoresTrialsAroundTheTable) {
  form.ShowInput();
  EXPECT_EQ(form.Click(MainForm::Control::CalibrationTest), Window::CalibrationTest);
  CalibrationTestForm& test = app.calibrationTestForm;
  EXPECT_EQ(app.fitState.fitValue, 1000000);
  EXPECT_DOUBLE_EQ(ReadNumber(test.trialsTable.Text(9, 4)),
                   0.005129243872688049 + 0.0001);  // "B3 +"

  test.trialsTable.SetText(2, 4, "-0.001");
  const auto coef = app.growth.growthCoef;
  test.ScoreTrials();
  EXPECT_TRUE(dialogs.Messages().empty());
  EXPECT_EQ(ReadNumber(test.trialsTable.Text(2, 6)), 1000000);
  EXPECT_EQ(test.trialsTable.Text(2, 7), "");
  // The demo's own curve: 25 kg at about 65 days (LoadDemo).
  EXPECT_NEAR(ReadNumber(test.trialsTable.Text(1, 7)), 65, 1);
  EXPECT_EQ(app.growth.growthCoef, coef);
}

}  // namespace
