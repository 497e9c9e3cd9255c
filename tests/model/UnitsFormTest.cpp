#include <gtest/gtest.h>

#include "model/UnitsForm.h"
#include "support/ScriptedDialogs.h"

namespace {

// Opening shows the current codes in the lists; a price per hundredweight
// has no entry, so the tonne is shown and chosen.
TEST(UnitsFormTest, ListsShowAndGiveTheCodes) {
  const UnitCodeSet cases[][2] = {{{1, 1, 3}, {1, 1, 3}}, {{1, 0, 4}, {1, 0, 1}}};
  for (const auto& c : cases) {
    GrowthState growth;
    growth.unitCodes = c[0];
    UnitsForm dialog;
    dialog.Open(growth);
    EXPECT_EQ(dialog.ChosenCodes(), c[1]);
  }
  // Only a named location is asked whether its files are to be written.
  ScriptedDialogs dialogs;
  EXPECT_FALSE(AskToSaveUnits("Calibration Name", dialogs));
  dialogs.Answer(Answer::Yes);
  EXPECT_TRUE(AskToSaveUnits("Farm", dialogs));
  EXPECT_EQ(dialogs.Messages().size(), 1u);
}

}  // namespace
