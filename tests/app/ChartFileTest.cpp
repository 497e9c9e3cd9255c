#include <gtest/gtest.h>

#include "app/ChartFile.h"
#include "support/ScriptedDialogs.h"

TEST(ChartFile, TheAnswerOfTheSaveDialog) {
  const struct {
    const char* answer;
    const char* path;  // "": nothing chosen
    ChartFormat format;
  } cases[] = {
      {"*.png", "", ChartFormat::Png},  // cancelled: the pattern comes back
      {"", "", ChartFormat::Png},
      {"/farm/pictures/", "", ChartFormat::Png},
      {"/farm/growth.PNG", "/farm/growth.PNG", ChartFormat::Png},
      {"/farm/growth.Svg", "/farm/growth.Svg", ChartFormat::Svg},
      {"/farm/growth", "/farm/growth.png", ChartFormat::Png},
      {"/farm/growth.jpg", "/farm/growth.jpg.png", ChartFormat::Png},
      {"growth.svg", "/farm/growth.svg", ChartFormat::Svg},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    ScriptedDialogs dialogs;
    dialogs.File(c.answer);
    const ChartTarget target = ChooseChartTarget(dialogs, "/farm/");
    EXPECT_EQ(target.chosen, *c.path != '\0');
    if (!target.chosen) continue;
    EXPECT_EQ(target.path, c.path);
    EXPECT_EQ(target.format, c.format);
  }
}
