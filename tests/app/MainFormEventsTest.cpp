// The main window's events that the desktop layer adds: a location named on
// the command line, and a click in the diets table asking the sources window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/App.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFiles.h"

namespace {

class MainFormEvents : public ::testing::Test {
 protected:
  ScriptedDialogs dialogs;
  App app{dialogs};
  MainForm& form = app.mainForm;
};

TEST_F(MainFormEvents, NamedLocationLoadsWithoutAFileDialog) {
  TempDemo demo;
  form.ShowTab(kTabFormulas);
  form.OpenLocationFile(demo.Demo("Demo.plt"));
  EXPECT_TRUE(dialogs.shown().empty());
  EXPECT_TRUE(app.location.loaded);
  EXPECT_EQ(form.locationName.text, demo.Demo("Demo"));
  EXPECT_EQ(form.filesTable.Text(kDietsRow, 0), demo.Demo("Demo.dts"));
  EXPECT_EQ(form.currentTab, kTabDiets);  // the demo's matrix holds ingredients
  EXPECT_FALSE(form.dietsTable.Text(kDietEnergyRow, 1).empty());
}

TEST_F(MainFormEvents, MissingNamedFileIsAskedAboutAsANewLocation) {
  TempDemo demo;
  const std::string missing = demo.Demo("Farm1.plt");
  const std::string question = "You are using this path " + demo.Demo("") + " Is this correct?";
  for (Answer answer : {Answer::No, Answer::Yes}) {
    SCOPED_TRACE(answer == Answer::Yes ? "Yes" : "No");
    ScriptedDialogs asked;
    App fresh{asked};
    asked.Answer(answer);
    EXPECT_EQ(fresh.mainForm.ChooseLocation(missing), answer == Answer::Yes);
    EXPECT_EQ(asked.Messages(), std::vector<std::string>{question});
    EXPECT_FALSE(fresh.location.loaded);
    EXPECT_EQ(fresh.location.locationBase, answer == Answer::Yes ? demo.Demo("Farm1") : "");
    EXPECT_EQ(fresh.mainForm.locationName.text,
              answer == Answer::Yes ? demo.Demo("Farm1") : "Calibration Name");
  }
}

TEST_F(MainFormEvents, PriceAndNutrientClicksAskTheSourcesWindow) {
  form.dietsTable.SetText(0, 2, "Diet 2");
  form.dietsTable.SetText(kDietCostRow, 2, "0.25");
  form.dietsTable.SetText(kDietLysineRow, 2, "1.4");
  const struct {
    int row, col;
    bool asked;
    int index;
  } cases[] = {
      {kDietCostRow, 2, true, -1},
      {kDietLysineRow, 2, true, 5},
      {kDietNameRow, 2, false, 0},
      {kDietAmountRow, 2, false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("row " + std::to_string(c.row));
    app.nutrientSourcesForm.shownRequest = {};
    EXPECT_EQ(form.DietsTableClicked(c.row, c.col), c.asked);
    EXPECT_EQ(app.nutrientSourcesForm.shownRequest.diet, c.asked ? 2 : 0);
    EXPECT_EQ(app.nutrientSourcesForm.shownRequest.index, c.index);
  }
}

}  // namespace
