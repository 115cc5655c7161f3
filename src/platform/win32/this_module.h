// The module (the DLL, or a program linked with the library) that holds this code and its
// resources.
#pragma once

#include <windows.h>

namespace tavik {

HINSTANCE ThisModule();

}  // namespace tavik
