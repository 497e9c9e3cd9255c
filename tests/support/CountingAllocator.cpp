#include "support/CountingAllocator.h"

#include <cstddef>
#include <cstdlib>
#include <new>

// Every form of the global operator new and delete is replaced: a form left
// to the runtime would pair its allocation with our free (or the reverse),
// which a sanitizer reports as an alloc-dealloc mismatch. The standard
// library itself uses the nothrow form (std::stable_sort's buffer) and the
// aligned forms.

namespace {

constexpr std::size_t kPlain = alignof(std::max_align_t);

bool counting = false;
long allocations = 0;

void* TryAllocate(std::size_t size, std::size_t alignment) noexcept {
  if (counting) ++allocations;
  if (size == 0) size = 1;
  if (alignment <= kPlain) return std::malloc(size);
  // aligned_alloc wants a size that is a multiple of the alignment.
  const std::size_t rounded = (size + alignment - 1) / alignment * alignment;
  return std::aligned_alloc(alignment, rounded);
}

void* Allocate(std::size_t size, std::size_t alignment = kPlain) {
  if (void* p = TryAllocate(size, alignment)) return p;
  throw std::bad_alloc();
}

std::size_t Align(std::align_val_t alignment) { return static_cast<std::size_t>(alignment); }

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
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return TryAllocate(size, kPlain);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return TryAllocate(size, kPlain);
}
void* operator new(std::size_t size, std::align_val_t a) { return Allocate(size, Align(a)); }
void* operator new[](std::size_t size, std::align_val_t a) { return Allocate(size, Align(a)); }
void* operator new(std::size_t size, std::align_val_t a, const std::nothrow_t&) noexcept {
  return TryAllocate(size, Align(a));
}
void* operator new[](std::size_t size, std::align_val_t a, const std::nothrow_t&) noexcept {
  return TryAllocate(size, Align(a));
}

void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept { std::free(p); }
