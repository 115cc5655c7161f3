// Where the settings file lives when nobody names it.
#pragma once

#include <string>

namespace tavik {

// $TAVIK_INI, else $XDG_CONFIG_HOME/tavik/TAVIK.INI, else ~/.config/tavik/TAVIK.INI.
std::string DefaultSettingsPath();

}  // namespace tavik
