// The demo location grown in kg, and again after its units were switched
// through the weight-unit list and through the units dialog, in every
// combination the dialog offers: the same herd on the same diets is the same
// biology, shown in the new units, also when the location is saved in them
// and opened again.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/App.h"
#include "model/DietsFile.h"
#include "model/Units.h"
#include "platform/NumberFormat.h"
#include "platform/TextFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFiles.h"

namespace {

constexpr double kLb = 2.205;  // lb per kg

using Codes = std::array<std::int16_t, 3>;  // energy, weight, price

struct Session {
  TempDemo demo;
  ScriptedDialogs dialogs;
  App app{dialogs};
  MainForm& form = app.mainForm;

  Session() {
    OpenLocation(app, dialogs, demo.Plt());
    form.herdSex.selected = 0;
    form.feedFormulation.selected = kFeedGrid;
  }
  void Grow() {
    dialogs.Forget();
    form.Growth();
    EXPECT_TRUE(dialogs.Messages().empty()) << dialogs.Messages().front();
  }
};

// A change of units in the named demo asks whether to write its files.
void AnswerTheSaveQuestion(Session& s, const Codes& codes, Answer answer) {
  if (codes != s.app.growth.unitCodes) s.dialogs.Answer(answer);
}

void ChooseInList(Session& s, int position, Answer save = Answer::No) {
  Codes codes = s.app.growth.unitCodes;
  codes[kWeightUnit] = static_cast<std::int16_t>(position);
  AnswerTheSaveQuestion(s, codes, save);
  s.form.weightUnit.selected = position;
  s.form.WeightUnitChosen();
  EXPECT_TRUE(s.dialogs.Done());
}

void ChooseInDialog(Session& s, int weights, int energy, int cost, Answer save = Answer::No) {
  s.form.Click(MainForm::Control::SetUnits);
  UnitsForm& dialog = s.app.unitsForm;
  dialog.weights.selected = weights;
  dialog.feedEnergy.selected = energy;
  dialog.feedCost.selected = cost;
  const Codes codes{static_cast<std::int16_t>(energy),
                    static_cast<std::int16_t>(weights),
                    static_cast<std::int16_t>(cost == 1 ? 3 : 1)};
  AnswerTheSaveQuestion(s, codes, save);
  s.form.AcceptUnits();
  EXPECT_TRUE(s.dialogs.Done());
}

// Saved in the new units (the save question answered Yes) and opened again.
void SaveAndReopen(Session& s) {
  EXPECT_EQ(s.dialogs.Messages().size(), 1u);  // the question, and no error
  s.dialogs.Forget();
  OpenLocation(s.app, s.dialogs, s.demo.Plt());
  s.form.herdSex.selected = 0;
  s.form.feedFormulation.selected = kFeedGrid;
}

struct UnitCase {
  std::string name;
  std::function<void(Session&)> choose;
  bool pounds;
};

std::vector<UnitCase> EveryWayToChooseUnits() {
  std::vector<UnitCase> cases = {
      {"list: lb", [](Session& s) { ChooseInList(s, 1); }, true},
      {"list: kg again", [](Session& s) { ChooseInList(s, 0); }, false},
      {"list: lb, saved",
       [](Session& s) {
         ChooseInList(s, 1, Answer::Yes);
         SaveAndReopen(s);
       },
       true},
      {"dialog: 111, saved",
       [](Session& s) {
         ChooseInDialog(s, 1, 1, 1, Answer::Yes);
         SaveAndReopen(s);
       },
       true},
  };
  for (int weights : {0, 1})
    for (int energy : {0, 1})
      for (int cost : {0, 1}) {
        cases.push_back(
            {"dialog: " + std::to_string(weights) + std::to_string(energy) + std::to_string(cost),
             [=](Session& s) { ChooseInDialog(s, weights, energy, cost); },
             weights == 1});
      }
  return cases;
}

TEST(UnitsDemo, TheSameHerdGrowsTheSameInEveryUnit) {
  Session kg;
  kg.Grow();
  const GrowthRunResults& base = kg.app.growthResults;
  for (const UnitCase& c : EveryWayToChooseUnits()) {
    SCOPED_TRACE(c.name);
    Session s;
    c.choose(s);
    s.Grow();
    const double f = c.pounds ? kLb : 1;
    const GrowthRunResults& run = s.app.growthResults;
    EXPECT_NEAR(run.totalFeed, base.totalFeed, 1e-9);    // kg
    EXPECT_NEAR(run.costPerPig, base.costPerPig, 1e-5);  // prices to 7 or 8 places
    EXPECT_EQ(s.form.finalAge.text, kg.form.finalAge.text);
    EXPECT_EQ(s.form.feedGain.text, kg.form.feedGain.text);
    EXPECT_EQ(s.form.costPerPig.text, kg.form.costPerPig.text);
    // Shown converted: the herd fields, the feed and the tables.
    EXPECT_DOUBLE_EQ(ReadNumber(s.form.startWeight.text), 6 * f);
    EXPECT_DOUBLE_EQ(ReadNumber(s.form.finalWeight.text), 25 * f);
    EXPECT_NEAR(ReadNumber(s.form.totalFeedIntake.text),
                ReadNumber(kg.form.totalFeedIntake.text) * f,
                0.01 * f);
    EXPECT_NEAR(ReadNumber(s.app.resultsTable.Text(3, 1)), 25 * f, 1e-9);
    EXPECT_NEAR(ReadNumber(s.app.resultsTable.Text(1, 4)), 2.4 * f, 1e-9);
    const std::string unit = c.pounds ? "lb" : "kg";
    EXPECT_EQ(s.app.resultsTable.Text(0, 3), "Daily Wt. Gain, " + unit);
    EXPECT_EQ(s.form.weightUnit.selected, c.pounds ? 1 : 0);
  }
}

// What the user typed comes back when the units come back; a unit list
// re-selected changes nothing; energy and price follow only the dialog.
TEST(UnitsDemo, SwitchingBackShowsWhatWasTyped) {
  Session s;
  auto shown = [&s] {
    std::vector<std::string> texts;
    for (const TextBox* field : {&s.form.startWeight, &s.form.finalWeight, &s.form.totalFeedIntake})
      texts.push_back(GeneralNumberText(ReadNumber(field->text)));  // "6.000" comes back as "6"
    for (int row = 2; row <= 4; ++row)
      for (int d = 1; d <= 3; ++d) texts.push_back(s.form.dietsTable.Text(row, d));
    return texts;
  };
  const std::vector<std::string> typed = shown();
  const Codes codes = s.app.growth.unitCodes;

  ChooseInList(s, 1);
  EXPECT_EQ(s.app.growth.unitCodes, (Codes{codes[0], 1, codes[2]}));
  EXPECT_EQ(s.form.startWeight.text, "13.23");
  EXPECT_EQ(s.form.dietsTable.Text(4, 1), "2448");  // energy stays per kg
  ChooseInList(s, 1);
  ChooseInDialog(s, 1, 1, 1);
  EXPECT_EQ(s.app.growth.unitCodes, (Codes{1, 1, 3}));
  EXPECT_EQ(s.form.dietsTable.Text(4, 1), "1110.20408163");
  EXPECT_EQ(s.form.dietsTable.Text(2, 1), "577.6508");
  ChooseInDialog(s, 0, 0, 0);
  EXPECT_EQ(s.app.growth.unitCodes, codes);
  EXPECT_EQ(shown(), typed);
}

// A run's results shown when the unit changes: as the same run grown in the
// new unit shows them (the run's values, not the shown texts rounded twice),
// and still the run's, so that the next press clears them.
TEST(UnitsDemo, ResultsOfTheLastRunAreShownInTheNewUnit) {
  Session s;
  s.Grow();
  ChooseInList(s, 1);
  const Grid converted = s.app.resultsTable;
  const std::string feed = s.form.totalFeedIntake.text;
  s.Grow();
  EXPECT_EQ(feed, s.form.totalFeedIntake.text);
  // All but "Tot FEED", which adds the shown days.
  for (int row = 1; row < converted.Rows(); ++row)
    for (int col = 0; col < converted.Cols(); ++col)
      if (col != 8)
        EXPECT_EQ(converted.Text(row, col), s.app.resultsTable.Text(row, col)) << row << "," << col;
  s.form.startWeight.text = "abc";
  s.form.Growth();
  EXPECT_EQ(s.form.totalFeedIntake.text, "");
}

// A calibration file whose units no screen offers is named when it loads.
TEST(UnitsDemo, UnitsNoScreenOffersAreNamedOnLoad) {
  TempDemo demo;
  auto lines = TextFile::ReadLines(demo.Plt());
  ASSERT_TRUE(lines && lines->size() == 14);
  (*lines)[11] = " 2 ";  // energy in Mcal/kg
  ASSERT_TRUE(TextFile::WriteLines(demo.Plt(), *lines).ok);
  ScriptedDialogs dialogs;
  App app{dialogs};
  dialogs.File(demo.Plt());
  app.mainForm.LocationNameClicked();
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_NE(dialogs.Messages()[0].find("(energy in Mcal/Kg)"), std::string::npos);
}

}  // namespace
