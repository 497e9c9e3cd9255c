#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/App.h"
#include "platform/TextFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFiles.h"

namespace fs = std::filesystem;

namespace {

using Control = AfrmMain::Control;
using Window = AfrmMain::Window;

// A fresh program folder, removed afterwards.
class ProgramFolder : public TempFolder {
 public:
  std::string Folder() const { return Path(""); }
  std::string SizeFile() const { return Folder() + "ROrivoForm.txt"; }
  AfrmMain::StartupEnvironment Machine(bool decimalComma = false) const {
    return {Folder(), decimalComma};
  }
};

class Startup : public ::testing::Test {
 protected:
  ProgramFolder program;
  ScriptedDialogs dialogs;
  App app{dialogs, program.Machine()};
  AfrmMain& form = app.mainForm;
};

TEST_F(Startup, OpensOnTheDietsTabWithSixDietsAndNoLocation) {
  EXPECT_TRUE(form.Started);
  EXPECT_EQ(form.currentTab, kTabDiets);
  EXPECT_TRUE(form.RichTextBox1Visible);
  EXPECT_FALSE(form.filesTableVisible);
  EXPECT_EQ(app.growth.dietCount, 6);
  EXPECT_EQ(form.Combo3.items,
            (std::vector<std::string>{"No. of Diets", "1", "2", "3", "4", "5", "6"}));
  EXPECT_EQ(form.Combo2.selected, 0);
  EXPECT_EQ(form.caption, "Tamsel Feed Optimizer - For Weanlings 4 kg to 25 kg");
  EXPECT_FALSE(app.growth.decimalComma);
  EXPECT_TRUE(form.MatrixLoaded);
  EXPECT_EQ(form.Text6.backColor, kLightGreen);
  EXPECT_EQ(app.location.dataFolder, program.Folder());
  EXPECT_EQ(app.programFolder, program.Folder());
  for (int row : {kPltRow, kDietsRow, kMatrixRow, kReqNutRow, kReqIngRow})
    EXPECT_EQ(form.filesTable.Text(row, 0), "Not Open");
  EXPECT_TRUE(dialogs.shown().empty());
}

TEST(StartupMachine, DecimalCommaMachineSaysSoInTheTitle) {
  ProgramFolder program;
  ScriptedDialogs dialogs;
  App app(dialogs, program.Machine(true));
  EXPECT_TRUE(app.growth.decimalComma);
  EXPECT_EQ(app.mainForm.caption,
            "Tamsel Feed Optimizer - For Weanlings 4 kg to 25 kg Commas Not Periods");
}

TEST(StartupMachine, WindowSizeFileGivesTheHeightOnly) {
  ProgramFolder program;
  ASSERT_TRUE(TextFile::WriteLines(program.SizeFile(), {" 7200", " 9000"}).ok);
  ScriptedDialogs dialogs;
  App app(dialogs, program.Machine());
  EXPECT_EQ(app.mainForm.windowHeight, 480);  // 7200 twips
  EXPECT_EQ(app.mainForm.windowWidth, kMainWindowWidth);
}

TEST_F(Startup, EndProgramWritesTheSizeOnlyWhenBothAreNonZero) {
  form.Form_Resize(540, 1038);  // pixels; the file holds twips
  form.EndProgram();
  const std::vector<std::string> written{" 8100", " 15570"};
  EXPECT_EQ(TextFile::ReadLines(program.SizeFile()), written);
  for (auto [height, width] : {std::pair{0, 800}, {400, 0}}) {
    form.windowHeight = height;
    form.windowWidth = width;
    form.EndProgram();
    EXPECT_EQ(TextFile::ReadLines(program.SizeFile()), written);
  }
}

TEST_F(Startup, EndProgramClosesTheSecondaryWindows) {
  EXPECT_EQ(form.Click(Control::Command10), Window::ChangeTracking);
  EXPECT_EQ(form.Click(Control::UnitPick), Window::Units);
  EXPECT_EQ(form.Click(Control::About), Window::About);
  EXPECT_EQ(form.Click(Control::SetTemp), Window::Temperature);
  EXPECT_EQ(form.Click(Control::Command3), Window::DietDisplay);
  EXPECT_EQ(form.Click(Control::Command6), Window::MatrixEditor);
  EXPECT_TRUE(app.dietDisplayForm.visible);
  form.EndProgram();
  EXPECT_FALSE(app.dietDisplayForm.visible);
  EXPECT_FALSE(form.MatrixEditorOpen);
  EXPECT_FALSE(app.trackForm.Visible());
  EXPECT_FALSE(app.unitsForm.Visible());
  EXPECT_FALSE(app.aboutForm.Visible());
  EXPECT_FALSE(app.temperatureForm.Visible());
}

TEST_F(Startup, ResizeFollowsOnlyAboveTheSmallestSize) {
  form.Form_Resize(600, 1000);
  const int width = form.TabSetWidth;
  const int height = form.TabSetHeight;
  form.Form_Resize(650, 1100);
  EXPECT_EQ(form.TabSetWidth, width + 100);
  EXPECT_EQ(form.TabSetHeight, height + 50);
  form.Form_Resize(333, 509);  // too small: the tab set keeps its size
  EXPECT_EQ(form.TabSetWidth, width + 100);
  EXPECT_EQ(form.TabSetHeight, height + 50);
  EXPECT_EQ(form.windowHeight, 333);
  EXPECT_EQ(form.windowWidth, 509);
}

TEST_F(Startup, ClearGrid1KeepsHeadingsTheLastRowAndColumnsPastNine) {
  struct Case {
    int rows;
    std::vector<int> cleared;
  };
  const Case cases[] = {{2, {}}, {3, {1}}, {5, {1, 2, 3}}};
  Grid& results = app.Grid1;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rows);
    results.Resize(c.rows, 14);
    for (int r = 0; r < c.rows; ++r)
      for (int col = 0; col < 14; ++col) results.SetText(r, col, "x");
    form.ClearGrid1();
    for (int r = 0; r < c.rows; ++r)
      for (int col = 0; col < 14; ++col) {
        const bool cleared =
            col <= 9 && std::find(c.cleared.begin(), c.cleared.end(), r) != c.cleared.end();
        EXPECT_EQ(results.Text(r, col), cleared ? "" : "x") << r << "," << col;
      }
  }
}

TEST_F(Startup, NormalTableHoldsPhiInStepsOfFiveHundredths) {
  // Phi(z) from printed tables of the standard normal distribution.
  const std::pair<int, double> known[] = {
      {0, 0.5},
      {1, 0.51994},
      {2, 0.53983},
      {6, 0.61791},   // z = 0.3
      {10, 0.69146},  // z = 0.5
      {20, 0.84134},  // z = 1.0
      {29, 0.92647},  // z = 1.45
      {30, 0.93319},  // z = 1.5
  };
  const auto& table = app.growth.normalTable;
  for (auto [k, phi] : known) EXPECT_DOUBLE_EQ(table[k], phi) << k;
  for (int k = 1; k < 31; ++k) EXPECT_GT(table[k], table[k - 1]) << k;
}

TEST_F(Startup, DataInitShowsTheCoefficientsAndMakesThemTheInitialOnes) {
  app.growth.growthCoef = {6.5, 1.25, 0, 0.002, 1};
  form.DataInit();
  const char* shown[] = {"6.5", "1.25", "0", "0.002"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(form.coefficientTable.Text(1, i + 1), shown[i]) << i;
    EXPECT_EQ(app.growth.defaultGrowthCoef[i], app.growth.growthCoef[i]) << i;
  }
  EXPECT_EQ(form.coefficientTable.Text(1, 5), "");
}

TEST_F(Startup, ShowInputOpensTheCoefficientsAndTurnOffTheFormulas) {
  form.Option1_Click();
  EXPECT_EQ(form.currentTab, kTabFormulas);
  EXPECT_TRUE(form.coefficientTable.Editable());
  EXPECT_FALSE(form.formulaTable.Editable());
  EXPECT_TRUE(form.Command[8].visible);
  EXPECT_TRUE(form.Enabled(Control::Command8));

  form.Option2_Click();
  EXPECT_FALSE(form.Option1.checked);
  EXPECT_FALSE(form.coefficientTable.Editable());
  EXPECT_TRUE(form.formulaTable.Editable());
  EXPECT_FALSE(form.Command[8].visible);
}

TEST(StartupMenus, EveryMenuCommandIsReachableOnce) {
  std::map<Control, int> seen;
  for (const AfrmMain::Menu& menu : AfrmMain::Menus()) {
    if (menu.Entries.empty()) ++seen[menu.control];
    for (const AfrmMain::MenuEntry& entry : menu.Entries) ++seen[entry.control];
  }
  for (int c = static_cast<int>(Control::MatrixOpen); c <= static_cast<int>(Control::aPaste); ++c)
    EXPECT_EQ(seen[static_cast<Control>(c)], 1) << c;
  EXPECT_EQ(seen.size(), 16u);  // no button in a menu
}

TEST_F(Startup, DisabledButtonsDoNothing) {
  form.Command[9].enabled = false;  // as while an optimization runs
  EXPECT_EQ(form.Click(Control::Command9), Window::None);
  EXPECT_FALSE(app.optForm.visible);
  EXPECT_TRUE(dialogs.shown().empty());
}

// The weight captions follow the weight unit, whatever the energy's.
TEST_F(Startup, UnitsFormCaptionsTheWeightFields) {
  EXPECT_EQ(form.Click(Control::UnitPick), Window::Units);
  app.unitsForm.weights.selected = 1;
  app.unitsForm.feedEnergy.selected = 0;
  form.UnitsOK();  // no location yet: applied without asking
  EXPECT_EQ(form.Text1.caption, "Starting Weight, lb");
  EXPECT_EQ(form.Text3.caption, "Final Weight, lb");
  EXPECT_EQ(form.Combo2.selected, 1);
  EXPECT_EQ(app.growth.unitCodes, (std::array<std::int16_t, 3>{0, 1, 1}));
  EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(Startup, ASecondClickShowsTheOpenMatrixEditorWithItsEdits) {
  form.Click(Control::Command6);
  app.matrixForm.matrixTable.SetText(1, 0, "Barley");  // not yet saved
  form.Click(Control::Command6);
  EXPECT_EQ(app.matrixForm.matrixTable.Text(1, 0), "Barley");
  form.WindowClosed(Window::MatrixEditor);
  form.Click(Control::Command6);  // loaded afresh from the matrix
  EXPECT_EQ(app.matrixForm.matrixTable.Text(1, 0), "");
}

}  // namespace
