// The text (title) of a window of the client's environment.
#pragma once

#include <functional>
#include <string>

#include "tavikfw/client.h"

namespace tavik {

using WindowTextSource = std::function<std::string(TVK_HANDLE window)>;

// At most 80 characters of the window's text; empty when nothing knows the window.
std::string ReadWindowText(TVK_HANDLE window);

// Environments without native windows tell the system their windows' titles here.
void SetWindowTextSource(WindowTextSource source);

}  // namespace tavik
