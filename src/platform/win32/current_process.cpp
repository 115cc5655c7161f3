// The calling process on Windows.
#include "platform/current_process.h"

#include <windows.h>

namespace tavik {

std::uintptr_t CurrentProcessId() {
  return static_cast<std::uintptr_t>(::GetCurrentProcessId());
}

}  // namespace tavik
