#include "stack_guard.h"

#include <pthread.h>

#include <algorithm>
#include <cstddef>

namespace pw {

namespace {

uintptr_t computeFloor() {
  pthread_attr_t attr;
  void* addr = nullptr;
  size_t size = 0;
  uintptr_t here = reinterpret_cast<uintptr_t>(__builtin_frame_address(0));
  if (pthread_getattr_np(pthread_self(), &attr) == 0) {
    pthread_attr_getstack(&attr, &addr, &size);
    pthread_attr_destroy(&attr);
  }
  if (!addr || size == 0) return here - (512u << 10);
  uintptr_t low = reinterpret_cast<uintptr_t>(addr);
  // A quarter of the stack, at least 64 KB and at most 256 KB, stays free.
  size_t margin = std::max<size_t>(std::min<size_t>(size / 4, 256u << 10), 64u << 10);
  uintptr_t floor = low + margin;
  // A stack smaller than the margin: allow a little depth from here on.
  if (floor > here) floor = here - (32u << 10);
  return floor;
}

}  // namespace

uintptr_t stackFloor() {
  // A thread's stack never moves, so the first answer holds for its lifetime.
  thread_local uintptr_t floor = computeFloor();
  return floor;
}

}  // namespace pw
