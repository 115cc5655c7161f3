// Where the settings file lives when nobody names it (each backend has its own answer).
#pragma once

#include <string>

namespace tavik {

// $TAVIK_INI first; else, on POSIX systems $XDG_CONFIG_HOME/tavik/TAVIK.INI or
// ~/.config/tavik/TAVIK.INI, on Windows TAVIK.INI in the Windows folder.
std::string DefaultSettingsPath();

}  // namespace tavik
