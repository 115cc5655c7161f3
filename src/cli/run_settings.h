// The settings file as a command-line run uses it: checked before, written after.
#pragma once

#include <map>
#include <string>
#include <utility>

#include "platform/ini_settings_file.h"
#include "platform/settings_file.h"

namespace tavik::cli {

// The run reads the file as it is and keeps what it writes to itself; only a run that
// succeeded stores it, and only the values that changed, under the folder's lock so that
// runs at once never mix their values. (The library's own dialog writes at OK, as ever.)
class RunSettings final : public SettingsFile {
 public:
  explicit RunSettings(std::string path) : path_(path), file_(std::move(path)) {}

  // Why path cannot be the settings file, naming it; empty when it can. A missing file,
  // an empty one and one of "[section]" headers, "key=value" lines in sections, comments
  // and blank lines (after a UTF-8 byte-order mark, if any) can.
  static std::string Refusal(const std::string& path);

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view default_value) override;
  bool WriteString(std::string_view section, std::string_view key, std::string_view value) override;

  // Stores the values the run wrote that differ from the file's; false (with a warning on
  // standard error) when they could not be stored.
  bool Commit();

 private:
  std::string path_;
  IniSettingsFile file_;
  std::map<std::pair<std::string, std::string>, std::string> written_;
};

}  // namespace tavik::cli
