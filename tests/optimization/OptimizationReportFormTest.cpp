// The optimization report over an optimum set by hand.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "optimization/OptimizationReportForm.h"
#include "platform/NumberFormat.h"
#include "support/ScriptedDialogs.h"

namespace {

// Three diets priced per tonne: 600, 400 and 300 a tonne on 2, 5 and 20 kg
// of feed cost 1.2 + 2 + 6 = 9.2 a pig against 12 at the start.
struct HandOptimum {
  ScriptedDialogs dialogs;
  std::unique_ptr<OptResult> result = std::make_unique<OptResult>();
  std::unique_ptr<FormulationTables> tables = std::make_unique<FormulationTables>();
  GrowthState growth;
  OptimizationReportForm report{dialogs};

  HandOptimum() {
    OptResult& r = *result;
    r.done = true;
    r.diets = 3;
    r.startCost = 12;
    r.bestCost = 9.2;
    r.targetWeight = 25;
    r.finalAge = 60.5;
    const double cost[] = {0, 600, 400, 300};
    const double feed[] = {0, 2, 5, 20};
    const double energy[] = {0, 2400, 2450, 2500};
    const double start[][4] = {{}, {0, 2.4, 2448, 21}, {0, 5.9, 2448, 19}, {0, 21.5, 2412, 18}};
    for (int d = 1; d <= 3; ++d) {
      r.dietCost[d] = cost[d];
      r.dietNutrients[d][kPrice] = cost[d];
      r.dietNutrients[d][kEnergy] = energy[d];
      r.dietNutrients[d][kProtein] = 20;
      r.feedAmount[d] = feed[d];
      r.phaseFeed[d] = feed[d] + 0.04;
      for (int k = 1; k <= 3; ++k)
        r.tableValues[d][k] = {start[d][k], 0.8 * start[d][k], 1.2 * start[d][k]};
      r.nutrientRestrictions[d][kMinKind][kEnergy] = energy[d];
    }
    r.fixed[VariableOf(1, kFeedKind)] = 1;
    r.singlePoint[VariableOf(2, kEnergyKind)] = 2420;
    r.singleCost[VariableOf(2, kEnergyKind)] = 11.5;
    tables->nutrientCount = 3;
    tables->nutrientName[2] = "Net ENERGY";
    tables->nutrientName[3] = "PROTEIN";
    tables->ingredientCount = 4;
    const char* names[] = {"", "A", "B", "C", "D"};
    for (int i = 1; i <= 4; ++i) tables->ingredientName[i] = names[i];
    r.dietInclusion[1] = {0, 50, 50, 0.0001, 0};
    r.dietInclusion[2] = {0, 30, 60, 0, 10};
    r.dietInclusion[3] = {0, 0, 0, 0, 100};
    tables->ingredientRestrictions[1][kMinKind][1] = 15;
    tables->ingredientRestrictions[3][kMaxKind][1] = -1;
    for (int age = 21; age <= 61; ++age) {
      r.liveWeight[age] = 6 + 0.5 * (age - 21);
      r.dailyFeed[age] = 0.8;
    }
    r.lastDay = 62;
    growth.startAge = 21;
  }
  OptimizationReportSource Source(double startWeight = 6) const {
    return {*result, *tables, growth, startWeight, "1.7381", "62.716"};
  }
  const Grid& g() const { return report.optimumTable; }
};

TEST(OptimizationReportForm, SummaryWorkedOutByHand) {
  HandOptimum h;
  h.report.Open(h.Source());
  const Grid& g = h.g();
  ASSERT_EQ(g.Rows(), 25);
  EXPECT_DOUBLE_EQ(h.report.optimizedCost, 9.2);
  struct Cell {
    int row, col;
    const char* text;
    Rgb color;
  };
  const Cell cells[] = {
      {1, 1, "9.2000", kLightGreen},  // cost per pig
      {1, 2, "1.4211", kLightGreen},  // 27 kg over 25 - 6 kg
      {1, 4, "23.33", kWhite},        // (12 - 9.2) x 100 / 12
      {3, 1, "Cost /kg", kWhite},     // price per tonne: cost per kg
      {4, 1, "0.3680", kLightGreen},  // 9.2 / 25
      {4, 4, "2800000", kWhite},      // 2.8 x 1,000,000
      {4, 7, "0.1372", kLightGreen},  // 9200 / (4800 + 12250 + 50000)
      {5, 1, "0.4800", kLightCyan},   // 12 / 25
      {5, 7, "0.166", kLightCyan},    // 12000 / (5875.2 + 14443.2 + 51858)
      {13, 1, "2450", kLightGreen},   // diet 2's block: rows 12..15
      {13, 3, "2938", kWhite},        // maximum before minimum
      {13, 7, "2420", kWhite},        // single change of diet 2's energy
      {13, 8, "11.50", kWhite},
      {11, 1, "2.000", kLightGreen},  // diet 1's feed was fixed: as allowed
      {15, 1, "5.04", kLightGreen},   // diet 2's moved: as its phase ate
  };
  for (const Cell& c : cells) {
    SCOPED_TRACE(testing::Message() << c.row << "," << c.col);
    EXPECT_EQ(g.Text(c.row, c.col), c.text);
    EXPECT_EQ(g.CellColor(c.row, c.col), c.color);
  }
  EXPECT_EQ(g.Row(), 3);  // where the cursor has always started
  EXPECT_EQ(g.Col(), 3);
  // "Copy to Clipboard" on tab 0: the whole table, nine columns.
  h.report.CopyToClipboard();
  const std::string text = h.dialogs.Clipboard();
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 24);
  EXPECT_EQ(std::count(text.begin(), text.begin() + text.find('\n'), '\t'), 8);
}

TEST(OptimizationReportForm, ADivisorOfNoughtLeavesTheCellEmpty) {
  HandOptimum h;
  h.result->startCost = 0;
  for (int d = 1; d <= 3; ++d) {
    h.result->dietNutrients[d][kEnergy] = 0;
    h.result->tableValues[d][kEnergyKind] = {0, 0, 0};
  }
  h.report.FillOptimum(h.Source(25));  // started at the target: no gain
  const Grid& g = h.g();
  for (auto [row, col] : {std::pair{1, 2}, {1, 4}, {4, 7}, {5, 7}}) {
    SCOPED_TRACE(testing::Message() << row << "," << col);
    EXPECT_EQ(g.Text(row, col), "");
  }
  h.result->targetWeight = 0;
  h.report.FillOptimum(h.Source());
  EXPECT_EQ(h.g().Text(4, 1), "");
  EXPECT_EQ(h.g().Text(1, 1), "9.2000");  // the rest is filled as usual
}

// A full matrix: every ingredient gets its row of restrictions.
TEST(OptimizationReportForm, IngredientRestrictionsHoldEveryIngredient) {
  HandOptimum h;
  h.tables->ingredientCount = 100;
  h.tables->ingredientName[100] = "Last";
  h.report.FillIngredientRestrictions(h.Source());
  EXPECT_EQ(h.report.ingredientRestrictionTable.Text(101, 1), "Last");
}

TEST(OptimizationReportForm, FormulationTableLargestShareFirst) {
  HandOptimum h;
  h.report.FillDietFormulation(h.Source());
  const Grid& f = h.report.formulationTable;
  ASSERT_EQ(f.Rows(), 5);  // C is used in no diet
  const std::vector<std::string> order = {f.Text(2, 0), f.Text(3, 0), f.Text(4, 0)};
  EXPECT_EQ(order, (std::vector<std::string>{"B", "A", "D"}));  // 50/60, 50/30, 0/10
  EXPECT_EQ(f.Text(2, 2), "60.00");
  EXPECT_EQ(f.Text(4, 3), "100.00");
}

TEST(OptimizationReportForm, ResultsFileBlocksWithPeriods) {
  HandOptimum h;
  h.growth.decimalComma = true;
  const std::vector<std::string> lines = OptResultsFileLines(h.Source());
  ASSERT_EQ(lines.size(), 71u);
  const std::pair<int, const char*> expected[] = {
      {3, "Feed Wt./Pig\t2.000\t5.000\t20.00;"},
      {19, "22\t6500.0\t800.00\t800.00\t1.600;"},  // 800 g eaten for 500 g
      {62, "Net ENERGY\t2400.0   0\t2450.0   0\t2500.0   0;"},
      {67, "A\t15.000   0\t0   0\t0   -1.0000;"},
  };
  for (const auto& [line, text] : expected) EXPECT_EQ(lines[line], text) << line;
  // Headings speak of pigs; the day headings keep their six fields.
  for (const std::string& line : lines)
    for (const char* word : {"Bird", "Breast", "Mort."})
      EXPECT_EQ(line.find(word), std::string::npos) << line;
  for (int line : {16, 17}) EXPECT_EQ(std::count(lines[line].begin(), lines[line].end(), '\t'), 5);
}

}  // namespace
