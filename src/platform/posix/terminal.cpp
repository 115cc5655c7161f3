// Terminals on a POSIX system.
#include "platform/terminal.h"

#include <unistd.h>

namespace tavik {

bool IsTerminal(StandardStream stream) {
  return ::isatty(stream == StandardStream::kInput ? STDIN_FILENO : STDERR_FILENO) != 0;
}

}  // namespace tavik
