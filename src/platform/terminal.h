// Whether a standard stream is a person's terminal (each backend has its own answer).
#pragma once

namespace tavik {

enum class StandardStream { kInput, kError };

// True when the stream is an interactive terminal: on POSIX systems a tty, on Windows a
// console. The null device, a file or a pipe is not one, so a script that gives none of them
// is never asked a question and never shown progress meant for the eye.
bool IsTerminal(StandardStream stream);

}  // namespace tavik
