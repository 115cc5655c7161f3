// Checking the settings file before a run and storing what the run changed after it.
#include "cli/run_settings.h"

#include <fmt/format.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/folder_lock.h"

namespace tavik::cli {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t\r";

// What is wrong with one line of a settings file, or nothing.
const char* LineFault(std::string_view line, bool in_section) {
  const std::size_t first = line.find_first_not_of(kBlanks);
  if (first == std::string_view::npos || line[first] == ';' || line[first] == '#') return nullptr;
  if (line.find('\0') != std::string_view::npos) return "holds a NUL byte";
  if (line[first] == '[') return line.find(']') == std::string_view::npos ? "has no ]" : nullptr;
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos || equals == first) return "is not key=value";
  return in_section ? nullptr : "is a key=value before any [section]";
}

// Where a text is not a settings file: "line N is not key=value", or empty.
std::string TextFault(std::string_view text) {
  if (text.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) {
    text.remove_prefix(kUtf8ByteOrderMark.size());
  }
  bool in_section = false;
  std::size_t number = 1;
  for (std::size_t start = 0; start < text.size(); ++number) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    if (const char* fault = LineFault(line, in_section)) {
      return fmt::format("line {} {}", number, fault);
    }
    const std::size_t first = line.find_first_not_of(kBlanks);
    if (first != std::string_view::npos && line[first] == '[') in_section = true;
    start = end + 1;
  }
  return {};
}

}  // namespace

std::string RunSettings::Refusal(const std::string& path) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (status.type() == fs::file_type::not_found) return {};
  const auto refused = [&path](std::string_view why) {
    return fmt::format("--settings: {} {}; it is not a settings file and is left alone", path, why);
  };
  if (status.type() == fs::file_type::directory) return refused("is a folder");
  if (status.type() != fs::file_type::regular) return refused("is not a regular file");
  std::ifstream in(path, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in && !in.eof()) return refused("cannot be read");
  if (std::string fault = TextFault(text); !fault.empty()) return refused(fault);
  return {};
}

std::string RunSettings::ReadString(std::string_view section, std::string_view key,
                                    std::string_view default_value) {
  const auto found = written_.find({std::string(section), std::string(key)});
  if (found != written_.end()) return found->second;
  return file_.ReadString(section, key, default_value);
}

bool RunSettings::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
  written_[{std::string(section), std::string(key)}] = std::string(value);
  return true;
}

bool RunSettings::Commit() {
  if (written_.empty()) return true;
  const fs::path path(path_);
  std::error_code ignored;
  if (path.has_parent_path()) fs::create_directories(path.parent_path(), ignored);
  FolderLock lock(path.parent_path().string());
  bool stored = true;
  for (const auto& [name, value] : written_) {
    const auto& [section, key] = name;
    // A value equal to the file's is not written: an unchanged file is not touched at all.
    if (file_.ReadString(section, key, "") == value) continue;
    stored = file_.WriteString(section, key, value) && stored;
  }
  written_.clear();
  if (!stored) {
    fmt::print(stderr, "tavikfw: warning: the settings could not be stored in {}\n", path_);
  }
  return stored;
}

}  // namespace tavik::cli
