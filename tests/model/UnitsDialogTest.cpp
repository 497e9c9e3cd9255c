#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "model/UnitsDialog.h"
#include "platform/TextFile.h"
#include "support/ScriptedDialogs.h"

namespace fs = std::filesystem;

namespace {

using Codes = std::array<std::int16_t, 3>;  // energy, weight, price

constexpr const char* kLegend = "\tEnergy 0 is kg, 1 is lbs, 2 is Mcal/kg 3 is mcal/lb 4 is MJ/kg";

std::vector<std::string> Numbered(int count, const std::string& prefix) {
  std::vector<std::string> lines;
  for (int i = 1; i <= count; ++i) lines.push_back(prefix + std::to_string(i));
  return lines;
}

class UnitsDialogTest : public ::testing::Test {
 protected:
  UnitsDialogTest() {
    folder = fs::temp_directory_path() / ("tamsel-units-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    plt = (folder / "Farm.plt").string();
  }
  ~UnitsDialogTest() override {
    std::error_code ec;
    fs::remove_all(folder, ec);
  }

  fs::path folder;
  std::string plt;
  ScriptedDialogs dialogs;
  GlobalPig pig;
  UnitsDialog dialog;
};

TEST_F(UnitsDialogTest, ListsGiveTheCodesAndTheCaptionsFollowTheEnergyCode) {
  struct Case {
    int weights, energy, cost;
    Codes codes;
    const char* startCaption;
    const char* finalCaption;
  };
  const Case cases[] = {
      {1, 1, 1, {1, 1, 3}, "Starting Weight, lb", "Final Weight, lb"},
      {0, 1, 0, {1, 0, 1}, "Starting Weight, lb", "Final Weight, lb"},
      {1, 0, 1, {0, 1, 3}, "Starting Weight, kg", "Final Weight, kg"},
      {0, 0, 0, {0, 0, 1}, "Starting Weight, kg", "Final Weight, kg"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.weights) + std::to_string(c.energy) + std::to_string(c.cost));
    dialog.Open(pig);
    dialog.Weights.ListIndex = c.weights;
    dialog.FeedEnergy.ListIndex = c.energy;
    dialog.FeedCost.ListIndex = c.cost;
    WeightCaptions captions = dialog.OK(pig, "Calibration Name", plt, dialogs);
    EXPECT_EQ(pig.UnitCodes, c.codes);
    EXPECT_EQ(captions.startWeight, c.startCaption);
    EXPECT_EQ(captions.finalWeight, c.finalCaption);
    EXPECT_FALSE(dialog.Visible());
  }
  EXPECT_TRUE(dialogs.shown().empty());  // the placeholder name: nothing to save
  EXPECT_FALSE(fs::exists(plt));
}

TEST_F(UnitsDialogTest, OpeningShowsTheCurrentCodes) {
  struct Case {
    Codes codes;
    int weights, energy, cost;
  };
  const Case cases[] = {
      {{1, 1, 3}, 1, 1, 1},
      {{0, 0, 1}, 0, 0, 0},
      {{1, 0, 4}, 0, 1, 0},  // hundredweight has no entry: the tonne is shown
  };
  for (const Case& c : cases) {
    pig.UnitCodes = c.codes;
    dialog.Open(pig);
    EXPECT_TRUE(dialog.Visible());
    EXPECT_EQ(dialog.Weights.ListIndex, c.weights);
    EXPECT_EQ(dialog.FeedEnergy.ListIndex, c.energy);
    EXPECT_EQ(dialog.FeedCost.ListIndex, c.cost);
  }
}

TEST_F(UnitsDialogTest, ClosingChangesNothing) {
  dialog.Open(pig);
  dialog.Weights.ListIndex = 1;
  dialog.Close();
  EXPECT_FALSE(dialog.Visible());
  EXPECT_EQ(pig.UnitCodes, (Codes{0, 0, 1}));
}

TEST_F(UnitsDialogTest, ANamedLocationAsksAndSavesOnYes) {
  const std::vector<std::string> original = Numbered(14, "old ");
  ASSERT_TRUE(TextFile::WriteLines(plt, original).ok);

  dialog.Open(pig);
  dialog.FeedEnergy.ListIndex = 1;
  dialogs.Answer(Answer::No);
  dialog.OK(pig, "Farm", plt, dialogs);
  EXPECT_EQ(dialogs.Messages(),
            (std::vector<std::string>{"Do you want to save the changes to file?"}));
  EXPECT_EQ(TextFile::ReadLines(plt), original);
  EXPECT_EQ(pig.UnitCodes, (Codes{1, 0, 1}));  // applied all the same

  dialog.Open(pig);
  dialog.Weights.ListIndex = 1;
  dialog.FeedCost.ListIndex = 1;
  dialogs.Answer(Answer::Yes);
  dialog.OK(pig, "Farm", plt, dialogs);
  std::vector<std::string> expected = Numbered(11, "old ");
  expected.insert(expected.end(), {std::string(" 1 ") + kLegend, " 1 ", " 3 "});
  EXPECT_EQ(TextFile::ReadLines(plt), expected);
  EXPECT_TRUE(dialogs.Done());
}

TEST_F(UnitsDialogTest, SaveUnitCodesKeepsElevenLinesAndReplacesTheRest) {
  pig.UnitCodes = {4, 2, 0};
  for (int count : {0, 5, 11, 14, 15, 20}) {
    SCOPED_TRACE(count);
    ASSERT_TRUE(TextFile::WriteLines(plt, Numbered(count, "line ")).ok);
    ASSERT_TRUE(SaveUnitCodes(plt, pig, dialogs));
    std::vector<std::string> expected = Numbered(std::min(count, 11), "line ");
    expected.resize(11);  // a short file gets empty lines up to line 11
    expected.insert(expected.end(), {std::string(" 4 ") + kLegend, " 2 ", " 0 "});
    EXPECT_EQ(TextFile::ReadLines(plt), expected);
  }
  std::ifstream in(plt, std::ios::binary);
  std::string bytes{std::istreambuf_iterator<char>(in), {}};
  EXPECT_EQ(bytes.substr(bytes.size() - 12), "\r\n 2 \r\n 0 \r\n");
  EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(UnitsDialogTest, MissingCalibrationFileIsReportedAndNotMade) {
  EXPECT_FALSE(SaveUnitCodes(plt, pig, dialogs));
  EXPECT_EQ(dialogs.Messages(),
            (std::vector<std::string>{"Error 53 (File not found) in procedure SaveUnitCodes"}));
  EXPECT_FALSE(fs::exists(plt));
}

}  // namespace
