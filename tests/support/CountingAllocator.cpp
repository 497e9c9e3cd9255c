#include "support/CountingAllocator.h"

#include <cstdlib>
#include <new>

namespace {

bool counting = false;
long allocations = 0;

void* Allocate(std::size_t size) {
  if (counting) ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}

}  // namespace

void StartCountingAllocations() {
  allocations = 0;
  counting = true;
}

long StopCountingAllocations() {
  counting = false;
  return allocations;
}

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
