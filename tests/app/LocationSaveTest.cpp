#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "app/App.h"
#include "platform/NumberFormat.h"
#include "platform/SaveProtocol.h"
#include "platform/TextFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFiles.h"

namespace fs = std::filesystem;

namespace {

const char* const kDemoFiles[] = {
    "Demo.plt", "Demo.cal", "Demo.stg", "Demo.dts", "DemoMatrix.txt", "DemoReq.nut", "DemoReq.ing"};

std::optional<std::string> Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A temporary tree: "demo/" holds a copy of the demo location.
struct TempTree : TempDemo {
  std::string Folder(const std::string& relative) const {
    std::filesystem::create_directories(path() / relative);
    return Path(relative) + "/";
  }
};

class LocationSave : public ::testing::Test {
 protected:
  void LoadDemo() {
    dialogs.File(tree.Path("demo/Demo.plt"));
    ASSERT_TRUE(form.ChooseLocation());
    ASSERT_TRUE(dialogs.Messages().empty());
    dialogs.Forget();
  }
  std::string Demo(const std::string& name) const { return tree.Path("demo/" + name); }
  // Makes every demo file differ from what a save writes; "0" is a line
  // every reader takes (a ".cal" that could not be read is never written over).
  void Spoil(const std::string& except = "") {
    for (const char* name : kDemoFiles)
      if (name != except) ASSERT_TRUE(TextFile::WriteLines(Demo(name), {"0"}).ok);
  }
  bool Spoiled(const std::string& name) const { return Bytes(Demo(name)) == "0\r\n"; }

  TempTree tree;
  ScriptedDialogs dialogs;
  App app{dialogs};
  MainForm& form = app.mainForm;
};

// The demo files are written in the writers' own formats: saving the loaded
// demo gives the same bytes.
TEST_F(LocationSave, DemoFilesAreWhatTheWritersWrite) {
  LoadDemo();
  std::string target = tree.Folder("copy");
  dialogs.File(target + "Demo.plt");
  form.SaveAllToNewLocation();
  EXPECT_TRUE(dialogs.Done());
  EXPECT_TRUE(dialogs.Messages().empty());
  for (const char* name : kDemoFiles) {
    SCOPED_TRACE(name);
    auto written = Bytes(target + name);
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(*written, *Bytes(fs::path(TAMSEL_SOURCE_DIR) / "data/demo" / name));
  }
}

TEST_F(LocationSave, FileTableQuestionsAnsweredYesNoAndCancel) {
  const struct {
    int row;
    Answer answer;
    const char* file;  // the file that row saves
    const char* what;  // in the question
  } cases[] = {
      {3, Answer::Yes, "Demo.dts", "Current Diets"},
      {4, Answer::No, "Demo.dts", "Current Diets"},
      {4, Answer::Cancel, "Demo.dts", "Current Diets"},
      {5, Answer::Yes, "DemoMatrix.txt", "Current Matrix Data"},
      {6, Answer::No, "DemoMatrix.txt", "Current Matrix Data"},
      {6, Answer::Cancel, "DemoMatrix.txt", "Current Matrix Data"},
      {7, Answer::Yes, "DemoReq.nut", " Nutrition Restrictions"},
      {8, Answer::No, "DemoReq.nut", " Nutrition Restrictions"},
      {8, Answer::Cancel, "DemoReq.nut", " Nutrition Restrictions"},
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
    ASSERT_FALSE(dialogs.shown().empty());
    EXPECT_EQ(dialogs.shown()[0].text,
              std::string("Do you want to Save the ") + c.what + " to the existing location?");
    const bool dialogShown = dialogs.shown().size() == 2 &&
                             dialogs.shown()[1].kind == ScriptedDialogs::Shown::Kind::SaveFile;
    EXPECT_EQ(dialogShown, saveDialog);
    // The dialog's reject button, pressed here, says that it writes.
    if (dialogShown) EXPECT_EQ(dialogs.shown()[1].rejectCaption, kKeepNameCaption);
    EXPECT_EQ(Spoiled(c.file), c.answer == Answer::Cancel);
    for (const char* other : kDemoFiles)
      if (std::string(other) != c.file) EXPECT_TRUE(Spoiled(other)) << other;
    for (int row = 1; row <= kFileRows; ++row) EXPECT_FALSE(app.location.saveWithoutAsking[row]);
  }
}

TEST_F(LocationSave, NoOnTheDietsRowSavesUnderTheChosenName) {
  LoadDemo();
  std::string chosen = tree.Folder("other") + "Mine.dts";
  dialogs.Answer(Answer::No).File(chosen);
  form.FilesTableDoubleClicked(4);
  const auto& dialog = dialogs.shown().at(1);
  EXPECT_EQ(
      dialog.text,
      "CURRENT FILE IS " + Demo("Demo.dts") + " -  CHOOSE THE LOCATION AND NAME TO CHANGE IT");
  EXPECT_EQ(dialog.request.folder, tree.Path("demo/"));
  EXPECT_EQ(dialog.request.fileName, "*.dts");
  EXPECT_EQ(Bytes(chosen), Bytes(Demo("Demo.dts")));
  EXPECT_EQ(app.location.dietsFile, chosen);
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
    EXPECT_EQ(dialogs.shown()[1].kind, ScriptedDialogs::Shown::Kind::SaveFile);
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

  std::string target = tree.Folder("next") + "Farm2.plt";
  dialogs.Answer(Answer::No).File(target);
  form.FilesTableDoubleClicked(1);
  EXPECT_TRUE(dialogs.Done());
  EXPECT_TRUE(fs::exists(tree.Path("next/Farm2Matrix.txt")));
  EXPECT_EQ(app.location.locationBase, tree.Path("next/Farm2"));
  for (int row = 1; row <= kFileRows; ++row) EXPECT_FALSE(app.location.saveWithoutAsking[row]);
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
  for (const char* name : {"Demo.dts", "DemoMatrix.txt", "DemoReq.nut", "DemoReq.ing"})
    EXPECT_FALSE(Spoiled(name)) << name;
  EXPECT_EQ(form.StatusText, "Saved 4 files to " + tree.Path("demo/"));
  for (const char* name : {"Demo.plt", "Demo.cal", "Demo.stg"}) EXPECT_TRUE(Spoiled(name)) << name;

  form.SaveAllToCurrentLocation();
  for (const char* name : kDemoFiles) EXPECT_FALSE(Spoiled(name)) << name;
  EXPECT_TRUE(dialogs.shown().empty());

  // Without a second ingredient only the diets are saved.
  app.formulation.matrix[kWeightRow][2] = 0;
  Spoil();
  form.SaveDietsMatrixRestrictions();
  EXPECT_FALSE(Spoiled("Demo.dts"));
  for (const char* name : {"DemoMatrix.txt", "DemoReq.nut", "DemoReq.ing"})
    EXPECT_TRUE(Spoiled(name)) << name;
  EXPECT_EQ(form.StatusText, "Saved 1 file to " + tree.Path("demo/"));
}

TEST_F(LocationSave, CancelledNewLocationWritesNothing) {
  LoadDemo();
  dialogs.CancelFile();
  form.SaveAllToNewLocation();
  const auto& dialog = dialogs.shown().at(0);
  EXPECT_EQ(
      dialog.text,
      "CURRENT FILE IS " + Demo("Demo.plt") + " -  CHOOSE THE LOCATION AND NAME TO SAVE TO NOW");
  EXPECT_EQ(dialog.request.fileName, "FileCalib");
  EXPECT_EQ(dialog.rejectCaption, "");  // here it does cancel
  EXPECT_EQ(app.location.locationBase, Demo("Demo"));
  EXPECT_FALSE(fs::exists(tree.Path("demo/FileCMatrix.txt")));
  EXPECT_FALSE(fs::exists(tree.Path("demo/FileCalib")));
}

TEST_F(LocationSave, DietCopyToANewLocationKeepsTheCurrentNames) {
  LoadDemo();
  const Location before = app.location;
  std::vector<std::string> rows;
  for (int row = 0; row < kFilesRows; ++row) rows.push_back(form.filesTable.Text(row, 0));
  std::string copy = tree.Folder("copy.v2") + "Trial";
  dialogs.File(copy);
  form.SaveDietsToNewLocation();
  for (const char* suffix : {".dts", "Matrix.txt", "Req.nut", "Req.ing"})
    EXPECT_EQ(Bytes(copy + suffix), Bytes(Demo(std::string("Demo") + suffix))) << suffix;
  EXPECT_FALSE(fs::exists(copy + ".plt"));
  EXPECT_EQ(app.location.dietsFile, before.dietsFile);
  EXPECT_EQ(app.location.matrixFile, before.matrixFile);
  EXPECT_EQ(app.location.nutRestrictionsFile, before.nutRestrictionsFile);
  EXPECT_EQ(app.location.ingRestrictionsFile, before.ingRestrictionsFile);
  EXPECT_EQ(app.location.locationBase, before.locationBase);
  for (int row = 0; row < kFilesRows; ++row) EXPECT_EQ(form.filesTable.Text(row, 0), rows[row]);
  for (int row = 1; row <= kFileRows; ++row) EXPECT_FALSE(app.location.saveWithoutAsking[row]);
}

TEST_F(LocationSave, SaveDietsThenTheRestrictionSummary) {
  LoadDemo();
  Spoil();
  std::string summary = Demo("Demorestrict.dat");
  dialogs.CancelFile().Input(tree.Path("elsewhere/Demorestrict.dat"));
  form.SaveDietsAndSummary();
  EXPECT_TRUE(dialogs.Done());
  ASSERT_EQ(dialogs.shown().size(), 3u);
  EXPECT_EQ(dialogs.shown()[1].text, Demo("Demo.dts") + " was saved");
  EXPECT_EQ(dialogs.shown()[2].kind, ScriptedDialogs::Shown::Kind::Input);
  EXPECT_FALSE(Spoiled("Demo.dts"));
  // The summary goes to the data folder whatever folder was typed.
  auto lines = TextFile::ReadLines(summary);
  ASSERT_TRUE(lines.has_value());
  EXPECT_EQ(lines->front().substr(0, 3), "1  ");
  EXPECT_FALSE(fs::exists(tree.Path("elsewhere")));
}

TEST_F(LocationSave, RestrictionSummaryProposalAndShortAnswers) {
  LoadDemo();
  for (const char* answer : {"", "a.da"}) {
    SCOPED_TRACE(answer);
    dialogs.Forget();
    dialogs.Input(answer);
    form.SaveRestrictSummary();
    EXPECT_TRUE(dialogs.Done());
    EXPECT_FALSE(fs::exists(Demo("Demorestrict.dat")));
  }
  // An empty set of restrictions gives the four block ends.
  app.formulation = FormulationTables{};
  dialogs.Input("Empty.dat");
  form.SaveRestrictSummary();
  auto lines = TextFile::ReadLines(Demo("Empty.dat"));
  ASSERT_TRUE(lines.has_value());
  EXPECT_EQ(*lines, std::vector<std::string>(4, "0  0  0"));
}

TEST_F(LocationSave, RestrictionSummaryWriteErrorIsReported) {
  app.location.dataFolder = tree.Path("missing/");
  app.location.locationBase = tree.Path("missing/Demo");
  dialogs.Input("Demorestrict.dat");
  form.SaveRestrictSummary();
  EXPECT_EQ(dialogs.Messages(),
            std::vector<std::string>{"error saving restrictions\n" +
                                     tree.Path("missing/Demorestrict.dat") +
                                     ": No such file or directory"});
}

TEST_F(LocationSave, SaveDietsWithoutALocationUsesTheCalibrationName) {
  app.location.dataFolder = tree.Folder("fresh");
  form.dietsTable.SetText(kDietEnergyRow, 1, "2400");
  form.dietsTable.SetText(1, 1, "Starter");
  dialogs.CancelFile().Input("");
  form.SaveDietsAndSummary();
  std::string expected = tree.Path("fresh/Calibration Name.dts");
  EXPECT_EQ(dialogs.Messages(), std::vector<std::string>{expected + " was saved"});
  auto lines = TextFile::ReadLines(expected);
  ASSERT_TRUE(lines.has_value());
  EXPECT_EQ(lines->front(), "Diet Name\tStarter");
}

// A write that fails is reported, is not called saved, and leaves the
// earlier file whole: a file the user made read-only is not replaced.
TEST_F(LocationSave, FailedSaveKeepsTheEarlierFile) {
  LoadDemo();
  auto before = Bytes(Demo("Demo.dts"));
  fs::permissions(Demo("Demo.dts"), fs::perms(0444));
  dialogs.CancelFile();
  form.SaveDietsAndSummary();
  EXPECT_EQ(
      dialogs.Messages(),
      std::vector<std::string>{"Error 75 (Path/File access error) in procedure SaveDietsFile\n" +
                               Demo("Demo.dts") + ": the file is read-only"});
  EXPECT_EQ(Bytes(Demo("Demo.dts")), before);

  // A whole-set save stops at the failed file.
  dialogs.Forget();
  Spoil("Demo.dts");
  form.SaveAllToCurrentLocation();
  EXPECT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(Bytes(Demo("Demo.dts")), before);
  EXPECT_FALSE(Spoiled("Demo.plt"));
  EXPECT_TRUE(Spoiled("DemoMatrix.txt"));
}

// Without a location, or with no energy for diet 1, nothing is asked or written.
TEST_F(LocationSave, NothingIsWrittenWithoutALocationOrDiets) {
  form.SaveAllToCurrentLocation();
  form.SaveDietsMatrixRestrictions();
  for (const char* energy : {"", "0"}) {
    form.dietsTable.SetText(kDietEnergyRow, 1, energy);
    form.SaveDietsAndSummary();
  }
  EXPECT_TRUE(dialogs.shown().empty());
  EXPECT_FALSE(fs::exists(app.programFolder + ".dts"));
}

}  // namespace
