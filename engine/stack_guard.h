// How deep the engine may recurse on the calling thread. The parser, the
// compiler and the VM all stop short of the thread's real stack end, so deep
// nesting or recursion becomes a script error rather than a crash, whatever
// stack size the host thread was given.
#pragma once

#include <cstdint>

namespace pw {

// The lowest stack address this thread may use before refusing to go deeper;
// it leaves room below for raising and reporting the error.
uintptr_t stackFloor();

inline bool stackNearlyFull() {
  return reinterpret_cast<uintptr_t>(__builtin_frame_address(0)) < stackFloor();
}

}  // namespace pw
