// The services a process has before a host installs its own.
#pragma once

#include "platform/platform.h"

namespace tavik {

// Headless services of this build: messages to standard error (No to every question),
// settings in the default settings file, a 1024x768 screen at 96 pixels per inch, and text
// measurement with the build's font backend.
Platform DefaultPlatform();

}  // namespace tavik
