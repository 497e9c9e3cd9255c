#include "platform/VectorState.h"

#if defined(__x86_64__) || defined(__i386__)
void ClearUpperVectorState() {
  static const bool wide = __builtin_cpu_supports("avx");
  // The lower halves, where SSE code keeps its values, are left as they are.
  if (wide) __asm__ volatile("vzeroupper" ::: "memory");
}
#else
void ClearUpperVectorState() {}
#endif
