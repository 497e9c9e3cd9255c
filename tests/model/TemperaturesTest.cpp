#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "model/TemperatureForm.h"
#include "model/Temperatures.h"
#include "platform/Location.h"
#include "platform/TextFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFiles.h"

namespace {

const std::string kData = std::string(TAMSEL_SOURCE_DIR) + "/tests/data/";

class TemperaturesTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return temp_.Path(name); }

  TempFolder temp_;
  TemperatureProfile profile_;
  ScriptedDialogs dialogs_;
};

TEST(PrintedNumberTest, BlankOrSignThenShortestTextThenBlank) {
  for (auto [value, text] : {std::pair{21.5, " 21.5 "}, {-0.25, "-.25 "}, {-0.0, " 0 "}})
    EXPECT_EQ(PrintedNumber(value), text);
}

TEST_F(TemperaturesTest, ShortLongAndBadFilesFillOnlyTheEntriesTheyHave) {
  profile_.futureTemps.fill(9);
  EXPECT_FALSE(ReadTemperatureFile(Path("none.stg"), profile_).found);
  // " 35 \t 35 ", "25,24", "23   22.5", then "18" alone.
  EXPECT_EQ(ReadTemperatureFile(kData + "stg_short.stg", profile_).numbers, 7);
  EXPECT_EQ(profile_.futureTemps[2], 22.5);
  EXPECT_EQ(profile_.calibrationTemps[3], 18);
  EXPECT_EQ(profile_.futureTemps[3], 9);

  std::vector<std::string> lines;
  for (int i = 0; i < 40; ++i) lines.push_back(std::to_string(i) + "\t" + std::to_string(100 + i));
  lines.insert(lines.begin() + 2, "twenty\t21");  // text where a number should be
  lines.insert(lines.begin() + 3, "0x1A 1e999");  // no hex, nothing infinite
  ASSERT_TRUE(TextFile::WriteLines(Path("long.stg"), lines).ok);
  const TemperatureLoad load = ReadTemperatureFile(Path("long.stg"), profile_);
  EXPECT_EQ(load.numbers, 50);
  EXPECT_EQ(load.skippedLines, 2);
  EXPECT_EQ(profile_.calibrationTemps[9], 9);
  EXPECT_EQ(profile_.futureTemps[24], 124);
}

TEST_F(TemperaturesTest, TheWindowTakesOrDropsTheTable) {
  TemperatureForm window;
  window.Open("105", profile_);
  EXPECT_TRUE(window.Visible());
  window.entryTable.SetText(1, 1, "30,5");
  window.entryTable.SetText(7, 1, "warm");
  window.TakeTemperatures(profile_);
  // The whole first age, not only its first three characters.
  EXPECT_EQ(profile_.calibrationTemps[0], 105);
  EXPECT_EQ(profile_.calibrationTemps[1], 30.5);
  EXPECT_EQ(profile_.calibrationTemps[7], 0);
  EXPECT_EQ(window.profileTable.Text(1, 1), "30.5");  // the stored profile, beside the table

  window.entryTable.SetText(3, 1, "25");
  window.CloseWithoutSaving();
  EXPECT_FALSE(window.Visible());
  EXPECT_EQ(profile_.calibrationTemps[3], 20);
  window.Open("21", profile_);
  window.entryTable.SetText(4, 2, "19");
  ASSERT_TRUE(window.TransferAndSave(profile_, Path("T.stg"), dialogs_));
  TemperatureProfile back;
  ReadTemperatureFile(Path("T.stg"), back);
  EXPECT_EQ(back.futureTemps[4], 19);
  std::filesystem::create_directories(Path("Dir.stg"));
  EXPECT_FALSE(window.TransferAndSave(profile_, Path("Dir.stg"), dialogs_));
  EXPECT_EQ(dialogs_.Messages().size(), 1u);
}

TEST_F(TemperaturesTest, OpenTemperatureFileKeepsTheNameWhenCancelled) {
  Location location;
  location.temperatureFile = Path("Farm1.stg");
  dialogs_.CancelFile();
  EXPECT_FALSE(OpenTemperatureFile(location, profile_, dialogs_));
  EXPECT_EQ(location.temperatureFile, Path("Farm1.stg"));
  dialogs_.File(kData + "stg_short.stg");
  EXPECT_TRUE(OpenTemperatureFile(location, profile_, dialogs_));
  EXPECT_EQ(profile_.calibrationTemps[0], 35);
}

}  // namespace
