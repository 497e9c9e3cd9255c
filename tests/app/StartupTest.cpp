#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/App.h"
#include "platform/TextFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFiles.h"

namespace {

using Control = MainForm::Control;
using Window = MainForm::Window;

// A fresh program folder, removed afterwards.
class ProgramFolder : public TempFolder {
 public:
  std::string Folder() const { return Path(""); }
  std::string SizeFile() const { return Folder() + "ROrivoForm.txt"; }
  MainForm::StartupEnvironment Machine(bool decimalComma = false) const {
    return {Folder(), decimalComma};
  }
};

class Startup : public ::testing::Test {
 protected:
  ProgramFolder program;
  ScriptedDialogs dialogs;
  App app{dialogs, program.Machine()};
  MainForm& form = app.mainForm;
};

// The data folder starts as the program's, the files table is one column
// of names; a machine that writes decimal commas says so in the title.
TEST_F(Startup, OpensInTheProgramFolderWithTheMachinesDecimalComma) {
  EXPECT_EQ(app.location.dataFolder, program.Folder());
  EXPECT_FALSE(form.filesTable.Editable());  // saved by a double click, not typed in
  EXPECT_EQ(form.filesTable.Cols(), 1);
  App comma(dialogs, program.Machine(true));
  EXPECT_TRUE(comma.growth.decimalComma);
  EXPECT_EQ(comma.mainForm.caption, form.caption + " Commas Not Periods");
}

// The size file holds twips, 15 to a pixel; the width is always the designed one.
TEST_F(Startup, WindowSizeFileGivesTheHeightOnly) {
  const int designed = form.windowHeight;
  const struct {
    std::vector<std::string> lines;
    int height;
  } cases[] = {
      {{" 6000.6", " 9999"}, 400},  // whole twips, then whole pixels
      {{" 0", " 0"}, designed},     // no size: the designed one stays
      {{"tall"}, designed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines.front());
    form.windowHeight = designed;
    form.windowWidth = 1234;
    ASSERT_TRUE(TextFile::WriteLines(program.SizeFile(), c.lines).ok);
    form.ReadWindowSize();
    EXPECT_EQ(form.windowHeight, c.height);
    EXPECT_EQ(form.windowWidth, kMainWindowWidth);
  }
  // Kept smaller than the tab set, it opens with the tab set as designed, not none.
  ASSERT_TRUE(TextFile::WriteLines(program.SizeFile(), {" 3000", " 15570"}).ok);
  App small{dialogs, program.Machine()};
  EXPECT_EQ(small.mainForm.windowHeight, 200);  // 3000 twips
  EXPECT_GT(small.mainForm.tabSetHeight, 0);
  EXPECT_EQ(small.mainForm.tabSetHeight, form.tabSetHeight);
}

TEST_F(Startup, EndProgramWritesTheSizeAndClosesTheSecondaryWindows) {
  for (Control control : {Control::KeepTrack, Control::SetUnits, Control::About})
    form.Click(control);
  for (Control control : {Control::SetTemperature, Control::OpenDiets, Control::EditMatrix})
    form.Click(control);
  form.WindowResized(540, 1038);  // pixels; the file holds twips
  form.EndProgram();
  EXPECT_FALSE(app.dietDisplayForm.visible);
  EXPECT_FALSE(form.matrixEditorOpen);
  EXPECT_FALSE(app.changeTrackingForm.Visible());
  EXPECT_FALSE(app.unitsForm.Visible());
  EXPECT_FALSE(app.aboutForm.Visible());
  EXPECT_FALSE(app.temperatureForm.Visible());
  const std::vector<std::string> written{" 8100", " 15570"};
  EXPECT_EQ(TextFile::ReadLines(program.SizeFile()), written);

  // Only a size with both sides is written; a folder gone is not reported.
  for (auto [height, width] : {std::pair{0, 800}, {400, 0}}) {
    form.windowHeight = height;
    form.windowWidth = width;
    form.EndProgram();
    EXPECT_EQ(TextFile::ReadLines(program.SizeFile()), written);
  }
  app.programFolder = program.Path("gone/");
  form.WindowResized(540, 1038);
  form.EndProgram();
  EXPECT_TRUE(dialogs.shown().empty());
}

// Phi(z) as printed in tables of the standard normal distribution, in steps
// of 0.05.
TEST_F(Startup, NormalTableHoldsPhiInStepsOfFiveHundredths) {
  const std::pair<int, double> known[] = {
      {0, 0.5}, {1, 0.51994}, {6, 0.61791}, {20, 0.84134}, {30, 0.93319}};
  const auto& table = app.growth.normalTable;
  for (auto [k, phi] : known) EXPECT_DOUBLE_EQ(table[k], phi) << k;
  for (int k = 1; k < 31; ++k) EXPECT_GT(table[k], table[k - 1]) << k;
}

TEST_F(Startup, DisabledButtonsDoNothing) {
  form.Button(MainForm::Control::RunOptimization).enabled = false;  // as while an optimization runs
  EXPECT_EQ(form.Click(Control::RunOptimization), Window::None);
  EXPECT_FALSE(app.optimizationForm.visible);
}

TEST_F(Startup, ASecondClickShowsTheOpenMatrixEditorWithItsEdits) {
  form.Click(Control::EditMatrix);
  app.matrixEditorForm.matrixTable.SetText(1, 0, "Barley");  // not yet saved
  form.Click(Control::EditMatrix);
  EXPECT_EQ(app.matrixEditorForm.matrixTable.Text(1, 0), "Barley");
  form.WindowClosed(Window::MatrixEditor);
  form.Click(Control::EditMatrix);  // loaded afresh from the matrix
  EXPECT_EQ(app.matrixEditorForm.matrixTable.Text(1, 0), "");
}

}  // namespace
