// A growth run is repeated thousands of times by the calibration and the diet
// optimization, so it must not allocate. This file replaces the global
// runs are measured with the counting allocator.

#include <gtest/gtest.h>

#include "model/GlobalPig.h"
#include "model/GrowthExample.h"
#include "model/PigGrowth.h"
#include "platform/Grid.h"
#include "support/CountingAllocator.h"

namespace {

long AllocationsOfOneRun(GlobalPig& pig, Grid* results) {
  return AllocationsOf([&] { PigGrowth::RunGrowthDays(pig, results); });
}

TEST(GrowthAllocation, ARunAllocatesNothing) {
  struct Case {
    const char* what;
    bool showDaily;
    bool withGrid;
  };
  const Case cases[] = {
      {"no table", false, false},
      {"weights only", false, true},
      {"daily rows", true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GlobalPig pig;
    LoadExampleDiets(pig);
    pig.ShowDailyRows = c.showDaily;
    Grid results(200, 14);
    Grid* grid = c.withGrid ? &results : nullptr;
    EXPECT_EQ(AllocationsOfOneRun(pig, grid), 0);
    ASSERT_FALSE(pig.GrowthFailed);
    // A repeated run over a filled table, as the calibration does.
    pig.FinalAge = 0;
    EXPECT_EQ(AllocationsOfOneRun(pig, grid), 0);
  }
}

TEST(GrowthAllocation, TheCounterSeesAnAllocation) {
  int* probe = nullptr;
  EXPECT_EQ(AllocationsOf([&] { probe = new int(3); }), 1);
  delete probe;
}

}  // namespace
