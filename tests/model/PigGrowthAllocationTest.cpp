// A growth run is repeated thousands of times by the calibration and the diet
// optimization, so it must not allocate. The runs are measured with the
// counting allocator, which replaces the global operator new and delete.

#include <gtest/gtest.h>

#include <new>

#include "model/GrowthExample.h"
#include "model/GrowthState.h"
#include "model/PigGrowth.h"
#include "platform/Grid.h"
#include "support/CountingAllocator.h"

namespace {

TEST(GrowthAllocation, ARunAllocatesNothing) {
  for (bool showDaily : {false, true}) {
    SCOPED_TRACE(showDaily);
    GrowthState growth;
    LoadExampleDiets(growth);
    growth.showDailyRows = showDaily;
    Grid results(200, 14);
    Grid* grid = showDaily ? &results : nullptr;
    EXPECT_EQ(AllocationsOf([&] { PigGrowth::RunGrowthDays(growth, grid); }), 0);
    ASSERT_FALSE(growth.growthFailed);
    // A repeated run over a filled table, as the calibration does.
    growth.finalAge = 0;
    EXPECT_EQ(AllocationsOf([&] { PigGrowth::RunGrowthDays(growth, grid); }), 0);
  }
  // The counter sees the nothrow form that std::stable_sort's buffer uses.
  int* nothrow = nullptr;
  EXPECT_EQ(AllocationsOf([&] { nothrow = new (std::nothrow) int[5]; }), 1);
  delete[] nothrow;
}

}  // namespace
