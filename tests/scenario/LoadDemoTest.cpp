// A user opens the demo location through the "Calibration Name" field,
// looks at the diets, the files in use and the restrictions, saves the
// location elsewhere and opens that copy again.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "app/App.h"
#include "platform/NumberFormat.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFiles.h"

namespace fs = std::filesystem;

namespace {

// Every cell of two tables, compared by text.
void ExpectSameTable(const Grid& a, const Grid& b, const char* name) {
  SCOPED_TRACE(name);
  ASSERT_EQ(a.Rows(), b.Rows());
  ASSERT_EQ(a.Cols(), b.Cols());
  for (int r = 0; r < a.Rows(); ++r)
    for (int c = 0; c < a.Cols(); ++c)
      EXPECT_EQ(a.Text(r, c), b.Text(r, c)) << "row " << r << " col " << c;
}

void OpenThroughField(App& app, ScriptedDialogs& dialogs, const std::string& pltFile) {
  // The user clicks the "Calibration Name" field and picks the file.
  dialogs.File(pltFile);
  app.mainForm.LocationNameClicked();
  ASSERT_TRUE(dialogs.Done());
  const auto& dialog = dialogs.shown().front();
  EXPECT_EQ(dialog.kind, ScriptedDialogs::Shown::Kind::OpenFile);
  EXPECT_EQ(dialog.text, "Select Path and Calibration File");
  EXPECT_EQ(dialog.request.fileName, "*.plt");
}

TEST(LoadDemo, OpensTheDemoAsAUserWould) {
  TempDemo temp;
  ScriptedDialogs dialogs;
  App app(dialogs);
  MainForm& form = app.mainForm;
  EXPECT_EQ(form.filesTable.Text(kDietsRow, 0), "Not Open");
  OpenThroughField(app, dialogs, temp.Plt());
  EXPECT_TRUE(dialogs.Messages().empty());
  EXPECT_EQ(form.currentTab, kTabDiets);

  // Diets table: three phases fed in turn, 29.8 kg of feed per pig.
  const Grid& diets = form.dietsTable;
  const char* names[] = {"", "Phase 1 5-7 kg", "Phase 2 7-11 kg", "Phase 3 11-25 kg"};
  const double feed[] = {0, 2.4, 5.9, 21.5};
  const double lysine[] = {0, 1.5, 1.35, 1.23};
  for (int d = 1; d <= 3; ++d) {
    SCOPED_TRACE(d);
    EXPECT_EQ(diets.Text(1, d), names[d]);
    EXPECT_DOUBLE_EQ(ReadNumber(diets.Text(3, d)), feed[d]);
    EXPECT_DOUBLE_EQ(ReadNumber(diets.Text(8, d)), lysine[d]);
    EXPECT_GT(ReadNumber(diets.Text(2, d)), 300);  // cost per tonne
  }
  EXPECT_EQ(diets.Text(1, 4), "");

  // "Files in Use".
  const char* files[] = {"Demo.plt", "Demo.dts", "DemoMatrix.txt", "DemoReq.nut", "DemoReq.ing"};
  for (int k = 0; k < 5; ++k) EXPECT_EQ(form.filesTable.Text(2 * k + 2, 0), temp.Demo(files[k]));

  // The restrictions window shows what the restriction files hold.
  RestrictionsForm& restrict = app.restrictionsForm;
  restrict.Fill();
  EXPECT_DOUBLE_EQ(ReadNumber(restrict.nutrientTable.Text(2, 1)), 2448);   // energy minimum, diet 1
  EXPECT_DOUBLE_EQ(ReadNumber(restrict.nutrientTable.Text(2, 2)), 2600);   // and its maximum
  EXPECT_DOUBLE_EQ(ReadNumber(restrict.nutrientTable.Text(6, 5)), 1.23);   // lysine minimum, diet 3
  EXPECT_DOUBLE_EQ(ReadNumber(restrict.nutrientTable.Text(18, 3)), 0.35);  // sodium minimum, diet 2
  EXPECT_NE(restrict.ingredientTable.Text(4, 0).find("Dried whey"), std::string::npos);
  EXPECT_DOUBLE_EQ(ReadNumber(restrict.ingredientTable.Text(4, 1)), 15);  // whey minimum, diet 1
  EXPECT_DOUBLE_EQ(ReadNumber(restrict.ingredientTable.Text(4, 6)), -1);  // blocked in diet 3
  EXPECT_EQ(restrict.ingredientTable.CellColor(4, 6), kPeach);
}

// "Save All Files to New Location/Folder", then open the copy: the screens
// are the same.
TEST(LoadDemo, ALocationSavedElsewhereOpensWithTheSameScreens) {
  TempDemo temp;
  ScriptedDialogs dialogs;
  App first(dialogs);
  OpenThroughField(first, dialogs, temp.Plt());
  fs::create_directories(temp.Path("farm.2"));
  dialogs.File(temp.Path("farm.2/Farm2.plt"));
  first.mainForm.SaveAllToNewLocation();
  ASSERT_TRUE(dialogs.Done());
  ASSERT_TRUE(dialogs.Messages().empty());

  ScriptedDialogs dialogs2;
  App second(dialogs2);
  OpenThroughField(second, dialogs2, temp.Path("farm.2/Farm2.plt"));
  EXPECT_TRUE(dialogs2.Messages().empty());

  const MainForm& a = first.mainForm;
  const MainForm& b = second.mainForm;
  ExpectSameTable(a.dietsTable, b.dietsTable, "dietsTable");
  ExpectSameTable(a.coefficientTable, b.coefficientTable, "coefficientTable");
  ExpectSameTable(a.filesTable, b.filesTable, "filesTable");
  first.restrictionsForm.Fill();
  second.restrictionsForm.Fill();
  ExpectSameTable(
      first.restrictionsForm.nutrientTable, second.restrictionsForm.nutrientTable, "nutrientTable");
  ExpectSameTable(first.restrictionsForm.ingredientTable,
                  second.restrictionsForm.ingredientTable,
                  "ingredientTable");
  for (const auto& [x, y] : {std::pair{&a.startWeight, &b.startWeight},
                             {&a.startAge, &b.startAge},
                             {&a.finalWeight, &b.finalWeight},
                             {&a.totalFeedIntake, &b.totalFeedIntake},
                             {&a.finalAge, &b.finalAge}})
    EXPECT_EQ(x->text, y->text);
  EXPECT_EQ(b.locationName.text, temp.Path("farm.2/Farm2"));
  EXPECT_EQ(a.feedFormulation.Text(), b.feedFormulation.Text());
  EXPECT_EQ(a.herdSex.Text(), b.herdSex.Text());
  EXPECT_EQ(first.temperatures.calibrationTemps, second.temperatures.calibrationTemps);
  EXPECT_EQ(first.temperatures.futureTemps, second.temperatures.futureTemps);
  EXPECT_EQ(first.calibration.observations, second.calibration.observations);
  EXPECT_EQ(first.formulation.ingredientName, second.formulation.ingredientName);
  EXPECT_EQ(first.formulation.matrix, second.formulation.matrix);
  EXPECT_EQ(first.formulation.ingredientPrice, second.formulation.ingredientPrice);
}

}  // namespace
