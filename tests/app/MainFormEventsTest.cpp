// The main window's events that the desktop layer adds: a location named on
// the command line, and a click in the diets table asking the sources window.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/App.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFiles.h"

namespace fs = std::filesystem;

namespace {

// A copy of the demo location, its files named by their names alone.
struct DemoFolder : TempDemo {
  std::string Path(const std::string& name) const { return Demo(name); }
};

class MainFormEvents : public ::testing::Test {
 protected:
  ScriptedDialogs dialogs;
  App app{dialogs};
  MainForm& form = app.mainForm;
};

TEST_F(MainFormEvents, NamedLocationLoadsWithoutAFileDialog) {
  DemoFolder demo;
  form.ShowTab(kTabFormulas);
  form.OpenLocationFile(demo.Path("Demo.plt"));
  EXPECT_TRUE(dialogs.shown().empty());
  EXPECT_TRUE(app.location.loaded);
  EXPECT_EQ(form.locationName.text, demo.Path("Demo"));
  EXPECT_EQ(form.filesTable.Text(kDietsRow, 0), demo.Path("Demo.dts"));
  EXPECT_EQ(form.currentTab, kTabDiets);  // the demo's matrix holds ingredients
  EXPECT_FALSE(form.dietsTable.Text(kDietEnergyRow, 1).empty());
}

TEST_F(MainFormEvents, MissingNamedFileIsAskedAboutAsANewLocation) {
  DemoFolder demo;
  const std::string missing = demo.Path("Farm1.plt");
  const std::string question = "You are using this path " + demo.Path("") + " Is this correct?";
  for (Answer answer : {Answer::No, Answer::Yes}) {
    SCOPED_TRACE(answer == Answer::Yes ? "Yes" : "No");
    ScriptedDialogs asked;
    App fresh{asked};
    asked.Answer(answer);
    EXPECT_EQ(fresh.mainForm.ChooseLocation(missing), answer == Answer::Yes);
    ASSERT_EQ(asked.Messages().size(), 1u);
    EXPECT_EQ(asked.Messages()[0], question);
    EXPECT_FALSE(fresh.location.loaded);
    EXPECT_EQ(fresh.location.locationBase, answer == Answer::Yes ? demo.Path("Farm1") : "");
    EXPECT_EQ(fresh.mainForm.locationName.text,
              answer == Answer::Yes ? demo.Path("Farm1") : "Calibration Name");
  }
}

// A window kept smaller than the tab set follows opens with the tab set at
// its designed size, not at none.
TEST(MainFormWindowSize, SmallKeptHeightKeepsTheDesignedTabSet) {
  DemoFolder folder;
  ScriptedDialogs designedDialogs;
  App designed{designedDialogs, {folder.Path(""), false}};
  {
    std::ofstream size(folder.Path("ROrivoForm.txt"));
    size << " 3000\r\n 15570\r\n";
  }
  ScriptedDialogs dialogs;
  App app{dialogs, {folder.Path(""), false}};
  EXPECT_EQ(app.mainForm.windowHeight, 200);  // 3000 twips
  EXPECT_GT(app.mainForm.tabSetHeight, 0);
  EXPECT_EQ(app.mainForm.tabSetHeight, designed.mainForm.tabSetHeight);
  EXPECT_EQ(app.mainForm.tabSetWidth, designed.mainForm.tabSetWidth);
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
