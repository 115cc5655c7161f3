// The default settings path.
#include "platform/settings_path.h"

#include <cstdlib>

namespace tavik {

std::string DefaultSettingsPath() {
  auto non_empty = [](const char* value) { return value && *value; };
  if (const char* explicit_path = std::getenv("TAVIK_INI"); non_empty(explicit_path)) {
    return explicit_path;
  }
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); non_empty(config)) {
    return std::string(config) + "/tavik/TAVIK.INI";
  }
  const char* home = std::getenv("HOME");
  return std::string(non_empty(home) ? home : ".") + "/.config/tavik/TAVIK.INI";
}

}  // namespace tavik
