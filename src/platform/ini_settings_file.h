// The settings file kept as a Windows-style INI file at a path of its own.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/settings_file.h"

namespace tavik {

// Reads and writes as the Windows private-profile functions do: "[section]" headers and
// "key=value" lines, names matched without regard to case, blanks around names and values
// ignored and one pair of enclosing quotes dropped on reading. A write changes only the one
// line it concerns; every other section, key, comment and their order stay as they were.
// Values are bytes, passed through unconverted. The file is read afresh by every call, so
// changes made to it by hand are seen at once.
class IniSettingsFile : public SettingsFile {
 public:
  explicit IniSettingsFile(std::filesystem::path path);

  // A missing file reads as empty: every key gives the default, less its trailing blanks.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view default_value) override;
  // Creates the file and its folder when missing, and replaces the file in one step, so a
  // reader never sees it half written. False for a name or value the file format cannot
  // hold (a line break; an "=" in a key, a "]" in a section) and for any failure to store.
  bool WriteString(std::string_view section, std::string_view key, std::string_view value) override;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace tavik
