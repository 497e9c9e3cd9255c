#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ChartFile.h"
#include "app/RecentLocations.h"
#include "app/TableExport.h"
#include "app/TableFace.h"
#include "app/TableFaces.h"
#include "model/DietsTable.h"
#include "model/GrowthState.h"
#include "optimization/OptimizationReportForm.h"
#include "platform/Grid.h"
#include "support/ScriptedDialogs.h"

namespace {

TEST(TableFace, UnitsLeadingZerosAndDigits) {
  const struct {
    std::string got, expected;
  } cases[] = {
      {WithUnit("Weight", "kg"), "Weight, kg"},
      {WithUnit("Weight,Kg", "kg"), "Weight,Kg"},  // already named, in any case
      {WithUnit("Feed In. ", "kg"), "Feed In., kg"},
      {WithLeadingZero(".3"), "0.3"},
      {WithLeadingZero("-,25"), "-0,25"},
      {WithLeadingZero("+.5"), "+0.5"},
      {WithLeadingZero("12.5"), "12.5"},
      {WithLeadingZero(".3 kg"), ".3 kg"},  // no number
      {WithDigits("0.0006023616473731422", 5), "0.00060236"},
      {WithDigits("5.5179041535301865", 5), "5.5179"},
      {WithDigits("1234567.25", 5), "1234567"},
      {WithDigits("B0", 5), "B0"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.expected);

  Grid grid(3, 3);
  grid.SetText(0, 1, "Weight");
  grid.SetText(1, 0, "Feed\tIn.");
  grid.SetText(1, 1, ".5");
  grid.SetText(2, 2, "1.23456789");
  const TableFace face{[](int row, int col) { return row == 0 && col == 1 ? "kg" : ""; },
                       [](int row, int) { return row == 2 ? 3 : 0; }};
  EXPECT_EQ(ShownText(grid, face, 0, 1), "Weight, kg");
  EXPECT_EQ(ShownText(grid, face, 1, 0), "Feed  In.");  // a tab is a gap
  EXPECT_EQ(ShownText(grid, face, 1, 1), "0.5");
  EXPECT_EQ(ShownText(grid, face, 2, 2), "1.23");
  EXPECT_EQ(grid.Text(1, 1), ".5");  // the cell itself stays
}

// The diets' spare rows are per cent; each report block names its energy.
TEST(TableFace, UnitsOfTheDietsRowsAndTheReportsSheets) {
  GrowthState growth;
  EXPECT_EQ(DietsRowUnit(growth, kDietSpareRow), DietsRowUnit(growth, kDietSpareRow - 1));
  EXPECT_EQ(IngredientSheetFace().unit(1, 2), "");
  const int block = OptimizationReportForm::kFirstBlockRow;
  EXPECT_EQ(OptimumSheetFace(growth).unit(block + 1, 0), DietsRowUnit(growth, kDietEnergyRow));
  EXPECT_EQ(OptimumSheetFace(growth).unit(block, 0), "");
  EXPECT_NE(NutrientSheetFace(growth).unit(2, 1), "");
}

// Fields with a comma or quote are quoted; empty rows and trailing columns go.
TEST(TableExport, CsvAndTabsOfTheShownCells) {
  Grid grid(4, 4);
  grid.SetText(0, 1, "Cost, per tonne");
  grid.SetText(1, 0, "say \"hi\"");
  grid.SetText(1, 1, ".5");
  grid.SetText(3, 0, "last");
  const std::vector<int> all{0, 1, 2, 3};
  EXPECT_EQ(TableLines(grid, {}, all, all, TableFormat::Csv),
            (std::vector<std::string>{",\"Cost, per tonne\"", "\"say \"\"hi\"\"\",0.5", "last,"}));
  EXPECT_EQ(TableLines(grid, {}, all, {1, 0}, TableFormat::Tabs),
            (std::vector<std::string>{"Cost, per tonne\t", "0.5\tsay \"hi\"", "\tlast"}));
}

// The export's file: a name without a known ending is given ".csv"; ".txt" is tabs.
TEST(TableExport, TheFileChosenForTheExport) {
  for (const std::string answer : {"/farm/t", "/farm/t.txt"}) {
    ScriptedDialogs dialogs;
    dialogs.File(answer);
    const TableTarget target = ChooseTableTarget(dialogs, "/farm/");
    const bool csv = answer == "/farm/t";
    EXPECT_EQ(target.path, csv ? "/farm/t.csv" : answer);
    EXPECT_EQ(target.format, csv ? TableFormat::Csv : TableFormat::Tabs);
  }
  ScriptedDialogs dialogs;
  dialogs.CancelFile();
  EXPECT_EQ(ChooseTableTarget(dialogs, "/farm/").path, "");
}

TEST(ChartFile, TheAnswerOfTheSaveDialog) {
  const struct {
    const char* answer;
    const char* path;  // "": nothing chosen
    ChartFormat format;
  } cases[] = {
      {"*.png", "", ChartFormat::Png},  // cancelled: the pattern comes back
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

TEST(RecentLocations, NewestFirstOnceEightAtMost) {
  RecentLocations recent;
  for (int k = 1; k <= 10; ++k) recent.Add("/farms/F" + std::to_string(k) + ".plt");
  recent.Add("/farms/F5.plt");
  const std::vector<std::string>& paths = recent.Paths();
  ASSERT_EQ(paths.size(), 8u);
  EXPECT_EQ(paths.front(), "/farms/F5.plt");
  EXPECT_EQ(paths[1], "/farms/F10.plt");
  EXPECT_EQ(paths.back(), "/farms/F3.plt");
  EXPECT_EQ(recent.caption(0), "&1 F5   (/farms/)");
  recent.Set({"/a/B&C.plt", "", "/a/B&C.plt", "/d/E.plt"});
  EXPECT_EQ(recent.Paths(), (std::vector<std::string>{"/a/B&C.plt", "/d/E.plt"}));
  EXPECT_EQ(recent.caption(0), "&1 B&&C   (/a/)");
}

}  // namespace
