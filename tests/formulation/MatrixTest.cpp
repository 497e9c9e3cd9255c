#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
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

class MatrixFileTest : public ::testing::Test {
 protected:
  std::string In(const std::string& name) const { return temp.Path(name); }

  // The three ingredients of tests/data/matrix_small.txt.
  void FillSmall(FormulationTables& t) {
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

  TempFolder temp;
  ScriptedDialogs dialogs;
  std::unique_ptr<FormulationTables> tables = std::make_unique<FormulationTables>();
};

// Decimal commas, commas between fields and empty value lines are read by
// the older forms' file; a number that is not finite reads as 0.
TEST(ParseLeadingNumber, ReadsTheFirstFieldLeniently) {
  EXPECT_DOUBLE_EQ(ParseLeadingNumber("-1.5\tCost\tCorn"), -1.5);
  EXPECT_DOUBLE_EQ(ParseLeadingNumber("nan\tPROTEIN\tCorn"), 0);
  EXPECT_DOUBLE_EQ(ParseLeadingNumber("inf"), 0);
}

// The small matrix is written byte for byte as kept, and read back to the
// written precision, with the weight row set to 100.
TEST_F(MatrixFileTest, SmallMatrixWritesByteForByteAndReadsBack) {
  FillSmall(*tables);
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
TEST_F(MatrixFileTest, ReadsTheOlderForms) {
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

TEST_F(MatrixFileTest, MalformedFilesStopWithTheClassicErrorAndStayInBounds) {
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
// nothing is written.
TEST_F(MatrixFileTest, NothingToReadOrWrite) {
  FillSmall(*tables);
  EXPECT_EQ(ReadMatrixFile(*tables, In("NoSuchMatrix.txt"), dialogs), MatrixLoad::Missing);
  EXPECT_EQ(tables->matrix[2][1], 0);
  std::string path = In("EmptyMatrix.txt");
  EXPECT_FALSE(SaveMatrix(*tables, dialogs, path, MatrixSaveRequest("", "Farm", false)));
  EXPECT_FALSE(fs::exists(path));
}

// Saving counts the ingredients up to the last name longer than two letters
// (a short name inside the list loses no ingredient, which would shift
// restriction numbers) and the nutrients up to the last name longer than one,
// never fewer than the standard rows, which get their standard names.
TEST_F(MatrixFileTest, SavingRecountsFromTheNames) {
  FillSmall(*tables);
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

TEST_F(MatrixFileTest, AFailedSaveIsReportedAndKeepsTheEarlierFile) {
  FillSmall(*tables);
  std::string path = In("NoFolder/FarmMatrix.txt");
  EXPECT_FALSE(SaveMatrix(*tables, dialogs, path, MatrixSaveRequest("", "", true)));
  EXPECT_EQ(dialogs.Messages(),
            std::vector<std::string>{"Error 75 (Path/File access error) in procedure SaveMatrix\n" +
                                     path + ": No such file or directory"});
}

}  // namespace
