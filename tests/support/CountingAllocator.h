#pragma once

// The growth run and the objective are repeated thousands of times, so they
// must not allocate. CountingAllocator.cpp replaces the global operator new
// (once per test program) to count allocations while a piece of work runs.
// The solver library allocates through malloc, which this does not count.
void StartCountingAllocations();
long StopCountingAllocations();  // allocations since the start

template <typename Work>
long AllocationsOf(Work&& work) {
  StartCountingAllocations();
  work();
  return StopCountingAllocations();
}
