// The support modules, embedded from src/project/support at build time.
#include "project/support_module.h"

#include <string_view>

namespace tavik::project {

// Defined in the source the build generates from the .BAS files.
extern const char kSupportModuleVb3[];
extern const char kSupportModuleVb4[];

std::string SupportModule::Text(std::uint16_t version) {
  std::string_view source = version == 3 ? kSupportModuleVb3 : kSupportModuleVb4;
  std::string text;
  text.reserve(source.size() + source.size() / 32);
  for (char c : source) {
    if (c == '\r') continue;
    if (c == '\n') text += '\r';
    text += c;
  }
  return text;
}

}  // namespace tavik::project
