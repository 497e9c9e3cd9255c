// A growth run is repeated thousands of times by the calibration and the diet
// optimization, so it must not allocate. This file replaces the global
// operator new to count allocations while a run is measured.

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "model/GlobalPig.h"
#include "model/GrowthExample.h"
#include "model/PigGrowth.h"
#include "platform/Grid.h"

namespace {

bool counting = false;
long allocations = 0;

void* Allocate(std::size_t size) {
  if (counting) ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

long AllocationsOfOneRun(GlobalPig& pig, Grid* results) {
  allocations = 0;
  counting = true;
  PigGrowth::RunGrowthDays(pig, results);
  counting = false;
  return allocations;
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
    LoadThreeDiets(pig);
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
  counting = true;
  allocations = 0;
  auto* probe = new int(3);
  counting = false;
  delete probe;
  EXPECT_EQ(allocations, 1);
}

}  // namespace
