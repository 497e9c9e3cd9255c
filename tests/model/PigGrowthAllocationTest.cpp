// A growth run is repeated thousands of times by the calibration and the diet
// optimization, so it must not allocate. The runs are measured with the
// counting allocator, which replaces the global operator new and delete.

#include <gtest/gtest.h>

#include <cstdint>
#include <new>

#include "model/GrowthExample.h"
#include "model/GrowthState.h"
#include "model/PigGrowth.h"
#include "platform/Grid.h"
#include "support/CountingAllocator.h"

namespace {

long AllocationsOfOneRun(GrowthState& growth, Grid* results) {
  return AllocationsOf([&] { PigGrowth::RunGrowthDays(growth, results); });
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
    GrowthState growth;
    LoadExampleDiets(growth);
    growth.showDailyRows = c.showDaily;
    Grid results(200, 14);
    Grid* grid = c.withGrid ? &results : nullptr;
    EXPECT_EQ(AllocationsOfOneRun(growth, grid), 0);
    ASSERT_FALSE(growth.growthFailed);
    // A repeated run over a filled table, as the calibration does.
    growth.finalAge = 0;
    EXPECT_EQ(AllocationsOfOneRun(growth, grid), 0);
  }
}

// Every form of operator new is counted (and freed by its own delete): the
// nothrow form is what std::stable_sort's buffer uses.
TEST(GrowthAllocation, TheCounterSeesEveryFormOfAllocation) {
  struct alignas(64) Wide {
    double value[8];
  };
  int* plain = nullptr;
  int* nothrow = nullptr;
  Wide* aligned = nullptr;
  Wide* alignedArray = nullptr;
  EXPECT_EQ(AllocationsOf([&] { plain = new int(3); }), 1);
  EXPECT_EQ(AllocationsOf([&] { nothrow = new (std::nothrow) int[5]; }), 1);
  EXPECT_EQ(AllocationsOf([&] { aligned = new Wide; }), 1);
  EXPECT_EQ(AllocationsOf([&] { alignedArray = new (std::nothrow) Wide[3]; }), 1);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(aligned) % 64, 0U);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(alignedArray) % 64, 0U);
  delete plain;
  delete[] nothrow;
  delete aligned;
  delete[] alignedArray;
}

}  // namespace
