// The settings file ("TAVIK.INI"), read and written as private-profile strings.
#pragma once

#include <string>
#include <string_view>

namespace tavik {

class SettingsFile {
 public:
  virtual ~SettingsFile() = default;
  virtual std::string ReadString(std::string_view section, std::string_view key,
                                 std::string_view default_value) = 0;
  // False when the value could not be stored.
  virtual bool WriteString(std::string_view section, std::string_view key,
                           std::string_view value) = 0;
};

}  // namespace tavik
