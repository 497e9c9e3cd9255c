#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "formulation/LeastCost.h"
#include "formulation/NutrientSourcesForm.h"
#include "platform/NumberFormat.h"
#include "support/FormulationSession.h"

namespace {

// Corn and soybean meal formulated to 20 % protein at least cost, solved by
// hand: 8 x + 48 (100 - x) = 2000 gives corn 70 %, soybean meal 30 %.
//   energy  (2500 x 70 + 2300 x 30) / 100 = 2440
//   protein (8 x 70 + 48 x 30) / 100      = 20
//   lysine  (0.25 x 70 + 2.9 x 30) / 100  = 1.045
//   calcium (0 x 70 + 0.3 x 30) / 100     = 0.09
//   cost    (0.2 x 70 + 0.4 x 30) / 100   = 0.26
class NutrientSourcesTest : public ::testing::Test, public FormulationSession {
 protected:
  void SetUp() override {
    t->ingredientCount = 2;
    t->nutrientCount = 16;
    for (int r = 1; r <= kStandardNutrientRows; ++r) t->nutrientName[r] = StandardNutrientName(r);
    t->nutrientName[16] = "CALCIUM";
    t->ingredientName[1] = "Corn";
    t->ingredientName[2] = "Soybean meal";
    t->ingredientPrice[1] = 0.2;
    t->ingredientPrice[2] = 0.4;
    const double corn[] = {2500, 8, 0, 0, 0.25};
    const double soy[] = {2300, 48, 0, 0, 2.9};
    for (int i = 1; i <= 2; ++i) t->matrix[kWeightRow][i] = 100;
    for (int j = 1; j <= 5; ++j) {
      t->matrix[j + 1][1] = corn[j - 1];
      t->matrix[j + 1][2] = soy[j - 1];
    }
    t->matrix[16][2] = 0.3;
    t->nutrientRestrictions[1][kMinKind][kProtein] = 20;
    growth->dietCount = 1;
    growth->unitCodes = {0, 0, 1};  // prices per tonne: the shares must not care
    ASSERT_TRUE(BuildLp(context, 1));
    SolveDiet(context, 1);
    ASSERT_NEAR(s->dietInclusion[1][1], 70, 1e-6);
  }

  // The window's rows as name -> share, and their sum.
  std::map<std::string, double> Rows(double& sum) const {
    std::map<std::string, double> rows;
    sum = 0;
    for (int r = 1; r < window.sharesTable.Rows(); ++r) {
      double share = ReadNumber(window.sharesTable.Text(r, 1));
      rows[window.sharesTable.Text(r, 0)] = share;
      sum += share;
    }
    return rows;
  }

  NutrientSourcesForm window{dialogs, *t, *growth, *s};
};

// A nutrient's (or the cost's) sources add up to 100; an ingredient's
// contributions list only the nutrients it carries. The window opens with
// its shares computed: no "Show Percentages" needed.
TEST_F(NutrientSourcesTest, SharesMatchHandArithmetic) {
  const struct {
    int index, flag;
    std::string heading;  // cell (0, 1)
    std::map<std::string, double> shares;
  } cases[] = {
      {kProtein, 0, "PROTEIN", {{"Corn", 28}, {"Soybean meal", 72}}},
      // Corn has no calcium: it is not listed among calcium's sources.
      {15, 0, "CALCIUM", {{"Soybean meal", 100}}},
      {-1, 0, "Feed Cost", {{"Corn", 14 / 0.26}, {"Soybean meal", 12 / 0.26}}},
      {1, 1, "Corn", {{"Net ENERGY", 175000 / 2440.0}, {"PROTEIN", 28}, {"LYSINE", 17.5 / 1.045}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.heading);
    window.Show({1, c.index, c.flag, "Nutrient"});
    EXPECT_EQ(window.sharesTable.Text(0, 0), "Diet # 1");
    EXPECT_EQ(window.sharesTable.Text(0, 1), c.heading);
    double sum = 0;
    std::map<std::string, double> rows = Rows(sum);
    ASSERT_EQ(rows.size(), c.shares.size());
    for (const auto& [name, share] : c.shares) EXPECT_NEAR(rows[name], share, 1e-3) << name;
    if (c.flag == 0) EXPECT_NEAR(sum, 100, 1e-3);
  }
}

TEST_F(NutrientSourcesTest, NothingToExplainLeavesTheWindowEmpty) {
  const SourcesRequest empty[] = {
      {1, kArginine, 0, "no arginine in the diet"},
      {1, 40, 0, "nutrient beyond the matrix"},
      {1, 7, 1, "ingredient beyond the matrix"},
      {9, kProtein, 0, "diet beyond the table"},
      {2, -1, 0, "a diet never formulated has no cost"},
  };
  for (const SourcesRequest& request : empty) {
    SCOPED_TRACE(request.caption);
    window.Show(request);
    EXPECT_EQ(window.sharesTable.Rows(), 1);
    EXPECT_EQ(window.label, request.caption);
  }
  window.Show({1, kProtein, 0, "Nutrient  2 PROTEIN"});
  EXPECT_EQ(window.label, "Nutrient  2 PROTEIN\n     SOURCES OF THIS NUTRIENT, PERCENT");
  window.CopyToClipboard();
  EXPECT_EQ(dialogs.Clipboard(), "Diet # 1\tPROTEIN\nCorn\t28.000\nSoybean meal\t72.000");
}

}  // namespace
