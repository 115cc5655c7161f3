// The default settings file on Windows.
#include "platform/settings_path.h"

#include <cstdlib>

namespace tavik {

// $TAVIK_INI, else "TAVIK.INI" in the Windows folder, where the private-profile functions
// keep a file given without a folder.
std::string DefaultSettingsPath() {
  if (const char* explicit_path = std::getenv("TAVIK_INI"); explicit_path && *explicit_path) {
    return explicit_path;
  }
  return "TAVIK.INI";
}

}  // namespace tavik
