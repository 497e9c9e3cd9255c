#include <gtest/gtest.h>

#include "app/ChartFile.h"
#include "support/ScriptedDialogs.h"

TEST(ChartFile, TheAnswerOfTheSaveDialog) {
  const FileRequest request = ChartSaveRequest("/farm/");
  EXPECT_EQ(request.folder, "/farm/");
  const struct {
    const char* answer;
    bool chosen;
    const char* path;
    ChartFormat format;
  } cases[] = {
      {"*.png", false, "", ChartFormat::Png},  // cancelled: the pattern comes back
      {"", false, "", ChartFormat::Png},
      {"/farm/pictures/", false, "", ChartFormat::Png},
      {"/farm/growth.png", true, "/farm/growth.png", ChartFormat::Png},
      {"/farm/growth.PNG", true, "/farm/growth.PNG", ChartFormat::Png},
      {"/farm/growth.svg", true, "/farm/growth.svg", ChartFormat::Svg},
      {"/farm/growth.Svg", true, "/farm/growth.Svg", ChartFormat::Svg},
      {"/farm/growth", true, "/farm/growth.png", ChartFormat::Png},
      {"/farm/growth.jpg", true, "/farm/growth.jpg.png", ChartFormat::Png},
      {"/farm/svg", true, "/farm/svg.png", ChartFormat::Png},
      {"growth.svg", true, "/farm/growth.svg", ChartFormat::Svg},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    const ChartTarget target = ChartTargetOf(c.answer, request);
    EXPECT_EQ(target.chosen, c.chosen);
    if (!c.chosen) continue;
    EXPECT_EQ(target.path, c.path);
    EXPECT_EQ(target.format, c.format);
  }
}

TEST(ChartFile, AskedThroughTheDialogs) {
  ScriptedDialogs dialogs;
  dialogs.File("/farm/a.svg").CancelFile();
  const ChartTarget chosen = ChooseChartTarget(dialogs, "/farm/");
  EXPECT_TRUE(chosen.chosen);
  EXPECT_EQ(chosen.format, ChartFormat::Svg);
  EXPECT_FALSE(ChooseChartTarget(dialogs, "/farm/").chosen);
  EXPECT_TRUE(dialogs.Done());
}
