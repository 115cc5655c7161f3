// The handle a form hands out for each control it holds.
#pragma once

#include <cstdint>

namespace tavik {

// A control's handle on its form; handed out by the form, one per control.
using CtrlHandle = std::uintptr_t;

}  // namespace tavik
