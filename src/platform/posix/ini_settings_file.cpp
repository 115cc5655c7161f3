// The settings file kept as a Windows-style INI file at a path of its own.
#include "platform/ini_settings_file.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/file_output.h"
#include "text/ascii_case.h"

namespace tavik {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::string_view TrimEnd(std::string_view text) {
  const std::size_t last = text.find_last_not_of(kBlanks);
  return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

// One pair of matching quotes around a value is not part of it.
std::string_view Unquoted(std::string_view value) {
  const bool quoted = value.size() >= 2 && value.front() == value.back() &&
                      (value.front() == '"' || value.front() == '\'');
  return quoted ? value.substr(1, value.size() - 2) : value;
}

// The file as lines without their ends, and the line end it uses (that of Windows for a
// file that has none yet).
struct IniText {
  std::string byte_order_mark;  // kept as the file had it
  std::vector<std::string> lines;
  std::string line_end = "\r\n";
};

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

IniText Parse(std::string_view content) {
  IniText text;
  if (content.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) {
    text.byte_order_mark = kUtf8ByteOrderMark;
    content.remove_prefix(kUtf8ByteOrderMark.size());
  }
  if (content.find("\r\n") == std::string::npos && content.find('\n') != std::string::npos) {
    text.line_end = "\n";
  }
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    if (end == std::string::npos) end = content.size();
    std::string line(content.substr(start, end - start));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    text.lines.push_back(std::move(line));
    start = end + 1;
  }
  return text;
}

std::string Join(const IniText& text) {
  std::string content = text.byte_order_mark;
  for (const std::string& line : text.lines) {
    content += line;
    content += text.line_end;
  }
  return content;
}

std::optional<std::string_view> SectionName(std::string_view line) {
  const std::string_view trimmed = Trim(line);
  if (trimmed.empty() || trimmed.front() != '[') return std::nullopt;
  const std::size_t close = trimmed.find(']');
  return Trim(trimmed.substr(1, close == std::string_view::npos ? close : close - 1));
}

struct KeyLine {
  std::string_view key;
  std::string_view value;
};

// A value may hold "=" itself (connect strings do), so the key ends at the first one.
std::optional<KeyLine> ParseKeyLine(std::string_view line) {
  const std::string_view trimmed = Trim(line);
  if (trimmed.empty() || trimmed.front() == ';') return std::nullopt;
  const std::size_t equals = trimmed.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return KeyLine{Trim(trimmed.substr(0, equals)), Trim(trimmed.substr(equals + 1))};
}

// The lines of a section: from after its header to the next header.
struct LineRange {
  std::size_t begin = 0;
  std::size_t end = 0;
};

std::optional<LineRange> FindSection(const std::vector<std::string>& lines,
                                     std::string_view section) {
  for (std::size_t header = 0; header < lines.size(); ++header) {
    const std::optional<std::string_view> name = SectionName(lines[header]);
    if (!name || !text::SameAsciiName(*name, section)) continue;
    std::size_t end = header + 1;
    while (end < lines.size() && !SectionName(lines[end])) ++end;
    return LineRange{header + 1, end};
  }
  return std::nullopt;
}

std::optional<std::size_t> FindKey(const std::vector<std::string>& lines, LineRange range,
                                   std::string_view key) {
  for (std::size_t line = range.begin; line < range.end; ++line) {
    const std::optional<KeyLine> parsed = ParseKeyLine(lines[line]);
    if (parsed && text::SameAsciiName(parsed->key, key)) return line;
  }
  return std::nullopt;
}

std::optional<std::string_view> Lookup(const IniText& text, std::string_view section,
                                       std::string_view key) {
  const std::optional<LineRange> range = FindSection(text.lines, section);
  if (!range) return std::nullopt;
  const std::optional<std::size_t> line = FindKey(text.lines, *range, key);
  if (!line) return std::nullopt;
  return ParseKeyLine(text.lines[*line])->value;
}

std::string KeyValueLine(std::string_view key, std::string_view value) {
  std::string line(key);
  line += '=';
  line += value;
  return line;
}

// A key already present keeps its place and its spelling; a new key goes after the last
// line of its section, ahead of the blank lines that set the next section apart; a new
// section goes at the end, after a blank line.
void Store(IniText& text, std::string_view section, std::string_view key, std::string_view value) {
  std::vector<std::string>& lines = text.lines;
  const std::optional<LineRange> range = FindSection(lines, section);
  if (!range) {
    if (!lines.empty() && !Trim(lines.back()).empty()) lines.emplace_back();
    lines.push_back("[" + std::string(section) + "]");
    lines.push_back(KeyValueLine(key, value));
    return;
  }
  if (const std::optional<std::size_t> line = FindKey(lines, *range, key)) {
    lines[*line] = KeyValueLine(ParseKeyLine(lines[*line])->key, value);
    return;
  }
  std::size_t at = range->end;
  while (at > range->begin && Trim(lines[at - 1]).empty()) --at;
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), KeyValueLine(key, value));
}

bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

bool Storable(std::string_view section, std::string_view key, std::string_view value) {
  return !HasLineBreak(section) && !HasLineBreak(key) && !HasLineBreak(value) &&
         section.find(']') == std::string_view::npos && !Trim(key).empty() &&
         key.find('=') == std::string_view::npos;
}

// The file's bytes; empty when there is no file, nothing when it cannot be read.
std::optional<std::string> ReadAll(const fs::path& path) {
  std::error_code error;
  if (!fs::exists(path, error)) {
    if (error) return std::nullopt;
    return std::string();
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return content;
}

bool ReplaceFile(const fs::path& path, const std::string& content) {
  std::error_code error;
  if (path.has_parent_path()) fs::create_directories(path.parent_path(), error);
  return !error && WriteFileAtomically(path.string(), content) == kOk;
}

}  // namespace

IniSettingsFile::IniSettingsFile(fs::path path) : path_(std::move(path)) {}

std::string IniSettingsFile::ReadString(std::string_view section, std::string_view key,
                                        std::string_view default_value) {
  const std::optional<std::string> content = ReadAll(path_);
  if (content) {
    const IniText text = Parse(*content);
    if (const std::optional<std::string_view> value = Lookup(text, section, key)) {
      return std::string(Unquoted(*value));
    }
  }
  return std::string(TrimEnd(default_value));
}

bool IniSettingsFile::WriteString(std::string_view section, std::string_view key,
                                  std::string_view value) {
  if (!Storable(section, key, value)) return false;
  // A file that exists but cannot be read is left alone rather than replaced by one that
  // holds only this key.
  const std::optional<std::string> content = ReadAll(path_);
  if (!content) return false;
  IniText text = Parse(*content);
  Store(text, section, Trim(key), value);
  return ReplaceFile(path_, Join(text));
}

}  // namespace tavik
