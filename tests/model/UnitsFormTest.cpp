#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/UnitsForm.h"
#include "support/ScriptedDialogs.h"

namespace {

using Codes = std::array<std::int16_t, 3>;  // energy, weight, price

class UnitsFormTest : public ::testing::Test {
 protected:
  ScriptedDialogs dialogs;
  GrowthState growth;
  UnitsForm dialog;
};

// Opening shows the current codes in the lists, and the lists give the codes.
TEST_F(UnitsFormTest, ListsShowAndGiveTheCodes) {
  struct Case {
    Codes codes;
    int weights, energy, cost;
    Codes chosen;
  };
  const Case cases[] = {
      {{1, 1, 3}, 1, 1, 1, {1, 1, 3}},
      {{0, 0, 1}, 0, 0, 0, {0, 0, 1}},
      {{1, 0, 1}, 0, 1, 0, {1, 0, 1}},
      {{0, 1, 3}, 1, 0, 1, {0, 1, 3}},
      {{1, 0, 4}, 0, 1, 0, {1, 0, 1}},  // hundredweight has no entry: the tonne is shown
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.codes));
    growth.unitCodes = c.codes;
    dialog.Open(growth);
    EXPECT_TRUE(dialog.Visible());
    EXPECT_EQ(dialog.weights.selected, c.weights);
    EXPECT_EQ(dialog.feedEnergy.selected, c.energy);
    EXPECT_EQ(dialog.feedCost.selected, c.cost);
    EXPECT_EQ(dialog.ChosenCodes(), c.chosen);
    dialog.Accept();
    EXPECT_FALSE(dialog.Visible());
  }
}

// Only a named location is asked whether its files are to be written.
TEST_F(UnitsFormTest, OnlyANamedLocationIsAskedAboutSaving) {
  EXPECT_FALSE(AskToSaveUnits("Calibration Name", dialogs));
  EXPECT_TRUE(dialogs.shown().empty());
  dialogs.Answer(Answer::No);
  EXPECT_FALSE(AskToSaveUnits("Farm", dialogs));
  dialogs.Answer(Answer::Yes);
  EXPECT_TRUE(AskToSaveUnits("Farm", dialogs));
  EXPECT_EQ(dialogs.Messages(), std::vector<std::string>(2, std::string(UnitsForm::kSaveQuestion)));
}

}  // namespace
