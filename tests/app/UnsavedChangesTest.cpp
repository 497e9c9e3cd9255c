#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/App.h"
#include "app/UnsavedChanges.h"
#include "optimization/DietOptimization.h"
#include "platform/GridClipboard.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFiles.h"

namespace {

// The user pastes "987.6" into one cell, as typing there would.
void PasteInto(Grid& grid, int row, int col, Dialogs& dialogs) {
  dialogs.SetClipboard("987.6");
  grid.SetCurrent(row, col);
  GridKey(grid, Key::V, kControlModifier, dialogs);
}

struct EditCase {
  UnsavedData data;
  const char* file;  // of the demo location; written on Save
  std::function<void(App&, Dialogs&)> edit;
};

// Each kind of data, changed on its own screen as a user does.
const EditCase kEdits[] = {
    {UnsavedData::Diets,
     "Demo.dts",
     [](App& app, Dialogs& d) { PasteInto(app.mainForm.dietsTable, 3, 1, d); }},
    {UnsavedData::Matrix,
     "DemoMatrix.txt",
     [](App& app, Dialogs& d) {
       app.mainForm.Click(MainForm::Control::EditMatrix);
       PasteInto(app.matrixEditorForm.matrixTable, 1, MatrixEditorForm::kPriceCol, d);
     }},
    {UnsavedData::IngRestrictions,
     "DemoReq.ing",
     [](App& app, Dialogs& d) {
       app.mainForm.Click(MainForm::Control::EditRestrictions);
       PasteInto(app.restrictionsForm.ingredientTable, 1, 1, d);
     }},
    {UnsavedData::NutRestrictions,
     "DemoReq.nut",
     [](App& app, Dialogs& d) {
       app.mainForm.Click(MainForm::Control::EditRestrictions);
       PasteInto(app.restrictionsForm.nutrientTable, 5, 2, d);
       ASSERT_TRUE(app.restrictionsForm.KeepNutrientRestrictions());  // kept for the session
     }},
    {UnsavedData::CalibrationInputs,
     "Demo.cal",
     [](App& app, Dialogs& d) {
       app.calibrationInputsForm.Open();
       PasteInto(app.calibrationInputsForm.weighingsTable, 2, 1, d);
     }},
    {UnsavedData::OptimizationTable,
     "Demo.opt",
     [](App& app, Dialogs& d) {
       app.optimizationForm.Open();
       PasteInto(app.optimizationForm.optimizationTable, 1, kOptMinimumCol, d);
       app.optimizationForm.tableFile = app.location.locationBase + ".opt";
     }},
};

class UnsavedChanges : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenLocation(app, dialogs, demo.Plt());
    dialogs.Forget();
  }
  TempDemo demo;
  ScriptedDialogs dialogs;
  App app{dialogs};
};

// Each change is asked about by its file: Cancel keeps it, Discard forgets
// it, Save writes it.
TEST_F(UnsavedChanges, SaveDiscardOrCancelEachKind) {
  for (const EditCase& c : kEdits) {
    SCOPED_TRACE(c.file);
    const std::string path = demo.Demo(c.file);
    const std::string before = ReadWhole(path);
    for (Answer answer : {Answer::Cancel, Answer::Discard, Answer::Save}) {
      SCOPED_TRACE(static_cast<int>(answer));
      c.edit(app, dialogs);
      ASSERT_TRUE(HasUnsavedChanges(app, c.data));
      dialogs.Forget();
      dialogs.Answer(answer);
      EXPECT_EQ(SaveChangesFirst(app), answer != Answer::Cancel);
      EXPECT_TRUE(dialogs.Done());
      ASSERT_EQ(dialogs.shown().size(), 1u);
      EXPECT_EQ(dialogs.shown()[0].text, "Save changes to " + path + "?");
      EXPECT_EQ(HasUnsavedChanges(app, c.data), answer == Answer::Cancel);
      EXPECT_EQ(ReadWhole(path).find("987.6") != std::string::npos, answer == Answer::Save);
      if (answer != Answer::Save) EXPECT_EQ(ReadWhole(path), before);
      if (answer == Answer::Cancel) {  // the change waits for the next question
        dialogs.Answer(Answer::Discard);
        EXPECT_TRUE(SaveChangesFirst(app));
      }
    }
  }
}

// Choosing a location or opening a matrix asks first; Cancel keeps both.
TEST_F(UnsavedChanges, ChoosingALocationOrOpeningAMatrixAsksFirst) {
  PasteInto(app.mainForm.dietsTable, 3, 1, dialogs);
  dialogs.File(demo.Plt()).Answer(Answer::Cancel);
  EXPECT_FALSE(app.mainForm.ChooseLocation());
  EXPECT_EQ(app.mainForm.dietsTable.Text(3, 1), "987.6");

  dialogs.File(demo.Plt()).Answer(Answer::Discard);
  EXPECT_TRUE(app.mainForm.ChooseLocation());
  EXPECT_NE(app.mainForm.dietsTable.Text(3, 1), "987.6");  // reopened from its file
  EXPECT_TRUE(dialogs.Done());

  kEdits[1].edit(app, dialogs);  // the matrix editor
  const std::string matrixFile = app.location.matrixFile;
  dialogs.File(demo.Demo("Other.txt")).Answer(Answer::Cancel);
  app.mainForm.OpenMatrix();
  EXPECT_EQ(app.location.matrixFile, matrixFile);
  EXPECT_TRUE(HasUnsavedChanges(app, UnsavedData::Matrix));
  EXPECT_TRUE(dialogs.Done());
}

// Loading, a least-cost run, a growth run and saved files (also a matrix first
// kept for the session) leave nothing to ask.
TEST_F(UnsavedChanges, NothingToAskAfterRunsAndSaves) {
  app.mainForm.herdSex.selected = 0;
  app.mainForm.Click(MainForm::Control::RunLp);
  app.mainForm.Growth();
  dialogs.Forget();
  EXPECT_TRUE(SaveChangesFirst(app));
  EXPECT_TRUE(dialogs.shown().empty());
  for (const EditCase& c : kEdits)
    if (c.data != UnsavedData::CalibrationInputs && c.data != UnsavedData::OptimizationTable)
      c.edit(app, dialogs);
  app.matrixEditorForm.SaveChanges();  // "Save Changes": kept, not yet in the file
  app.restrictionsForm.KeepIngredientRestrictions();
  ASSERT_TRUE(app.restrictionsForm.KeepNutrientRestrictions());
  EXPECT_TRUE(HasUnsavedChanges(app, UnsavedData::Matrix));
  app.mainForm.SaveAllToCurrentLocation();
  dialogs.Forget();
  EXPECT_TRUE(SaveChangesFirst(app));
  EXPECT_TRUE(dialogs.shown().empty());
}

}  // namespace
