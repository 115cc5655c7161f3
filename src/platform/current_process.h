// The value that identifies the calling process to the registry of clients.
#pragma once

#include <cstdint>

namespace tavik {

// The operating system's id of the calling process.
std::uintptr_t CurrentProcessId();

}  // namespace tavik
