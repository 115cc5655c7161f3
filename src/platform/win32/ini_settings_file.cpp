// The settings file kept by the Windows private-profile functions.
#include "platform/ini_settings_file.h"

#include <windows.h>

#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace tavik {

namespace {

bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

bool Storable(std::string_view section, std::string_view key, std::string_view value) {
  return !HasLineBreak(section) && !HasLineBreak(key) && !HasLineBreak(value) &&
         section.find(']') == std::string_view::npos &&
         key.find_first_not_of(" \t") != std::string_view::npos &&
         key.find('=') == std::string_view::npos;
}

}  // namespace

IniSettingsFile::IniSettingsFile(std::filesystem::path path) : path_(std::move(path)) {}

// A bare file name ("TAVIK.INI") is the file of that name in the Windows folder.
std::string IniSettingsFile::ReadString(std::string_view section, std::string_view key,
                                        std::string_view default_value) {
  const std::string section_text(section);
  const std::string key_text(key);
  const std::string default_text(default_value);
  const std::string file = path_.string();
  // The functions cut a value to the buffer; the buffer grows until the value fits.
  std::vector<char> buffer(256);
  for (;;) {
    const DWORD length =
        ::GetPrivateProfileStringA(section_text.c_str(), key_text.c_str(), default_text.c_str(),
                                   buffer.data(), static_cast<DWORD>(buffer.size()), file.c_str());
    if (length + 1 < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

bool IniSettingsFile::WriteString(std::string_view section, std::string_view key,
                                  std::string_view value) {
  if (!Storable(section, key, value)) return false;
  if (path_.has_parent_path()) {
    std::error_code ignored;
    std::filesystem::create_directories(path_.parent_path(), ignored);
  }
  const std::string section_text(section);
  const std::string key_text(key);
  const std::string value_text(value);
  return ::WritePrivateProfileStringA(section_text.c_str(), key_text.c_str(), value_text.c_str(),
                                      path_.string().c_str()) != FALSE;
}

}  // namespace tavik
