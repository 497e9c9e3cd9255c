#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/App.h"
#include "platform/SaveProtocol.h"
#include "platform/TextFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFiles.h"

namespace fs = std::filesystem;

namespace {

const char* const kDemoFiles[] = {
    "Demo.plt", "Demo.cal", "Demo.stg", "Demo.dts", "DemoMatrix.txt", "DemoReq.nut", "DemoReq.ing"};

class LocationSave : public ::testing::Test {
 protected:
  void LoadDemo() {
    dialogs.File(Demo("Demo.plt"));
    ASSERT_TRUE(form.ChooseLocation());
    ASSERT_TRUE(dialogs.Messages().empty());
    dialogs.Forget();
  }
  std::string Demo(const std::string& name) const { return tree.Demo(name); }
  // A new folder of the tree, with its slash.
  std::string Folder(const std::string& relative) const {
    fs::create_directories(tree.path() / relative);
    return tree.Path(relative) + "/";
  }
  // "0": a line every reader takes (an unreadable ".cal" is never written over).
  void Spoil(const std::string& except = "") {
    for (const char* name : kDemoFiles)
      if (name != except) ASSERT_TRUE(TextFile::WriteLines(Demo(name), {"0"}).ok);
  }
  bool Spoiled(const std::string& name) const { return ReadWhole(Demo(name)) == "0\r\n"; }
  void ExpectNoneKeptToSaveWithoutAsking() const {
    for (int row = 1; row <= kFileRows; ++row) EXPECT_FALSE(app.location.saveWithoutAsking[row]);
  }

  TempDemo tree;
  ScriptedDialogs dialogs;
  App app{dialogs};
  MainForm& form = app.mainForm;
};

// Saving the loaded demo gives the same bytes; a cancelled save writes nothing.
TEST_F(LocationSave, DemoFilesAreWhatTheWritersWrite) {
  LoadDemo();
  dialogs.CancelFile();
  form.SaveAllToNewLocation();
  EXPECT_EQ(dialogs.shown().at(0).rejectCaption, "");  // here it does cancel
  EXPECT_EQ(app.location.locationBase, Demo("Demo"));
  EXPECT_FALSE(fs::exists(Demo("FileCMatrix.txt")));
  const std::string target = Folder("copy");
  dialogs.File(target + "Demo.plt");
  form.SaveAllToNewLocation();
  EXPECT_TRUE(dialogs.Done());
  EXPECT_TRUE(dialogs.Messages().empty());
  for (const char* name : kDemoFiles) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(fs::exists(target + name));
    EXPECT_EQ(ReadWhole(target + name),
              ReadWhole((fs::path(TAMSEL_SOURCE_DIR) / "data/demo" / name).string()));
  }
}

TEST_F(LocationSave, FileTableQuestionsAnsweredYesNoAndCancel) {
  const struct {
    int row;
    Answer answer;
    const char* file;  // the file that row saves
  } cases[] = {
      {3, Answer::Yes, "Demo.dts"},
      {4, Answer::Cancel, "Demo.dts"},
      {5, Answer::Yes, "DemoMatrix.txt"},
      {6, Answer::No, "DemoMatrix.txt"},
      {7, Answer::Yes, "DemoReq.nut"},
      {8, Answer::No, "DemoReq.nut"},
  };
  LoadDemo();
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.row) + " " + c.file);
    Spoil();
    dialogs.Forget();
    const bool saveDialog = c.answer == Answer::No;  // "No" asks for the file's name
    dialogs.Answer(c.answer);
    if (saveDialog) dialogs.CancelFile();  // keeps the current name
    form.FilesTableDoubleClicked(c.row);
    EXPECT_TRUE(dialogs.Done());
    ASSERT_EQ(dialogs.shown().size(), saveDialog ? 2u : 1u);
    // The dialog's reject button, pressed here, says that it writes.
    if (saveDialog) EXPECT_EQ(dialogs.shown()[1].rejectCaption, kKeepNameCaption);
    for (const char* name : kDemoFiles)
      EXPECT_EQ(Spoiled(name), name != std::string(c.file) || c.answer == Answer::Cancel) << name;
    ExpectNoneKeptToSaveWithoutAsking();
  }
  // "No" and a new name: the diets go there and are used from then on.
  const std::string chosen = Folder("other") + "Mine.dts";
  dialogs.Forget();
  dialogs.Answer(Answer::No).File(chosen);
  form.FilesTableDoubleClicked(4);
  EXPECT_EQ(dialogs.shown().at(1).request.folder, Demo(""));
  EXPECT_EQ(ReadWhole(chosen).substr(0, 10), "Diet Name\t");
  EXPECT_EQ(form.filesTable.Text(kDietsRow, 0), chosen);
}

TEST_F(LocationSave, IngredientRestrictionRowsAlwaysAsk) {
  LoadDemo();
  for (int row : {9, 10}) {
    SCOPED_TRACE(row);
    Spoil();
    dialogs.Forget();
    dialogs.CancelFile();
    form.FilesTableDoubleClicked(row);
    ASSERT_EQ(dialogs.shown().size(), 2u);
    EXPECT_EQ(dialogs.shown()[1].request.fileName, Demo("DemoReq.ing"));
    EXPECT_FALSE(Spoiled("DemoReq.ing"));
    EXPECT_TRUE(Spoiled("DemoReq.nut"));
  }
}

TEST_F(LocationSave, SaveAllRowsYesWritesTheSetNoAsksForANewLocation) {
  LoadDemo();
  Spoil();
  dialogs.Answer(Answer::Cancel);
  form.FilesTableDoubleClicked(1);
  for (const char* name : kDemoFiles) EXPECT_TRUE(Spoiled(name)) << name;

  dialogs.Answer(Answer::Yes);
  form.FilesTableDoubleClicked(2);
  EXPECT_EQ(dialogs.shown().size(), 2u);  // the two questions, no save dialog
  for (const char* name : kDemoFiles) EXPECT_FALSE(Spoiled(name)) << name;

  dialogs.Answer(Answer::No).File(Folder("next") + "Farm2.plt");
  form.FilesTableDoubleClicked(1);
  EXPECT_TRUE(dialogs.Done());
  EXPECT_TRUE(fs::exists(tree.Path("next/Farm2Matrix.txt")));
  EXPECT_EQ(app.location.locationBase, tree.Path("next/Farm2"));
  ExpectNoneKeptToSaveWithoutAsking();
  // Rows 0 and 11 do nothing.
  dialogs.Forget();
  form.FilesTableDoubleClicked(0);
  form.FilesTableDoubleClicked(11);
  EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(LocationSave, SaveMenuCommandsWriteToTheCurrentNames) {
  LoadDemo();
  Spoil();
  form.SaveDietsMatrixRestrictions();
  EXPECT_EQ(form.StatusText, "Saved 4 files to " + Demo(""));
  const std::string notSaved = "Demo.plt Demo.cal Demo.stg";
  for (const char* name : kDemoFiles)
    EXPECT_EQ(Spoiled(name), notSaved.find(name) != std::string::npos) << name;
  EXPECT_TRUE(dialogs.shown().empty());

  // Without a second ingredient only the diets are saved.
  app.formulation.matrix[kWeightRow][2] = 0;
  Spoil();
  form.SaveDietsMatrixRestrictions();
  EXPECT_FALSE(Spoiled("Demo.dts"));
  EXPECT_TRUE(Spoiled("DemoMatrix.txt"));
  EXPECT_EQ(form.StatusText, "Saved 1 file to " + Demo(""));
}

TEST_F(LocationSave, DietCopyToANewLocationKeepsTheCurrentNames) {
  LoadDemo();
  const Location before = app.location;
  std::vector<std::string> rows;
  for (int row = 0; row < kFilesRows; ++row) rows.push_back(form.filesTable.Text(row, 0));
  const std::string copy = Folder("copy.v2") + "Trial";
  dialogs.File(copy);
  form.SaveDietsToNewLocation();
  for (const char* suffix : {".dts", "Matrix.txt", "Req.nut", "Req.ing"})
    EXPECT_EQ(ReadWhole(copy + suffix), ReadWhole(Demo(std::string("Demo") + suffix))) << suffix;
  EXPECT_FALSE(fs::exists(copy + ".plt"));
  EXPECT_EQ(app.location.dietsFile, before.dietsFile);
  EXPECT_EQ(app.location.matrixFile, before.matrixFile);
  for (int row = 0; row < kFilesRows; ++row) EXPECT_EQ(form.filesTable.Text(row, 0), rows[row]);
  ExpectNoneKeptToSaveWithoutAsking();
}

TEST_F(LocationSave, SaveDietsThenTheRestrictionSummaryOrNot) {
  LoadDemo();
  Spoil();
  dialogs.CancelFile().Input(tree.Path("elsewhere/Demorestrict.dat"));
  form.SaveDietsAndSummary();
  EXPECT_TRUE(dialogs.Done());
  EXPECT_EQ(dialogs.Messages(), std::vector<std::string>{Demo("Demo.dts") + " was saved"});
  EXPECT_FALSE(Spoiled("Demo.dts"));
  // The summary goes to the data folder whatever folder was typed.
  const auto lines = TextFile::ReadLines(Demo("Demorestrict.dat"));
  ASSERT_TRUE(lines.has_value());
  EXPECT_EQ(lines->front().substr(0, 3), "1  ");
  EXPECT_FALSE(fs::exists(tree.Path("elsewhere")));

  // A name under five characters writes nothing; no restrictions give the
  // four block ends; a write that fails says why.
  dialogs.Forget();
  dialogs.Input("a.da");
  form.SaveRestrictSummary();
  EXPECT_FALSE(fs::exists(Demo("a.da")));

  app.formulation = FormulationTables{};
  dialogs.Input("Empty.dat");
  form.SaveRestrictSummary();
  EXPECT_EQ(TextFile::ReadLines(Demo("Empty.dat")), std::vector<std::string>(4, "0  0  0"));

  app.location.dataFolder = tree.Path("missing/");
  dialogs.Input("Demorestrict.dat");
  form.SaveRestrictSummary();
  EXPECT_TRUE(dialogs.Done());
  EXPECT_EQ(dialogs.Messages(),
            std::vector<std::string>{"error saving restrictions\n" +
                                     tree.Path("missing/Demorestrict.dat") +
                                     ": No such file or directory"});
}

// A failed write is reported and leaves the earlier, read-only file whole.
TEST_F(LocationSave, FailedSaveKeepsTheEarlierFile) {
  LoadDemo();
  const std::string before = ReadWhole(Demo("Demo.dts"));
  fs::permissions(Demo("Demo.dts"), fs::perms(0444));
  dialogs.CancelFile();
  form.SaveDietsAndSummary();
  EXPECT_EQ(
      dialogs.Messages(),
      std::vector<std::string>{"Error 75 (Path/File access error) in procedure SaveDietsFile\n" +
                               Demo("Demo.dts") + ": the file is read-only"});
  EXPECT_EQ(ReadWhole(Demo("Demo.dts")), before);

  // A whole-set save stops at the failed file.
  dialogs.Forget();
  Spoil("Demo.dts");
  form.SaveAllToCurrentLocation();
  EXPECT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(ReadWhole(Demo("Demo.dts")), before);
  EXPECT_FALSE(Spoiled("Demo.plt"));
  EXPECT_TRUE(Spoiled("DemoMatrix.txt"));
}

// Without a location, or diet 1's energy, nothing is written; diets saved
// without a location take the calibration name.
TEST_F(LocationSave, WithoutALocationOnlyDietsAreSavedUnderTheCalibrationName) {
  form.SaveAllToCurrentLocation();
  form.SaveDietsMatrixRestrictions();
  for (const char* energy : {"", "0"}) {
    form.dietsTable.SetText(kDietEnergyRow, 1, energy);
    form.SaveDietsAndSummary();
  }
  EXPECT_TRUE(dialogs.shown().empty());
  EXPECT_FALSE(fs::exists(app.programFolder + ".dts"));

  app.location.dataFolder = Folder("fresh");
  form.dietsTable.SetText(kDietEnergyRow, 1, "2400");
  form.dietsTable.SetText(1, 1, "Starter");
  dialogs.CancelFile().Input("");
  form.SaveDietsAndSummary();
  const std::string expected = tree.Path("fresh/Calibration Name.dts");
  EXPECT_EQ(dialogs.Messages(), std::vector<std::string>{expected + " was saved"});
  EXPECT_EQ(TextFile::ReadLines(expected).value_or(std::vector<std::string>{""}).front(),
            "Diet Name\tStarter");
}

}  // namespace
