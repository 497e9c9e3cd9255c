#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/DietsFile.h"
#include "model/DietsTable.h"
#include "platform/TextFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFiles.h"

namespace {

const std::string kData = std::string(TAMSEL_SOURCE_DIR) + "/tests/data/";

// The 18 records of a diet, as "name|cost|weight|...".
const std::string kDiet1 =
    "Starter 1|250|5|2450|22|1.3|0.55|1.5|0.27|1.4|0.8|0.85|0.45|0.95|1.6|0.85|1|0";
const std::string kDiet2 =
    "Grower|220.5|12.25|2400|20|1.2|0.5|1.35|0.24|1.3|0.75|0.8|0.4|0.9|1.5|0.8|0.95|0";

class DietsFileTest : public ::testing::Test {
 protected:
  void SetUp() override { FillDietLabels(diets_); }
  std::string Path(const std::string& name) const { return temp_.Path(name); }

  // Diet c as the file rows 1..18 show it.
  std::string Column(int c) const {
    std::string cells = diets_.Text(1, c);
    for (int r = 2; r <= kDietRecords; ++r) cells += '|' + diets_.Text(r, c);
    return cells;
  }

  TempFolder temp_;
  Grid diets_{kDietsRows, kDietsCols};
  GrowthState growth_;
  ScriptedDialogs dialogs_;
};

// Both forms of the file load the same diets, with the labels the file has;
// a diet file replaces the diets of an earlier one.
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
    diets_.SetText(4, 3, "2500");
    const DietsLoad load = ReadDietsFile(kData + c.file, diets_, growth_);
    EXPECT_EQ(load.commaForm, c.comma);
    EXPECT_EQ(growth_.dietCount, 2);
    EXPECT_EQ(Column(1), kDiet1);
    EXPECT_EQ(Column(2), kDiet2);
    EXPECT_EQ(diets_.Text(4, 3), "");
    EXPECT_EQ(diets_.Text(c.labelRow, 0), c.label);
  }
  EXPECT_EQ(DietsInUse(diets_), 2);
  growth_.dietCount = 3;
  EXPECT_FALSE(ReadDietsFile(Path("none.dts"), diets_, growth_).found);
  EXPECT_EQ(growth_.dietCount, 3);
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
}

// What the user is told of a file that is not whole diets ("@" stands for
// its path); nothing is loaded from a file without one whole diet.
TEST_F(DietsFileTest, DietCountFollowsWholeBlocksOf18Lines) {
  const std::string part = " do not make a whole diet of 18 lines and were not read";
  const struct {
    int lines;
    int diets;
    std::string problem;
  } cases[] = {
      {0, 0, "Read no diet of @: the file is empty"},
      {19,
       1,
       "Read 1 diet (lines 1 to 18) of @; line 19 does not make a whole diet of 18 lines "
       "and was not read"},
      {35, 1, "Read 1 diet (lines 1 to 18) of @; lines 19 to 35" + part},
      {145,
       8,
       "Read 8 diets (lines 1 to 144) of @; line 145 was not read: the table holds 8 diets"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines);
    std::vector<std::string> lines;
    for (int i = 0; i < c.lines; ++i)
      lines.push_back("L" + std::to_string(i % kDietRecords + 1) + '\t' + std::to_string(i + 1));
    ASSERT_TRUE(TextFile::WriteLines(Path("count.dts"), lines).ok);
    Grid diets(kDietsRows, kDietsCols);
    diets.SetText(4, 1, "before");
    const DietsLoad load = ReadDietsFile(Path("count.dts"), diets, growth_);
    EXPECT_EQ(growth_.dietCount, c.diets);
    std::string problem = c.problem;
    if (const auto at = problem.find('@'); at != std::string::npos)
      problem.replace(at, 1, Path("count.dts"));
    EXPECT_EQ(load.problem, problem);
    // Line 4 of the last whole diet holds the energy of that diet.
    EXPECT_EQ(diets.Text(4, std::max(c.diets, 1)),
              c.diets == 0 ? "before" : std::to_string((c.diets - 1) * kDietRecords + 4));
  }
}

TEST_F(DietsFileTest, BadRecordsReadAsEmptyValues) {
  const DietsLoad load = ReadDietsFile(kData + "bad_diets_no_tab.dts", diets_, growth_);
  EXPECT_EQ(load.numDiets, 1);
  EXPECT_EQ(diets_.Text(5, 1), "0");  // "Protein 22": no tab, no value
  EXPECT_EQ(diets_.Text(5, 0), "Protein 22");
  EXPECT_EQ(diets_.Text(6, 1), "0");  // text where a number should be
}

// Cells with tabs or line ends stay one record; the count is clamped.
TEST_F(DietsFileTest, SavedRecordsStayOneLineAndTheCountIsClamped) {
  diets_.SetText(1, 1, "A\tB\r\nC");
  EXPECT_EQ(DietsFileLines(diets_, 1)[0], "Diet Name\tA B  C");
  EXPECT_EQ(DietsFileLines(diets_, 12).size(), 144u);
  EXPECT_TRUE(DietsFileLines(diets_, -1).empty());
}

}  // namespace
