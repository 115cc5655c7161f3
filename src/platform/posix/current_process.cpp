// The calling process on a POSIX system.
#include "platform/current_process.h"

#include <unistd.h>

namespace tavik {

std::uintptr_t CurrentProcessId() {
  return static_cast<std::uintptr_t>(::getpid());
}

}  // namespace tavik
