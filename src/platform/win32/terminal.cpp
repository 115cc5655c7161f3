// Terminals on Windows: consoles.
#include "platform/terminal.h"

#include <io.h>
#include <windows.h>

#include <cstdio>

namespace tavik {

// The C library calls every character device a terminal, the NUL device among them; only a
// console accepts the console API, so its mode is what tells. The handle is the one the C
// library reads and writes through, wherever the stream was redirected.
bool IsTerminal(StandardStream stream) {
  std::FILE* file = stream == StandardStream::kInput ? stdin : stderr;
  auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(file)));
  DWORD mode = 0;
  return handle != INVALID_HANDLE_VALUE && ::GetConsoleMode(handle, &mode) != 0;
}

}  // namespace tavik
