#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "calibration/CalibrationData.h"
#include "platform/Location.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFiles.h"

namespace {

namespace fs = std::filesystem;

const std::string kData = std::string(TAMSEL_SOURCE_DIR) + "/tests/data/";

class CalibrationDataTest : public ::testing::Test {
 protected:
  void SetUp() override {
    contents_.coef = {6.154, 1.5343, 3.5705, 0.0020532, 1.0};
    contents_.herdInputs = {0, 5.5, 21, 25, 30.25, 56};
    contents_.herdSex = 1;
    contents_.unitCodes = {0, 0, 1};
  }
  std::string Path(const std::string& name) const { return temp_.Path(name); }

  TempFolder temp_;
  PltContents contents_;
  GrowthState growth_;
  CalibrationData calib_;
  Grid coefTable_{6, 7};
  ScriptedDialogs dialogs_;
};

// The fitted style in its own number formats; a coefficient the format
// would cut (B3 = 0.0020532 as .00205) keeps every digit.
TEST_F(CalibrationDataTest, FittedStyleIsByteExact) {
  ASSERT_TRUE(WriteCalibrationFile(Path("Farm1.plt"), contents_, PltStyle::Fitted, dialogs_));
  EXPECT_EQ(ReadWhole(Path("Farm1.plt")), ReadWhole(kData + "plt_fitted.plt"));
}

TEST_F(CalibrationDataTest, ShortMissingAndOddFilesChangeOnlyWhatTheyHold) {
  coefTable_.SetText(kCoefRow, 1, "9.9");
  calib_.herdInputs[1] = 7;
  growth_.herdSex = 2;
  EXPECT_EQ(LoadCalibrationFile(kData + "bad_plt_short.plt", growth_, calib_, coefTable_, dialogs_),
            PltLoad::Failed);
  EXPECT_EQ(LoadCalibrationFile(Path("none.plt"), growth_, calib_, coefTable_, dialogs_),
            PltLoad::Missing);
  EXPECT_EQ(dialogs_.Messages().size(), 1u);
  EXPECT_EQ(coefTable_.Text(kCoefRow, 1), "9.9");
  EXPECT_EQ(calib_.herdInputs[1], 7);
  EXPECT_EQ(growth_.herdSex, 2);

  // A fifteenth line still sets the sex.
  std::string text;
  for (int line = 1; line <= 11; ++line) text += "1\r\n";
  std::ofstream(Path("extra.plt"), std::ios::binary) << text + " 4 \r\n 2 \r\n 4 \r\n2\r\n";
  growth_.herdSex = 0;
  LoadCalibrationFile(Path("extra.plt"), growth_, calib_, coefTable_, dialogs_);
  EXPECT_EQ(growth_.herdSex, 2);
  EXPECT_EQ(growth_.unitCodes,
            (std::array<std::int16_t, 3>{4, 2, 4}));  // the highest code of each list

  // Energy 9 and weight -2 have no factor and leave their codes; "abc" reads
  // as price code 0; sex 5 is no entry of the list.
  growth_.unitCodes = {1, 1, 3};
  ASSERT_EQ(LoadCalibrationFile(kData + "bad_plt_codes.plt", growth_, calib_, coefTable_, dialogs_),
            PltLoad::Loaded);
  EXPECT_EQ(growth_.unitCodes, (std::array<std::int16_t, 3>{1, 1, 0}));
  EXPECT_EQ(growth_.herdSex, -1);
  EXPECT_EQ(coefTable_.Text(kLoadedCoefRow, 4), "0.002");
}

// A ".cal" the reader could not take whole may hold weighings it could not
// read: it is never written over, and the user is told. One it reads whole
// (a decimal comma, fields left out, blank lines) is written as usual.
TEST_F(CalibrationDataTest, ACalFileThatCouldNotBeReadIsKept) {
  struct Case {
    const char* what;
    std::string text;
    bool kept;
  };
  std::string sixteen;
  for (int r = 1; r <= 16; ++r) sixteen += std::to_string(20 + r) + "\t6\t1\r\n";
  const Case cases[] = {
      {"a heading line", "age\tweight\tfeed\r\n21\t6\t0\r\n", true},
      {"UTF-16",
       std::string("\xFF\xFE"
                   "2\0"
                   "1\0\t\0"
                   "6\0\r\0\n\0",
                   14),
       true},
      {"a sixteenth row", sixteen, true},
      {"whole: comma, two fields, blank line", "21\t5,5\r\n\r\n35\t9.25\t\r\n", false},
  };
  calib_.observations[1] = {21, 6, 0};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = Path("Farm1.cal");
    std::ofstream(path, std::ios::binary) << c.text;
    dialogs_.Forget();
    EXPECT_EQ(WriteCalibrationRows(path, calib_, 1, dialogs_),
              c.kept ? RowsWrite::Kept : RowsWrite::Written);
    EXPECT_EQ(ReadWhole(path), c.kept ? c.text : "21.000\t6.0000\t0\r\n");
    EXPECT_EQ(
        dialogs_.Messages(),
        c.kept ? std::vector<std::string>{KeptCalFileMessage(path)} : std::vector<std::string>{});
  }
}

// Missing fields count 0, a number too large to hold reads as 0, a line
// without tabs is one field, and the rows of an earlier file go.
TEST_F(CalibrationDataTest, MalformedObservationRows) {
  for (auto& row : calib_.observations) row = {99, 99, 99};
  EXPECT_EQ(LoadCalibrationRows(kData + "cal_two_fields.cal", calib_).rows, 2);
  EXPECT_EQ(calib_.observations[2], (std::array<double, 3>{35, 9.25, 0}));
  EXPECT_EQ(calib_.observations[3], (std::array<double, 3>{0, 0, 0}));
  std::ofstream(Path("huge.cal"), std::ios::binary) << "21\t1e999\t5\r\n";
  LoadCalibrationRows(Path("huge.cal"), calib_);
  EXPECT_EQ(calib_.observations[1], (std::array<double, 3>{21, 0, 5}));

  const CalRowsLoad load = LoadCalibrationRows(kData + "bad_cal_text.cal", calib_);
  EXPECT_EQ(load.rows, 15);
  EXPECT_FALSE(load.dataLoaded);
  EXPECT_EQ(calib_.observations[3], (std::array<double, 3>{35, 0, 0}));
  EXPECT_EQ(calib_.observations[15], (std::array<double, 3>{13, 13, 1}));
  EXPECT_EQ(RowsWithWeight(calib_), 0);
  EXPECT_EQ(RowsHeld(calib_), 15);  // the last row is written back too
  EXPECT_EQ(CalibrationRowLines(calib_, 40).size(), 15u);
}

// Saving asks first unless told not to, and writes every digit of B3 in
// the saved style; "save as" keeps the name that holds the data when the
// write fails.
TEST_F(CalibrationDataTest, SavingAsksForTheNameAndKeepsItOnFailure) {
  Location location;
  location.dataFolder = temp_.Path("");
  location.calibrationFile = Path("Farm1.plt");
  dialogs_.Answer(Answer::No);
  EXPECT_FALSE(SaveCalibrationFile(location, contents_, dialogs_));
  EXPECT_FALSE(fs::exists(location.calibrationFile));
  dialogs_.Answer(Answer::Yes).CancelFile();
  ASSERT_TRUE(SaveCalibrationFile(location, contents_, dialogs_));
  EXPECT_EQ(ReadWhole(location.calibrationFile), ReadWhole(kData + "plt_saved.plt"));
  fs::create_directories(Path("Dir.plt"));
  dialogs_.File(Path("Dir.plt"));
  EXPECT_FALSE(SaveCalibrationAs(location, contents_, dialogs_));
  EXPECT_EQ(location.calibrationFile, Path("Farm1.plt"));
}

}  // namespace
