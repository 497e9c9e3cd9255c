#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "model/DietsFile.h"
#include "model/DietsTable.h"
#include "platform/Location.h"
#include "platform/TextFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFiles.h"

namespace {

namespace fs = std::filesystem;

const std::string kData = std::string(TAMSEL_SOURCE_DIR) + "/tests/data/";

// The 18 records of a diet, written "name|cost|weight|...".
std::vector<std::string> Records(const std::string& text) {
  std::vector<std::string> cells;
  std::istringstream in(text);
  for (std::string cell; std::getline(in, cell, '|');) cells.push_back(cell);
  return cells;
}

const std::vector<std::string> kDiet1 =
    Records("Starter 1|250|5|2450|22|1.3|0.55|1.5|0.27|1.4|0.8|0.85|0.45|0.95|1.6|0.85|1|0");
const std::vector<std::string> kDiet2 =
    Records("Grower|220.5|12.25|2400|20|1.2|0.5|1.35|0.24|1.3|0.75|0.8|0.4|0.9|1.5|0.8|0.95|0");

class DietsFileTest : public ::testing::Test {
 protected:
  void SetUp() override { FillDietLabels(diets_); }
  std::string Path(const std::string& name) const { return temp_.Path(name); }

  // Diet c as the file rows 1..18 show it.
  std::vector<std::string> Column(int c) const {
    std::vector<std::string> cells;
    for (int r = 1; r <= kDietRecords; ++r) cells.push_back(diets_.Text(r, c));
    return cells;
  }

  TempFolder temp_;
  Grid diets_{kDietsRows, kDietsCols};
  GrowthState growth_;
  ScriptedDialogs dialogs_;
};

TEST(GeneralNumberTextTest, ShortestPlainDecimal) {
  const struct {
    double value;
    bool comma;
    const char* text;
  } cases[] = {
      {2450, false, "2450"},
      {0.1 + 0.2, false, "0.3"},
      {-1.5, false, "-1.5"},
      {1e-7, false, "0.0000001"},
      {1e20, false, "100000000000000000000"},
      {3.25, true, "3,25"},
      {-0.0, false, "0"},
      {1.0 / 0.0, false, "0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(GeneralNumberText(c.value, c.comma), c.text);
  }
}

// Both forms of the file load the same diets, with the labels the file has.
TEST_F(DietsFileTest, TabAndCommaFormsLoadTwoDietsWithTheirLabels) {
  const struct {
    const char* file;
    bool comma;
    int labelRow;
    const char* label;
  } cases[] = {{"diets_tab_two.dts", false, 18, "Valine"},
               {"diets_comma_two.dts", true, 10, "Phe & Tyro."}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const DietsLoad load = ReadDietsFile(kData + c.file, diets_, growth_);
    ASSERT_TRUE(load.found);
    EXPECT_EQ(load.commaForm, c.comma);
    EXPECT_EQ(load.numDiets, 2);
    EXPECT_EQ(growth_.dietCount, 2);
    EXPECT_EQ(Column(1), kDiet1);
    EXPECT_EQ(Column(2), kDiet2);
    EXPECT_EQ(diets_.Text(3, 0), "Weight");
    EXPECT_EQ(diets_.Text(c.labelRow, 0), c.label);
  }
}

TEST_F(DietsFileTest, CommaFormKeepsADecimalCommaValueWhole) {
  std::vector<std::string> lines(kDietRecords, "\"Label\",1");
  lines[0] = "\"Diet Name\",\"Pre, starter\"";
  lines[7] = "Lysine,1,5";
  ASSERT_TRUE(TextFile::WriteLines(Path("comma.dts"), lines).ok);
  growth_.decimalComma = true;  // numbers are shown with the machine's separator
  ReadDietsFile(Path("comma.dts"), diets_, growth_);
  EXPECT_EQ(diets_.Text(1, 1), "Pre, starter");
  EXPECT_EQ(diets_.Text(8, 1), "1,5");
  EXPECT_EQ(DietsFileLines(diets_, 1)[7], "Lysine\t1.5");
  EXPECT_EQ(diets_.Text(8, 0), "Lysine");
}

TEST_F(DietsFileTest, DietCountFollowsWholeBlocksOf18Lines) {
  // What the user is told of the file ("@" stands for its path).
  const std::string part = " do not make a whole diet of 18 lines and were not read";
  const struct {
    int lines;
    int diets;
    std::string problem;
  } cases[] = {
      {0, 0, "Read no diet of @: the file is empty"},
      {17, 0, "Read no diet of @; lines 1 to 17" + part},
      {18, 1, ""},
      {19,
       1,
       "Read 1 diet (lines 1 to 18) of @; line 19 does not make a whole diet of 18 lines "
       "and was not read"},
      {35, 1, "Read 1 diet (lines 1 to 18) of @; lines 19 to 35" + part},
      {36, 2, ""},
      {144, 8, ""},
      {145,
       8,
       "Read 8 diets (lines 1 to 144) of @; line 145 was not read: the table holds 8 diets"},
      {200,
       8,
       "Read 8 diets (lines 1 to 144) of @; lines 145 to 200 were not read: the table holds "
       "8 diets"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines);
    std::vector<std::string> lines;
    for (int i = 0; i < c.lines; ++i) {
      lines.push_back("L" + std::to_string(i % kDietRecords + 1) + '\t' + std::to_string(i + 1));
    }
    ASSERT_TRUE(TextFile::WriteLines(Path("count.dts"), lines).ok);
    Grid diets(kDietsRows, kDietsCols);
    diets.SetText(4, 1, "before");
    growth_.dietCount = 6;
    const DietsLoad load = ReadDietsFile(Path("count.dts"), diets, growth_);
    EXPECT_EQ(load.numDiets, c.diets);
    EXPECT_EQ(growth_.dietCount, c.diets);
    std::string problem = c.problem;
    if (const auto at = problem.find('@'); at != std::string::npos)
      problem.replace(at, 1, Path("count.dts"));
    EXPECT_EQ(load.problem, problem);
    if (c.diets == 0) {
      EXPECT_EQ(diets.Text(4, 1), "before");  // nothing loaded, nothing changed
    } else {
      // Line 4 of the last whole diet holds the energy of that diet.
      EXPECT_EQ(diets.Text(4, c.diets), std::to_string((c.diets - 1) * kDietRecords + 4));
      EXPECT_EQ(diets.Text(4, c.diets + 1), "");
    }
  }
}

// A missing file changes nothing; a new one empties the diets of an earlier.
TEST_F(DietsFileTest, LoadingReplacesOnlyWhatAFileHolds) {
  for (int c = 1; c <= 6; ++c) diets_.SetText(4, c, "2500");
  growth_.dietCount = 3;
  EXPECT_FALSE(ReadDietsFile(Path("none.dts"), diets_, growth_).found);
  EXPECT_EQ(growth_.dietCount, 3);
  EXPECT_EQ(diets_.Text(4, 1), "2500");

  ReadDietsFile(kData + "diets_tab_two.dts", diets_, growth_);
  EXPECT_EQ(diets_.Text(4, 2), "2400");
  for (int c = 3; c <= 8; ++c) EXPECT_EQ(diets_.Text(4, c), "") << c;
  EXPECT_EQ(DietsInUse(diets_), 2);
}

TEST_F(DietsFileTest, BadRecordsReadAsEmptyValues) {
  const DietsLoad load = ReadDietsFile(kData + "bad_diets_no_tab.dts", diets_, growth_);
  EXPECT_EQ(load.numDiets, 1);
  EXPECT_EQ(diets_.Text(5, 1), "0");  // "Protein 22": no tab, no value
  EXPECT_EQ(diets_.Text(5, 0), "Protein 22");
  EXPECT_EQ(diets_.Text(6, 1), "0");  // text where a number should be
  EXPECT_EQ(diets_.Text(8, 1), "1.5");
}

TEST_F(DietsFileTest, SavedFileIsByteExactAndReadsBack) {
  for (int r = 1; r <= kDietRecords; ++r) {
    diets_.SetText(r, 1, kDiet1[r - 1]);
    diets_.SetText(r, 2, kDiet2[r - 1]);
  }
  diets_.SetText(1, 1, "  Starter, pre ");  // blanks trimmed, comma turned to a point
  diets_.SetText(8, 2, "1,35");             // typed with a decimal comma
  diets_.SetText(4, 3, "2300");             // a third column past dietCount is not written
  Location location;
  location.dietsFile = Path("Farm1.dts");
  location.saveWithoutAsking[kDietsRow] = true;
  Grid files(11, 1);
  ASSERT_TRUE(SaveDietsFile(location, diets_, 2, files, dialogs_));
  EXPECT_TRUE(dialogs_.shown().empty());
  EXPECT_EQ(files.Text(kDietsRow, 0), location.dietsFile);
  EXPECT_EQ(ReadWhole(location.dietsFile), ReadWhole(kData + "diets_saved_two.dts"));

  Grid back(kDietsRows, kDietsCols);
  GrowthState growth;
  ASSERT_EQ(ReadDietsFile(location.dietsFile, back, growth).numDiets, 2);
  EXPECT_EQ(back.Text(1, 1), "Starter. pre");
  EXPECT_EQ(back.Text(8, 2), "1.35");
  for (int r = 2; r <= kDietRecords; ++r) EXPECT_EQ(back.Text(r, 1), kDiet1[r - 1]) << r;
  // Empty labels were written with the default list of the file.
  EXPECT_EQ(back.Text(18, 0), "Valine");
  EXPECT_EQ(back.Text(4, 0), "Energy NE");
}

TEST_F(DietsFileTest, CellsWithTabsOrLineEndsStayOneRecord) {
  diets_.SetText(1, 1, "A\tB\r\nC");
  diets_.SetText(4, 1, "2450");
  const auto lines = DietsFileLines(diets_, 1);
  ASSERT_EQ(lines.size(), 18u);
  EXPECT_EQ(lines[0], "Diet Name\tA B  C");
  EXPECT_EQ(DietsFileLines(diets_, 12).size(), 144u);
  EXPECT_TRUE(DietsFileLines(diets_, -1).empty());
}

// Cancelling keeps the name; a chosen name is the location's once written;
// a failed write is reported and keeps the earlier file.
TEST_F(DietsFileTest, SaveChoosesKeepsOrReportsTheName) {
  Location location;
  location.dataFolder = temp_.Path("");
  location.dietsFile = Path("Old.dts");
  Grid files(11, 1);
  dialogs_.CancelFile();
  ASSERT_TRUE(SaveDietsFile(location, diets_, 1, files, dialogs_));
  ASSERT_EQ(dialogs_.shown().size(), 1u);
  EXPECT_EQ(dialogs_.shown()[0].request.title,
            "CURRENT FILE IS " + Path("Old.dts") + " -  CHOOSE THE LOCATION AND NAME TO CHANGE IT");
  EXPECT_EQ(dialogs_.shown()[0].request.folder, location.dataFolder);
  EXPECT_EQ(location.dietsFile, Path("Old.dts"));
  const std::string before = ReadWhole(Path("Old.dts"));
  EXPECT_FALSE(before.empty());

  dialogs_.File(Path("New.dts"));
  ASSERT_TRUE(SaveDietsFile(location, diets_, 1, files, dialogs_));
  EXPECT_EQ(location.dietsFile, Path("New.dts"));
  EXPECT_EQ(files.Text(kDietsRow, 0), Path("New.dts"));
  EXPECT_TRUE(fs::exists(Path("New.dts")));

  // A folder of that name cannot be replaced by the file.
  fs::create_directories(Path("Folder.dts"));
  dialogs_.File(Path("Folder.dts"));
  diets_.SetText(4, 1, "2450");
  EXPECT_FALSE(SaveDietsFile(location, diets_, 1, files, dialogs_));
  EXPECT_EQ(dialogs_.Messages().back(),
            "Error 75 (Path/File access error) in procedure SaveDietsFile\n" + Path("Folder.dts") +
                ": Is a directory");
  EXPECT_EQ(location.dietsFile, Path("New.dts"));
  EXPECT_EQ(files.Text(kDietsRow, 0), Path("New.dts"));
  EXPECT_EQ(ReadWhole(Path("Old.dts")), before);
}

}  // namespace
