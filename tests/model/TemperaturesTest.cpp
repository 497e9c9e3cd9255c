#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "model/TemperatureForm.h"
#include "model/Temperatures.h"
#include "platform/Location.h"
#include "platform/TextFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFiles.h"

namespace {

namespace fs = std::filesystem;

const std::string kData = std::string(TAMSEL_SOURCE_DIR) + "/tests/data/";

class TemperaturesTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return temp_.Path(name); }

  TempFolder temp_;
  TemperatureProfile profile_;
  ScriptedDialogs dialogs_;
};

TEST(PrintedNumberTest, BlankOrSignThenShortestTextThenBlank) {
  const struct {
    double value;
    const char* text;
  } cases[] = {{20, " 20 "},
               {21.5, " 21.5 "},
               {-3, "-3 "},
               {0.5, " .5 "},
               {-0.25, "-.25 "},
               {0, " 0 "},
               {-0.0, " 0 "},
               {154, " 154 "}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(PrintedNumber(c.value), c.text);
  }
}

TEST_F(TemperaturesTest, ResetTemperaturesResetsTheWeeks) {
  profile_.calibrationTemps.fill(7);
  profile_.futureTemps.fill(7);
  ResetTemperatures(profile_);
  EXPECT_EQ(profile_.calibrationTemps[0], 7);  // the start age stays
  for (int w = 1; w <= 20; ++w) {
    EXPECT_EQ(profile_.calibrationTemps[w], 20) << w;
    EXPECT_EQ(profile_.futureTemps[w], 20) << w;
  }
  EXPECT_EQ(profile_.calibrationTemps[21], 0);
  EXPECT_EQ(profile_.futureTemps[21], 7);
}

TEST_F(TemperaturesTest, WrittenFileIsByteExactAndReadsBack) {
  ResetTemperatures(profile_);
  profile_.calibrationTemps[0] = profile_.futureTemps[0] = 21;
  profile_.calibrationTemps[1] = 28.5;
  profile_.futureTemps[1] = 26;
  profile_.calibrationTemps[2] = -3;
  profile_.futureTemps[20] = 0.5;
  ASSERT_TRUE(WriteTemperatureFile(Path("Farm1.stg"), profile_, dialogs_));
  EXPECT_EQ(ReadWhole(Path("Farm1.stg")), ReadWhole(kData + "stg_farm1.stg"));

  TemperatureProfile back;
  const TemperatureLoad load = ReadTemperatureFile(Path("Farm1.stg"), back);
  EXPECT_TRUE(load.found);
  EXPECT_EQ(load.numbers, 42);
  for (int i = 0; i <= 20; ++i) {
    EXPECT_EQ(back.calibrationTemps[i], profile_.calibrationTemps[i]) << i;
    EXPECT_EQ(back.futureTemps[i], profile_.futureTemps[i]) << i;
  }
}

TEST_F(TemperaturesTest, MissingOrShortFileFillsOnlyTheEntriesItHas) {
  profile_.calibrationTemps.fill(9);
  profile_.futureTemps.fill(9);
  EXPECT_FALSE(ReadTemperatureFile(Path("none.stg"), profile_).found);
  EXPECT_EQ(profile_.calibrationTemps[3], 9);
  const TemperatureLoad load = ReadTemperatureFile(kData + "stg_short.stg", profile_);
  // " 35 \t 35 ", "25,24", "23   22.5", then "18" alone.
  EXPECT_EQ(load.numbers, 7);
  EXPECT_EQ(profile_.calibrationTemps[0], 35);
  EXPECT_EQ(profile_.futureTemps[1], 24);
  EXPECT_EQ(profile_.futureTemps[2], 22.5);
  EXPECT_EQ(profile_.calibrationTemps[3], 18);
  EXPECT_EQ(profile_.futureTemps[3], 9);
  EXPECT_EQ(profile_.calibrationTemps[4], 9);
}

TEST_F(TemperaturesTest, LongAndBadFilesStayInsideTheArrays) {
  std::vector<std::string> lines;
  for (int i = 0; i < 40; ++i) lines.push_back(std::to_string(i) + "\t" + std::to_string(100 + i));
  lines.insert(lines.begin() + 2, "twenty\t21");  // text where a number should be
  lines.insert(lines.begin() + 3, "0x1A 1e999");  // no hex, nothing infinite
  ASSERT_TRUE(TextFile::WriteLines(Path("long.stg"), lines).ok);
  const TemperatureLoad load = ReadTemperatureFile(Path("long.stg"), profile_);
  EXPECT_EQ(load.numbers, 50);
  EXPECT_EQ(load.skippedLines, 2);
  EXPECT_EQ(profile_.calibrationTemps[2], 2);
  EXPECT_EQ(profile_.futureTemps[24], 124);
}

TEST_F(TemperaturesTest, WeekRowsFollowTheStartingAge) {
  EXPECT_EQ(WeekAgeRange(21, 1), " 21 -  27");
  EXPECT_EQ(WeekAgeRange(21, 20), " 154 -  160");
  TemperatureForm window;
  EXPECT_EQ(window.entryTable.Text(0, 0), "Age, days");
  EXPECT_EQ(window.entryTable.Text(0, 1), "Calib. T, C");
  EXPECT_EQ(window.entryTable.Text(0, 2), "Future T, C");

  const struct {
    const char* field;
    const char* firstRow;
  } cases[] = {{"21", " 21 -  27"},
               {"21,9", " 21 -  27"},
               {"0", " 50 -  56"},
               {"", " 50 -  56"},
               {"abc", " 50 -  56"},
               {"-4", " 50 -  56"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.field);
    profile_.calibrationTemps.fill(31);
    window.Open(c.field, profile_);
    EXPECT_TRUE(window.Visible());
    EXPECT_EQ(window.entryTable.Text(1, 0), c.firstRow);
    for (int w = 1; w <= 20; ++w) {
      EXPECT_EQ(window.entryTable.Text(w, 1), "20");
      EXPECT_EQ(window.entryTable.Text(w, 2), "20");
    }
  }
}

TEST_F(TemperaturesTest, TakeTemperaturesCopiesTheTable) {
  TemperatureForm window;
  window.Open("105", profile_);
  window.entryTable.SetText(1, 1, "30,5");
  window.entryTable.SetText(20, 2, "18");
  window.entryTable.SetText(7, 1, "warm");
  window.TakeTemperatures(profile_);
  // The whole first age, not only its first three characters.
  EXPECT_EQ(profile_.calibrationTemps[0], 105);
  EXPECT_EQ(profile_.futureTemps[0], 105);
  EXPECT_EQ(profile_.calibrationTemps[1], 30.5);
  EXPECT_EQ(profile_.futureTemps[20], 18);
  EXPECT_EQ(profile_.calibrationTemps[7], 0);
  EXPECT_EQ(profile_.calibrationTemps[2], 20);
  // The stored profile is shown beside the table.
  EXPECT_EQ(window.profileTable.Text(1, 0), " 105 -  111");
  EXPECT_EQ(window.profileTable.Text(1, 1), "30.5");
  EXPECT_FALSE(window.profileTable.Editable());
}

TEST_F(TemperaturesTest, MenuCommands) {
  TemperatureForm window;
  window.Open("21", profile_);
  window.entryTable.SetText(3, 1, "25");
  window.CloseWithoutSaving();
  EXPECT_FALSE(window.Visible());
  EXPECT_EQ(profile_.calibrationTemps[3], 0);

  window.Open("21", profile_);
  window.entryTable.SetText(3, 1, "25");
  window.TransferAndClose(profile_);
  EXPECT_FALSE(window.Visible());
  EXPECT_EQ(profile_.calibrationTemps[3], 25);

  window.Open("21", profile_);
  window.entryTable.SetText(4, 2, "19");
  ASSERT_TRUE(window.TransferAndSave(profile_, Path("T.stg"), dialogs_));
  EXPECT_TRUE(window.Visible());
  TemperatureProfile back;
  ReadTemperatureFile(Path("T.stg"), back);
  EXPECT_EQ(back.futureTemps[4], 19);
  EXPECT_EQ(back.calibrationTemps[0], 21);

  fs::create_directories(Path("Dir.stg"));
  EXPECT_FALSE(window.TransferAndSave(profile_, Path("Dir.stg"), dialogs_));
  EXPECT_EQ(dialogs_.Messages(),
            std::vector<std::string>{
                "Error 75 (Path/File access error) in procedure WriteTemperatureFile\n" +
                Path("Dir.stg") + ": Is a directory"});
}

TEST_F(TemperaturesTest, OpenTemperatureFileKeepsTheNameWhenCancelled) {
  Location location;
  location.dataFolder = temp_.Path("");
  location.temperatureFile = Path("Farm1.stg");
  dialogs_.CancelFile();
  EXPECT_FALSE(OpenTemperatureFile(location, profile_, dialogs_));
  EXPECT_EQ(location.temperatureFile, Path("Farm1.stg"));
  EXPECT_EQ(dialogs_.shown().size(), 1u);

  dialogs_.File(kData + "stg_short.stg");
  EXPECT_TRUE(OpenTemperatureFile(location, profile_, dialogs_));
  EXPECT_EQ(location.temperatureFile, kData + "stg_short.stg");
  EXPECT_EQ(profile_.calibrationTemps[0], 35);
}

}  // namespace
