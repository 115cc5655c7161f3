// Opening the reverse-engineering dialog for a running form, or refreshing the open one.
#pragma once

#include <cstdint>

#include "tavikfw/client.h"

namespace tavik {

class Registry;

// 0 when the registry has no form for the window or the environment has no main window;
// 1 when a dialog is open already (it lists the forms again, that form chosen); else the
// dialog's end value: 1 for OK and Smart RE, 0 for Cancel.
std::uint32_t DoReverseEngineering(Registry& registry, TVK_HANDLE form_window);

}  // namespace tavik
