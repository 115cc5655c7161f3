// A settings-file fake: values kept in memory under "section/key".
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "platform/settings_file.h"

namespace tavik::testing {

class MemorySettings : public SettingsFile {
 public:
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view default_value) override {
    auto found = values.find(std::string(section) + "/" + std::string(key));
    return found == values.end() ? std::string(default_value) : found->second;
  }
  bool WriteString(std::string_view section, std::string_view key,
                   std::string_view value) override {
    values[std::string(section) + "/" + std::string(key)] = value;
    return true;
  }
  std::map<std::string, std::string> values;
};

}  // namespace tavik::testing
