#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "app/App.h"
#include "platform/NumberFormat.h"
#include "platform/TextFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFiles.h"

namespace fs = std::filesystem;
using Control = MainForm::Control;

namespace {

// The demo location copied into a folder of the given name.
struct DemoCopy : TempDemo {
  explicit DemoCopy(const std::string& name = "demo") : name(name) {
    if (name != "demo") fs::rename(path() / "demo", path() / name);
  }
  std::string Folder() const { return TempFolder::Path(name) + "/"; }
  std::string Path(const std::string& file) const { return Folder() + file; }
  void Remove(const std::string& file) const { fs::remove(Path(file)); }
  std::string name;
};

// Root reads every file whatever its mode; while one of these lives it is
// held to the mode like anyone else (the capabilities come back after).
class NoReadOverride {
 public:
  NoReadOverride() { Set(false); }
  ~NoReadOverride() { Set(true); }

 private:
  static void Set(bool on) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (::syscall(SYS_capget, &header, data) != 0) return;
    for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH}) {
      const unsigned bit = 1u << (cap % 32);
      auto& set = data[cap / 32];
      set.effective = on ? set.effective | (set.permitted & bit) : set.effective & ~bit;
    }
    ::syscall(SYS_capset, &header, data);
  }
};

class LocationLoad : public ::testing::Test {
 protected:
  // Opens the location's file through the "Calibration Name" dialog.
  void Open(const std::string& plt) {
    dialogs.File(plt);
    ASSERT_TRUE(form.ChooseLocation());
  }
  ScriptedDialogs dialogs;
  App app{dialogs};
  MainForm& form = app.mainForm;
};

// A star is a pattern only in the name of a file, not in a folder's name.
TEST_F(LocationLoad, DemoLoadsEveryFileOfTheSet) {
  DemoCopy demo("farm*1");
  Open(demo.Path("Demo.plt"));
  EXPECT_TRUE(dialogs.Messages().empty()) << dialogs.Messages().front();
  EXPECT_EQ(app.location.dataFolder, demo.Folder());
  EXPECT_TRUE(form.calibrationDataLoaded.checked);
  // Diet 1 carries an energy minimum: the formulation is ready.
  EXPECT_EQ(form.feedFormulation.Text(), "Least Cost Formulas");
  EXPECT_DOUBLE_EQ(ReadNumber(form.coefficientTable.Text(kCoefRow, 4)), 0.005129243872688049);
  EXPECT_EQ(form.dietCount.Text(), "3");
  EXPECT_DOUBLE_EQ(app.temperatures.futureTemps[7], 21);
  EXPECT_DOUBLE_EQ(app.calibration.observations[4][kObsWeight], 25);
}

// A file that is not there, chosen or named, is a new location on a "Yes".
TEST_F(LocationLoad, NewLocationAnsweredYesIsSetWithoutReading) {
  for (const bool named : {false, true}) {
    SCOPED_TRACE(named ? "named" : "chosen");
    ScriptedDialogs script;
    App fresh(script);
    DemoCopy demo("new.place");
    const std::string chosen = demo.Path("Farm1.plt");
    if (!named) script.File(chosen);
    script.Answer(Answer::Yes);
    ASSERT_TRUE(named ? fresh.mainForm.ChooseLocation(chosen) : fresh.mainForm.ChooseLocation());
    EXPECT_EQ(
        script.Messages(),
        std::vector<std::string>{"You are using this path " + demo.Folder() + " Is this correct?"});
    EXPECT_FALSE(fresh.location.loaded);
    EXPECT_EQ(fresh.mainForm.locationName.text, demo.Path("Farm1"));
    EXPECT_EQ(fresh.formulation.ingredientCount, 0);  // nothing read
  }
}

// A cancel changes nothing; "No" to a new location asks again or, named, ends.
TEST_F(LocationLoad, CancelOrNoToANewLocationKeepsTheOpenOne) {
  dialogs.CancelFile();
  EXPECT_FALSE(form.ChooseLocation());
  EXPECT_EQ(dialogs.shown().at(0).request.folder, app.location.dataFolder);
  EXPECT_EQ(app.location.locationBase, "");
  DemoCopy demo;
  dialogs.File(demo.Path("Farm9.plt")).Answer(Answer::No).File(demo.Path("Demo.plt"));
  ASSERT_TRUE(form.ChooseLocation());
  EXPECT_EQ(app.formulation.ingredientCount, 16);
  dialogs.File(demo.Path("Nowhere.plt")).Answer(Answer::No).CancelFile();
  EXPECT_FALSE(form.ChooseLocation());
  EXPECT_EQ(form.filesTable.Text(kPltRow, 0), demo.Path("Demo.plt"));
  dialogs.Answer(Answer::No);  // named: a "No" ends there
  EXPECT_FALSE(form.ChooseLocation(demo.Path("Farm1.plt")));
  EXPECT_EQ(app.location.locationBase, demo.Path("Demo"));
  EXPECT_TRUE(dialogs.Done());
}

// What a load puts in place, file by file.
std::vector<std::string> Loaded(const App& app) {
  const MainForm& form = app.mainForm;
  return {form.coefficientTable.Text(kCoefRow, 1),
          form.startWeight.text,
          NumberText(app.calibration.observations[1][kObsAge]),
          NumberText(app.temperatures.calibrationTemps[0]),
          form.dietsTable.Text(1, 1),
          app.formulation.ingredientName[1],
          NumberText(app.formulation.ingredientRestrictions[1][kMaxKind][2]),
          NumberText(app.formulation.nutrientRestrictions[1][kMinKind][1])};
}

// Whichever file is missing or unreadable, the rest loads. A missing file is
// reported (observations and temperatures are not); one that cannot be read
// is reported by name and reason, never taken for a missing or empty file.
TEST_F(LocationLoad, EveryFileIsReadOrReportedByName) {
  const struct {
    const char* name;
    const char* missing;  // the message before its path; nullptr: none
    bool leastCost;       // the formulation is still ready without it
  } files[] = {
      {"Demo.plt", "Cannot find the Calibration file ", true},
      {"Demo.cal", nullptr, true},
      {"Demo.stg", nullptr, true},
      {"Demo.dts", "No Diets File found named ", true},
      {"DemoMatrix.txt", "No Matrix File found named ", false},
      {"DemoReq.ing", "No Ingredient Restriction File found named ", false},
      {"DemoReq.nut", "No Nutrient Restriction File found named ", false},
  };
  DemoCopy plain;
  Open(plain.Path("Demo.plt"));
  const std::vector<std::string> loaded = Loaded(app);
  // One reason a file cannot be read stands for all: they are the text files' tests.
  enum class Spoil { Missing, ByteOrderMark, Unreadable };
  for (Spoil spoil : {Spoil::Missing, Spoil::ByteOrderMark, Spoil::Unreadable}) {
    for (const auto& file : files) {
      SCOPED_TRACE(std::string(file.name) + " " + std::to_string(static_cast<int>(spoil)));
      ScriptedDialogs script;
      App fresh(script);
      DemoCopy demo;
      const std::string path = demo.Path(file.name);
      const std::string text = ReadWhole(path);
      std::vector<std::string> messages;
      if (spoil == Spoil::Missing) {
        fs::remove(path);
        if (file.missing) messages.push_back(file.missing + path);
      }
      if (spoil == Spoil::ByteOrderMark)
        std::ofstream(path, std::ios::binary | std::ios::trunc) << "\xEF\xBB\xBF" << text;
      if (spoil == Spoil::Unreadable) {
        fs::permissions(path, fs::perms::none);
        messages.push_back("Cannot read " + path + ": Permission denied");
        // A matrix that was not read leaves no nutrients, as a broken one does.
        if (file.name == std::string("DemoMatrix.txt"))
          messages.push_back("No Nutrient File found");
      }
      // Without the ".plt" the location is opened by another file of the set.
      const bool noPlt = spoil == Spoil::Missing && file.name == std::string("Demo.plt");
      script.File(demo.Path(noPlt ? "Demo.dts" : "Demo.plt"));
      {
        NoReadOverride asAnyone;
        ASSERT_TRUE(fresh.mainForm.ChooseLocation());
      }
      EXPECT_EQ(script.Messages(), messages);
      EXPECT_TRUE(fresh.location.loaded);
      EXPECT_EQ(fresh.mainForm.dietsTable.Text(4, 0), "Energy NE");  // labels stay
      if (spoil == Spoil::Missing)
        EXPECT_EQ(fresh.mainForm.feedFormulation.Text(),
                  file.leastCost ? "Least Cost Formulas" : "Use Diets on Grid");
      if (spoil == Spoil::ByteOrderMark) EXPECT_EQ(Loaded(fresh), loaded);
    }
  }
}

TEST_F(LocationLoad, ATruncatedDietsFileSaysWhatWasRead) {
  DemoCopy demo;
  std::vector<std::string> lines = *TextFile::ReadLines(demo.Path("Demo.dts"));
  lines.resize(27);
  ASSERT_TRUE(TextFile::WriteLines(demo.Path("Demo.dts"), lines).ok);
  Open(demo.Path("Demo.plt"));
  EXPECT_EQ(dialogs.Messages(),
            std::vector<std::string>{"Read 1 diet (lines 1 to 18) of " + demo.Path("Demo.dts") +
                                     "; lines 19 to 27 do not make a whole diet of 18 lines and "
                                     "were not read"});
  EXPECT_EQ(app.growth.dietCount, 1);
}

// A location no longer there leaves "Open Recent"; one without temperatures
// has the defaults, not those of the location open before.
TEST_F(LocationLoad, RecentLocationsForgetTheMissing) {
  DemoCopy first, second;
  second.Remove("Demo.stg");
  Open(first.Path("Demo.plt"));
  ASSERT_DOUBLE_EQ(app.temperatures.calibrationTemps[2], 27);
  Open(second.Path("Demo.plt"));
  EXPECT_DOUBLE_EQ(app.temperatures.calibrationTemps[2], kDefaultTemperature);
  EXPECT_DOUBLE_EQ(app.temperatures.futureTemps[2], kDefaultTemperature);
  second.Remove("Demo.plt");
  form.OpenRecentLocation(0);
  form.OpenRecentLocation(5);  // past the list: nothing
  EXPECT_EQ(
      dialogs.Messages(),
      std::vector<std::string>{"Cannot find the Calibration file " + second.Path("Demo.plt")});
  EXPECT_EQ(form.Recent.Paths(), std::vector<std::string>{first.Path("Demo.plt")});
}

// Without ".plt" and ".cal" no calibration data is loaded; a broken matrix
// (more ingredients than the tables hold) is reported; the diets still load.
TEST_F(LocationLoad, NoCalibrationDataAndABrokenMatrixLeaveTheProgramUsable) {
  DemoCopy demo;
  demo.Remove("Demo.plt");
  demo.Remove("Demo.cal");
  ASSERT_TRUE(TextFile::WriteLines(demo.Path("DemoMatrix.txt"), {" 500  18 "}).ok);
  Open(demo.Path("Demo.dts"));
  EXPECT_FALSE(form.calibrationDataLoaded.checked);
  ASSERT_EQ(dialogs.Messages().size(), 3u);  // the ".plt", the matrix, its nutrients
  EXPECT_NE(dialogs.Messages()[1].find("in procedure  LoadLP"), std::string::npos);
  EXPECT_LE(app.formulation.ingredientCount, kMaxIngredients);
  EXPECT_EQ(form.dietsTable.Text(1, 2), "Phase 2 7-11 kg");
  EXPECT_TRUE(app.location.loaded);
}

TEST_F(LocationLoad, OpenMenusReadTheChosenFiles) {
  DemoCopy demo;
  app.location.dataFolder = demo.Folder();
  dialogs.CancelFile();
  form.Click(Control::OpenMatrix);
  EXPECT_EQ(app.formulation.ingredientCount, 0);

  dialogs.File(demo.Path("DemoMatrix.txt"));
  app.location.ingRestrictionsFile = demo.Path("DemoReq.ing");
  form.Click(Control::OpenMatrix);
  EXPECT_EQ(app.formulation.ingredientCount, 16);
  EXPECT_EQ(form.filesTable.Text(kReqNutRow, 0), demo.Path("DemoReq.nut"));

  app.formulation.ingredientRestrictions[1][kMaxKind][2] = 50;
  dialogs.File(demo.Path("DemoReq.ing"));
  form.Click(Control::OpenIngredientRestrictions);
  EXPECT_DOUBLE_EQ(app.formulation.ingredientRestrictions[1][kMaxKind][2], 18);
  app.formulation.nutrientRestrictions[2][kMinKind][5] = 9;
  dialogs.File(demo.Path("DemoReq.nut"));
  form.Click(Control::OpenNutrientRestrictions);
  EXPECT_DOUBLE_EQ(app.formulation.nutrientRestrictions[2][kMinKind][5], 1.35);
  dialogs.File(demo.Path("Demo.stg"));
  form.Click(Control::OpenTemperatures);
  EXPECT_DOUBLE_EQ(app.temperatures.calibrationTemps[2], 27);
  EXPECT_TRUE(dialogs.Done());
  EXPECT_TRUE(dialogs.Messages().empty());
}

// A matrix load, by another location or by "Open Matrix File", leaves
// nothing of the old matrix: the open editors show the new one (their saves
// cannot write the old one over it), no old formula shows under new names.
TEST_F(LocationLoad, AMatrixLoadRefreshesTheEditorAndForgetsTheOldFormulas) {
  for (const bool byLocation : {true, false}) {
    SCOPED_TRACE(byLocation ? "another location" : "Open Matrix File");
    ScriptedDialogs dialogs;
    App app{dialogs};
    MainForm& form = app.mainForm;
    DemoCopy first, second;
    auto lines = TextFile::ReadLines(second.Path("DemoMatrix.txt"));
    ASSERT_TRUE(lines);
    for (std::string& line : *lines) {
      if (line == "Corn") line = "Barley";
      if (line.ends_with("\tCorn")) line.replace(line.size() - 4, 4, "Barley");
    }
    ASSERT_TRUE(TextFile::WriteLines(second.Path("DemoMatrix.txt"), *lines).ok);
    const auto secondMatrix = TextFile::ReadLines(second.Path("DemoMatrix.txt"));

    dialogs.File(first.Path("Demo.plt"));
    ASSERT_TRUE(form.ChooseLocation());
    form.Growth();  // formulates, grows and lists the formulas
    ASSERT_EQ(form.formulaTable.Text(1, 1), "Corn");
    form.Click(MainForm::Control::EditMatrix);
    form.Click(MainForm::Control::EditRestrictions);
    form.Click(MainForm::Control::OpenDiets);
    if (byLocation) {
      dialogs.File(second.Path("Demo.plt"));
      ASSERT_TRUE(form.ChooseLocation());
    } else {
      dialogs.File(second.Path("DemoMatrix.txt"));
      form.Click(MainForm::Control::OpenMatrix);
    }
    ASSERT_EQ(app.formulation.ingredientName[1], "Barley");

    EXPECT_EQ(app.matrixEditorForm.matrixTable.Text(1, 0), "Barley");
    EXPECT_EQ(app.restrictionsForm.ingredientTable.Text(1, 0), " 1 Barley");
    EXPECT_EQ(app.dietDisplayForm.ingredientFeedsTable.Text(1, 1), "Barley");
    EXPECT_EQ(form.formulaTable.Text(1, 1), "");
    app.nutrientSourcesForm.Show({1, -1, 0, "Diet 1 cost"});  // the shares of diet 1's cost
    app.nutrientSourcesForm.ShowPercentages();
    EXPECT_EQ(app.nutrientSourcesForm.sharesTable.Rows(), 1)
        << app.nutrientSourcesForm.sharesTable.Text(1, 0);

    app.matrixEditorForm.SaveChanges();  // "Save Changes", then to the file
    dialogs.CancelFile();                // keeps the location's matrix file
    ASSERT_TRUE(app.matrixEditorForm.SaveChangesToFile(form.MatrixEditorSave()));
    EXPECT_EQ(TextFile::ReadLines(second.Path("DemoMatrix.txt")), secondMatrix);
    EXPECT_TRUE(dialogs.Done());
    EXPECT_TRUE(dialogs.Messages().empty()) << dialogs.Messages().front();
  }
}

// The editor's file save keeps the session's restrictions, shown in their window.
TEST_F(LocationLoad, AfterTheEditorsFileSaveTheRestrictionWindowShowsTheSession) {
  DemoCopy demo;
  Open(demo.Path("Demo.plt"));
  form.Click(MainForm::Control::EditRestrictions);
  app.restrictionsForm.ingredientTable.SetText(2, 2, "30");  // soybean meal, kept but not saved
  app.restrictionsForm.KeepIngredientRestrictions();
  form.Click(MainForm::Control::EditMatrix);
  app.matrixEditorForm.matrixTable.SetText(1, 1, "240");  // a new price for corn
  dialogs.CancelFile();
  ASSERT_TRUE(app.matrixEditorForm.SaveChangesToFile(form.MatrixEditorSave()));
  EXPECT_EQ(app.formulation.ingredientPrice[1], 240);
  EXPECT_EQ(app.formulation.ingredientRestrictions[1][kMaxKind][2], 30);
  EXPECT_EQ(app.restrictionsForm.ingredientTable.Text(2, 2), "30");
  EXPECT_TRUE(dialogs.Done());
}

// With an ingredient inserted and a nutrient deleted, the matrix saved either
// way takes the restriction files into its numbering: reopened, the location
// restricts the same ingredients and nutrients, by name.
TEST_F(LocationLoad, ASavedMatrixTakesTheRestrictionFilesIntoItsNumbering) {
  using Restrictions = std::map<std::string, std::array<double, 2>>;
  auto byName = [](const FormulationTables& t) {
    Restrictions named;
    for (int d = 1; d <= 3; ++d) {
      for (int i = 1; i <= t.ingredientCount; ++i)
        named[std::to_string(d) + t.ingredientName[i]] = {t.ingredientRestrictions[d][kMinKind][i],
                                                          t.ingredientRestrictions[d][kMaxKind][i]};
      for (int j = 1; j < t.nutrientCount; ++j)
        named[std::to_string(d) + t.nutrientName[j + 1]] = {t.nutrientRestrictions[d][kMinKind][j],
                                                            t.nutrientRestrictions[d][kMaxKind][j]};
    }
    return named;
  };
  for (const bool fromEditor : {true, false}) {
    SCOPED_TRACE(fromEditor ? "Save Changes to File" : "Save Just the Matrix");
    ScriptedDialogs dialogs;
    App app{dialogs};
    MainForm& form = app.mainForm;
    DemoCopy demo;
    dialogs.File(demo.Path("Demo.plt"));
    ASSERT_TRUE(form.ChooseLocation());
    Restrictions before = byName(app.formulation);
    ASSERT_EQ(app.formulation.nutrientName[16], "CALCIUM");

    form.Click(MainForm::Control::EditMatrix);
    MatrixEditorForm& editor = app.matrixEditorForm;
    editor.matrixTable.SetCurrent(2, 0);
    dialogs.Input("Peas");
    editor.AddIngredient();
    editor.matrixTable.SetCurrent(0, 16);
    dialogs.Answer(Answer::OK);
    editor.DeleteNutrient();
    if (fromEditor) {
      dialogs.CancelFile().CancelFile().CancelFile();  // matrix, ingredient, nutrient files
      ASSERT_TRUE(editor.SaveChangesToFile(form.MatrixEditorSave()));
    } else {
      editor.SaveChanges();
      dialogs.Answer(Answer::Yes).CancelFile().CancelFile();
      form.FilesTableDoubleClicked(kMatrixRow);
    }
    ASSERT_TRUE(dialogs.Done());

    App reopened{dialogs};
    dialogs.File(demo.Path("Demo.plt"));
    ASSERT_TRUE(reopened.mainForm.ChooseLocation());
    Restrictions after = byName(reopened.formulation);
    for (int d = 1; d <= 3; ++d) {
      EXPECT_EQ(after[std::to_string(d) + "Peas"], (std::array<double, 2>{0, 0}));
      after.erase(std::to_string(d) + "Peas");
      before.erase(std::to_string(d) + "CALCIUM");
    }
    EXPECT_EQ(after, before);
    EXPECT_EQ(dialogs.Messages().front(), "Do you want to Delete CALCIUM?");
    EXPECT_EQ(dialogs.Messages().size(), fromEditor ? 1u : 2u);
  }
}

}  // namespace
