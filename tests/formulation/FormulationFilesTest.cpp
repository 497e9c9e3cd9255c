#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "formulation/Matrix.h"
#include "formulation/Restrictions.h"
#include "platform/TextFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFiles.h"

namespace {

namespace fs = std::filesystem;

std::string DataPath(const std::string& name) {
  return std::string(TAMSEL_SOURCE_DIR) + "/tests/data/" + name;
}

using Messages = std::vector<std::string>;

class FormulationFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tables->ingredientCount = 3;
    tables->nutrientCount = 5;
  }
  std::string In(const std::string& name) const { return temp.Path(name); }

  // The restrictions of tests/data/restrict_small_*.txt, plus entries the
  // writers leave out.
  void FillSmall(FormulationTables& t) {
    t.ingredientRestrictions[1][kMaxKind][1] = 60;
    t.ingredientRestrictions[1][kMaxKind][3] = -1;  // blocked
    t.ingredientRestrictions[2][kMinKind][1] = 10;
    t.ingredientRestrictions[2][kMinKind][2] = 5;  // minimum + maximum is 0: not written
    t.ingredientRestrictions[2][kMaxKind][2] = -5;
    t.ingredientRestrictions[3][kMaxKind][1] = 50;  // diet 3 is not in use
    t.nutrientRestrictions[1][kMinKind][1] = 2400;
    t.nutrientRestrictions[2][kMinKind][1] = 2350;
    t.nutrientRestrictions[2][kMaxKind][1] = 2500;
    t.nutrientRestrictions[1][kMinKind][2] = 20;
    t.nutrientRestrictions[1][kMaxKind][2] = 22.5;
    t.nutrientRestrictions[2][kMaxKind][3] = 1.5;  // a maximum alone is written
    t.nutrientRestrictions[1][kMinKind][4] = 0.05;
    t.nutrientRestrictions[3][kMinKind][4] = 0.07;  // diet 3 is not in use
  }

  // The three ingredients of tests/data/matrix_small.txt.
  void FillSmallMatrix(FormulationTables& t) {
    t.ingredientCount = 3;
    t.nutrientCount = 5;
    t.ingredientName = {"", "Corn", "Soybean meal", "Fish meal"};
    t.nutrientName = {"", "Weight", "Net ENERGY", "PROTEIN", "LYSINE", "Phosphorus"};
    const double values[3][5] = {{0.25, 2475.5, 8.5, 0.26, 0.05},
                                 {0.41, 2000, 46.25, 2.9, 0},
                                 {1.2, 12345.67, 123.45, -0.5, 0.000123}};
    for (int i = 1; i <= 3; ++i) {
      t.ingredientPrice[i] = values[i - 1][0];
      for (int r = 2; r <= 5; ++r) t.matrix[r][i] = values[i - 1][r - 1];
    }
  }

  void Copy(const std::string& from, const std::string& to) {
    fs::copy_file(DataPath(from), to, fs::copy_options::overwrite_existing);
  }

  TempFolder temp;
  const fs::path& folder = temp.path();
  ScriptedDialogs dialogs;
  std::unique_ptr<FormulationTables> tables = std::make_unique<FormulationTables>();
  std::int16_t feedChoice = kFeedNotChosen;
};

TEST(ParseRestrictionLine, FollowsTheTabs) {
  struct Case {
    const char* line;
    bool valid;
    RestrictionLine expected;
  } cases[] = {
      {" 1            \t 5 \t0.2500\t10.000", true, {1, 5, 0.25, 10}},
      {"1\t5\t2.5", true, {1, 5, 2.5, 0}},  // three fields: maximum 0
      {"2\t3\t1,5\t2,5", true, {2, 3, 1.5, 2.5}},
      {"1\t3\tabc\t2", true, {1, 3, 0, 2}},
      {"1.5\t2.5\t1\t2", true, {2, 2, 1, 2}},                // halves to even
      {"1\t2147483647\t1\t2", true, {1, 2147483647, 1, 2}},  // the largest index read
      {"x\t3\t1\t2", true, {0, 3, 1, 2}},                    // diet 0: the caller rejects it
      {"1\t5", false, {}},
      {"1\t5\t1e999\t2", false, {}},
      {"1\t1e999\t1\t2", false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    std::optional<RestrictionLine> line = ParseRestrictionLine(c.line);
    ASSERT_EQ(line.has_value(), c.valid);
    if (!line) continue;
    EXPECT_EQ(line->diet, c.expected.diet);
    EXPECT_EQ(line->index, c.expected.index);
    EXPECT_DOUBLE_EQ(line->minimum, c.expected.minimum);
    EXPECT_DOUBLE_EQ(line->maximum, c.expected.maximum);
  }
}

TEST_F(FormulationFileTest, WritesBothFilesByteForByte) {
  FillSmall(*tables);
  std::string ing = In("FarmReq.ing");
  std::string nut = In("FarmReq.nut");
  ASSERT_TRUE(SaveIngRestrictions(*tables, 2, dialogs, ing, IngSaveRequest("", "", true)));
  ASSERT_TRUE(SaveNutRestrictions(*tables, 2, dialogs, nut, NutSaveRequest("", "", true)));
  EXPECT_EQ(ReadWhole(ing), ReadWhole(DataPath("restrict_small_ing.txt")));
  EXPECT_EQ(ReadWhole(nut), ReadWhole(DataPath("restrict_small_nut.txt")));
  EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(FormulationFileTest, BadLinesAreSkippedAndNothingIsStoredOutOfBounds) {
  std::string ing = In("BadReq.ing");
  std::string nut = In("BadReq.nut");
  Copy("bad_restrict_lines.txt", ing);
  Copy("bad_restrict_lines.txt", nut);
  std::string derivedNut;
  RestrictionLoad load = LoadRestrictions(*tables, dialogs, ing, derivedNut, feedChoice);
  EXPECT_TRUE(load.ingRead && load.nutRead);

  // As ingredient restrictions: two usable lines.
  EXPECT_EQ(tables->ingredientCount, 7);
  EXPECT_DOUBLE_EQ(tables->ingredientRestrictions[2][kMaxKind][7], 12.5);
  EXPECT_DOUBLE_EQ(tables->ingredientRestrictions[4][kMinKind][3], 2.5);
  EXPECT_EQ(tables->ingredientRestrictions[1][kMinKind][2], 0);  // the line with one tab
  // As nutrient restrictions index 101 is within the rows.
  EXPECT_EQ(tables->nutrientCount, 101);
  EXPECT_DOUBLE_EQ(tables->nutrientRestrictions[1][kMinKind][101], 5);
  EXPECT_DOUBLE_EQ(tables->nutrientRestrictions[2][kMaxKind][7], 12.5);
  EXPECT_EQ(tables->nutrientRestrictions[3][kMaxKind][2], 0);  // the overflowing line
  // No energy minimum in diet 1; every line that was not used is listed.
  EXPECT_TRUE(load.noEnergyMinimum);
  const std::vector<std::string> messages = dialogs.Messages();
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_NE(messages[0].find("\nLine 3: Diet 9 is not one of diets 1 to 8\n"), std::string::npos);
  EXPECT_NE(messages[0].find("\nLine 6: Ingredient 101 is not one of ingredients 1 to 100\n"),
            std::string::npos);
  EXPECT_TRUE(messages[0].ends_with("\n... and 1 more"));
  EXPECT_NE(messages[1].find("\nLine 7: Nutrient 122 is not one of nutrients 1 to 121\n"),
            std::string::npos);
  EXPECT_EQ(messages[2], "No Nutrient Restriction File found named " + nut);
  EXPECT_EQ(feedChoice, kFeedGrid);
}

// A restriction file that is there but restricts nothing says so: without
// the message the diets would be formulated with no limits at all.
TEST_F(FormulationFileTest, AFileThatRestrictsNothingSaysSo) {
  const std::string ing = In("FarmReq.ing");
  const std::string none = "No Ingredient Restriction found in " + ing;
  const std::string notDiet = " is not diet, index, minimum and maximum separated by tabs";
  const struct {
    const char* file;  // under tests/data; "" for an empty file
    std::string message;
    bool nutRead;
  } cases[] = {
      {"", none, true},
      {"bad_ing_spaces.ing", none + "\nLine 1" + notDiet + "\nLine 2" + notDiet, true},
      {"bad_ing_nan.ing", none, true},
      {"bad_ing_utf16.ing", ing + " is not a text file this program reads", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    ScriptedDialogs script;
    auto read = std::make_unique<FormulationTables>();
    if (*c.file)
      Copy(c.file, ing);
    else
      ASSERT_TRUE(TextFile::WriteLines(ing, {}).ok);
    Copy("restrict_small_nut.txt", In("FarmReq.nut"));
    std::string nut;
    std::int16_t choice = kFeedNotChosen;
    const RestrictionLoad load = LoadRestrictions(*read, script, ing, nut, choice);
    EXPECT_EQ(script.Messages(), Messages{c.message});
    EXPECT_EQ(load.nutRead, c.nutRead);
    for (int d = 1; d <= kMaxDiets; ++d)
      for (int i = 1; i <= kMaxIngredients; ++i)
        EXPECT_EQ(read->ingredientRestrictions[d][kMaxKind][i], 0);
  }

  // So does a nutrient file opened on its own.
  ASSERT_TRUE(TextFile::WriteLines(In("OtherReq.nut"), {" 1 \t 1 \tnan\t0"}).ok);
  EXPECT_TRUE(LoadNutRestrictions(*tables, dialogs, In("OtherReq.nut"), feedChoice));
  EXPECT_EQ(dialogs.Messages(), Messages{"No Nutrient Restriction found in " + In("OtherReq.nut")});
}

// A nutrient minimum above its maximum, and a nutrient the matrix does not
// have, are reported with their line; the first is kept for the user to
// mend, the second has nowhere to go.
TEST_F(FormulationFileTest, NutrientLinesTheMatrixCannotUseAreReportedWithTheirLine) {
  for (int r = 1; r <= 5; ++r) tables->nutrientName[r] = std::string(StandardNutrientName(r));
  const std::string nut = In("FarmReq.nut");
  Copy("bad_nut_minmax_index.nut", nut);
  EXPECT_TRUE(LoadNutRestrictions(*tables, dialogs, nut, feedChoice));
  EXPECT_EQ(dialogs.Messages(),
            Messages{"Check these lines of " + nut +
                     ":\nLine 2: The Min Restriction on Diet 1 Nutrient PROTEIN "
                     "is greater than the Maximum\nLine 3: Nutrient 9 is not in "
                     "the matrix, whose nutrients are 1 to 4"});
  EXPECT_EQ(tables->nutrientCount, 5);  // no empty rows for a nutrient that is not there
  EXPECT_EQ(tables->nutrientRestrictions[2][kMinKind][9], 0);
  EXPECT_EQ(tables->nutrientRestrictions[1][kMinKind][2], 24);
  EXPECT_EQ(tables->nutrientRestrictions[1][kMinKind][4], 0.3);
}

// Each missing file is named and the feed falls back to the grid. A load
// clears the ingredient restrictions up to the count only.
TEST_F(FormulationFileTest, LoadsClearUpToTheCountAndMissingFilesFallBackToTheGrid) {
  tables->ingredientRestrictions[7][kMaxKind][2] = 33;
  tables->ingredientRestrictions[7][kMaxKind][50] = 44;
  const std::string ing = In("FarmReq.ing");
  std::string nut = "unchanged";
  EXPECT_FALSE(LoadRestrictions(*tables, dialogs, ing, nut, feedChoice).ingRead);
  EXPECT_EQ(nut, "unchanged");
  EXPECT_EQ(feedChoice, kFeedGrid);

  feedChoice = kFeedNotChosen;
  Copy("restrict_small_ing.txt", ing);
  RestrictionLoad load = LoadRestrictions(*tables, dialogs, ing, nut, feedChoice);
  EXPECT_TRUE(load.ingRead && !load.nutRead);
  EXPECT_EQ(feedChoice, kFeedGrid);
  EXPECT_EQ(tables->ingredientRestrictions[7][kMaxKind][2], 0);
  EXPECT_EQ(tables->ingredientRestrictions[7][kMaxKind][50], 44);
  Copy("restrict_small_nut.txt", In("FarmReq.nut"));
  EXPECT_TRUE(LoadRestrictions(*tables, dialogs, ing, nut, feedChoice).nutRead);
  EXPECT_EQ(feedChoice, kFeedLeastCost);

  EXPECT_FALSE(LoadNutRestrictions(*tables, dialogs, In("OtherReq.nut"), feedChoice));
  EXPECT_EQ(feedChoice, kFeedGrid);
  ASSERT_TRUE(TextFile::WriteLines(In("OtherReq.nut"), {" 1 \t 2 \t18\t0"}).ok);
  EXPECT_TRUE(LoadNutRestrictions(*tables, dialogs, In("OtherReq.nut"), feedChoice));
  EXPECT_EQ(tables->nutrientRestrictions[1][kMinKind][2], 18);
  EXPECT_EQ(tables->nutrientRestrictions[1][kMinKind][1], 2400);
  const std::string missing = "No Nutrient Restriction File found named ";
  EXPECT_EQ(dialogs.Messages(),
            (Messages{"No Ingredient Restriction File found named " + ing,
                      missing + In("FarmReq.nut"),
                      missing + In("OtherReq.nut")}));
}

TEST_F(FormulationFileTest, SavingAsksWhereKeepsTheEarlierNameAndReportsFailures) {
  FillSmall(*tables);
  std::string ing = In("FarmReq.ing");
  dialogs.CancelFile();
  ASSERT_TRUE(
      SaveIngRestrictions(*tables, 2, dialogs, ing, IngSaveRequest("/d/", "/d/Farm", false)));
  EXPECT_TRUE(fs::exists(ing));
  EXPECT_EQ(dialogs.shown()[0].request.fileName, "/d/FarmReq.ing");

  std::string nut;  // no earlier name: nothing to write to
  dialogs.CancelFile();
  EXPECT_FALSE(SaveNutRestrictions(*tables, 2, dialogs, nut, NutSaveRequest("", "", false)));
  EXPECT_EQ(dialogs.shown()[1].request.fileName, "Req.nut");
  EXPECT_TRUE(dialogs.Messages().empty());

  // With no nutrient rows the standard fourteen are written.
  tables->nutrientCount = 0;
  tables->nutrientRestrictions[1][kMinKind][14] = 0.6;
  tables->nutrientRestrictions[1][kMinKind][15] = 0.7;
  nut = In("FarmReq.nut");
  ASSERT_TRUE(SaveNutRestrictions(*tables, 1, dialogs, nut, NutSaveRequest("", "", true)));
  EXPECT_EQ(tables->nutrientCount, 14);
  EXPECT_EQ(TextFile::ReadLines(nut)->back(), " 1 \t 14 \t0.6000\t0");

  std::string failing = In("NoFolder/FarmReq.nut");
  EXPECT_FALSE(SaveNutRestrictions(*tables, 2, dialogs, failing, NutSaveRequest("", "", true)));
  EXPECT_EQ(dialogs.Messages(),
            Messages{"Error 75 (Path/File access error) in procedure SaveNutRestrictions\n" +
                     failing + ": No such file or directory"});
}

TEST(FullNumberText, ShowsEveryDigitWithAPeriod) {
  EXPECT_EQ(FullNumberText(0.1 + 0.2), "0.3");
  EXPECT_EQ(FullNumberText(0.00001), "0.00001");
  EXPECT_EQ(FullNumberText(-123456789.25), "-123456789.25");
}

// Decimal commas, commas between fields and empty value lines are read by
// the older forms' file; a number that is not finite reads as 0.
TEST(ParseLeadingNumber, ReadsTheFirstFieldLeniently) {
  EXPECT_DOUBLE_EQ(ParseLeadingNumber("-1.5\tCost\tCorn"), -1.5);
  EXPECT_DOUBLE_EQ(ParseLeadingNumber("nan\tPROTEIN\tCorn"), 0);
  EXPECT_DOUBLE_EQ(ParseLeadingNumber("inf"), 0);
}

// The small matrix is written byte for byte as kept, and read back to the
// written precision, with the weight row set to 100.
TEST_F(FormulationFileTest, SmallMatrixWritesByteForByteAndReadsBack) {
  FillSmallMatrix(*tables);
  ASSERT_TRUE(TextFile::WriteLines(In("FarmMatrix.txt"), MatrixFileLines(*tables)).ok);
  EXPECT_EQ(ReadWhole(In("FarmMatrix.txt")), ReadWhole(DataPath("matrix_small.txt")));

  auto read = std::make_unique<FormulationTables>();
  read->ingredientRestrictions[5][kMaxKind][1] = 40;  // diets 1..5 are cleared by a load
  read->ingredientRestrictions[6][kMaxKind][1] = 30;  // diet 6 is not
  ASSERT_EQ(ReadMatrixFile(*read, DataPath("matrix_small.txt"), dialogs), MatrixLoad::Loaded);
  EXPECT_TRUE(dialogs.Messages().empty());
  EXPECT_EQ(MatrixFileLines(*read), MatrixFileLines(*tables));
  EXPECT_DOUBLE_EQ(read->matrix[2][3], 12345.7);
  EXPECT_EQ(read->matrix[kWeightRow][3], 100);
  EXPECT_EQ(read->ingredientRestrictions[5][kMaxKind][1], 0);
  EXPECT_EQ(read->ingredientRestrictions[6][kMaxKind][1], 30);
}

// A comma between the counts, decimal commas, comma-separated lines, an
// empty value line, LF line ends and no final line end.
TEST_F(FormulationFileTest, ReadsTheOlderForms) {
  ASSERT_EQ(ReadMatrixFile(*tables, DataPath("matrix_older_forms.txt"), dialogs),
            MatrixLoad::Loaded);
  EXPECT_EQ(tables->ingredientName[2], "Oats");
  EXPECT_DOUBLE_EQ(tables->ingredientPrice[1], 0.18);
  EXPECT_DOUBLE_EQ(tables->matrix[2][2], 1900.25);
  EXPECT_DOUBLE_EQ(tables->matrix[3][1], 0);
  for (const char* countLine : {" 1            2 ", "\t1\t2"}) {
    SCOPED_TRACE(countLine);
    std::string path = In("CountMatrix.txt");
    std::ofstream(path, std::ios::binary) << countLine << "\r\nCorn\r\nNet ENERGY\r\n0.2\tCost\t"
                                          << "Corn\r\n2400\tNet ENERGY\tCorn\r\n";
    ASSERT_EQ(ReadMatrixFile(*tables, path, dialogs), MatrixLoad::Loaded);
    EXPECT_DOUBLE_EQ(tables->matrix[2][1], 2400);
  }
  EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(FormulationFileTest, MalformedFilesStopWithTheClassicErrorAndStayInBounds) {
  struct Case {
    const char* file;
    const char* error;  // "Error <error> in procedure  LoadLP"
    int ingCount;
    const char* lastName;  // ingredientName[1] as read before the error
  } cases[] = {
      {"bad_matrix_counts_over.txt", "9 (Subscript out of range)", 0, ""},
      {"bad_matrix_rows_over.txt", "9 (Subscript out of range)", 0, ""},
      {"bad_matrix_negative.txt", "9 (Subscript out of range)", 0, ""},
      {"bad_matrix_count_text.txt", "13 (Type mismatch)", 0, ""},
      {"bad_matrix_one_count.txt", "13 (Type mismatch)", 0, ""},
      {"bad_matrix_truncated.txt", "62 (Input past end of file)", 2, "Corn"},
      {"bad_matrix_overflow.txt", "6 (Overflow)", 1, "Corn"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    dialogs.Forget();
    EXPECT_EQ(ReadMatrixFile(*tables, DataPath(c.file), dialogs), MatrixLoad::Failed);
    EXPECT_EQ(dialogs.Messages(),
              std::vector<std::string>{"Error " + std::string(c.error) + " in procedure  LoadLP"});
    EXPECT_EQ(tables->ingredientCount, c.ingCount);
    EXPECT_EQ(tables->ingredientName[1], c.lastName);
    EXPECT_LE(tables->nutrientCount, kMaxNutrientRows);
  }
  // What was read before the end stays: the truncated file's first price.
  ReadMatrixFile(*tables, DataPath("bad_matrix_truncated.txt"), dialogs);
  EXPECT_DOUBLE_EQ(tables->ingredientPrice[1], 0.2);
  EXPECT_DOUBLE_EQ(tables->matrix[2][1], 2400);
}

// A missing file clears the tables silently; with no ingredient named
// nothing is written; a failed write is reported.
TEST_F(FormulationFileTest, NothingToReadOrWriteAndAFailedSave) {
  FillSmallMatrix(*tables);
  std::string path = In("NoFolder/FarmMatrix.txt");
  EXPECT_FALSE(SaveMatrix(*tables, dialogs, path, MatrixSaveRequest("", "", true)));
  EXPECT_EQ(dialogs.Messages(),
            std::vector<std::string>{"Error 75 (Path/File access error) in procedure SaveMatrix\n" +
                                     path + ": No such file or directory"});
  EXPECT_EQ(ReadMatrixFile(*tables, In("NoSuchMatrix.txt"), dialogs), MatrixLoad::Missing);
  EXPECT_EQ(tables->matrix[2][1], 0);
  path = In("EmptyMatrix.txt");
  EXPECT_FALSE(SaveMatrix(*tables, dialogs, path, MatrixSaveRequest("", "Farm", false)));
  EXPECT_FALSE(fs::exists(path));
}

// Saving counts the ingredients up to the last name longer than two letters
// (a short name inside the list loses no ingredient, which would shift
// restriction numbers) and the nutrients up to the last name longer than one,
// never fewer than the standard rows, which get their standard names.
TEST_F(FormulationFileTest, SavingRecountsFromTheNames) {
  FillSmallMatrix(*tables);
  tables->ingredientName[2] = "Ca";
  tables->nutrientName[3].clear();
  std::string path = In("CaMatrix.txt");
  auto read = std::make_unique<FormulationTables>();
  auto saveAndRead = [&] {
    ASSERT_TRUE(SaveMatrix(*tables, dialogs, path, MatrixSaveRequest("", "", true)));
    ASSERT_EQ(ReadMatrixFile(*read, path, dialogs), MatrixLoad::Loaded);
  };
  saveAndRead();
  EXPECT_EQ(tables->nutrientCount, 15);
  EXPECT_EQ(read->ingredientCount, 3);
  EXPECT_EQ(read->nutrientName[3], "PROTEIN");
  EXPECT_EQ(read->nutrientName[6], "LYSINE");

  tables->ingredientName[3] = "Ca";  // at the end it is dropped
  for (int r = 16; r <= kMaxNutrientRows; ++r) tables->nutrientName[r] = "N" + std::to_string(r);
  tables->nutrientName[kMaxNutrientRows] = "Se";  // two letters name a nutrient
  tables->matrix[kMaxNutrientRows][1] = 7.5;
  saveAndRead();
  EXPECT_EQ(read->ingredientCount, 1);
  EXPECT_EQ(tables->nutrientCount, kMaxNutrientRows);
  EXPECT_DOUBLE_EQ(read->matrix[kMaxNutrientRows][1], 7.5);
}

}  // namespace
