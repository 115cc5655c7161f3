// Unique 8.3 file names and Visual Basic names.
#include "project/project_names.h"

#include <algorithm>
#include <array>

#include "text/ascii_case.h"
#include "text/code_page.h"
#include "text/windows1252.h"

namespace tavik::project {

namespace {

// A file name is cut as a form file's is.
constexpr std::size_t kStemLength = text::CodePage::kFileStemLength;

bool IsNameChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::string Upper(const std::string& text) {
  return text::AsciiUppered(text);
}

// Names that 16-bit Windows takes for devices, whatever the extension.
bool IsDeviceName(const std::string& stem) {
  static constexpr std::array<std::string_view, 4> kDevices = {"CON", "PRN", "AUX", "NUL"};
  if (std::find(kDevices.begin(), kDevices.end(), stem) != kDevices.end()) return true;
  return stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) &&
         stem[3] >= '1' && stem[3] <= '9';
}

// Hands out the first name of base, then base cut short with 2, 3, ... at its end.
template <class MakeName>
std::string FirstFree(std::unordered_set<std::string>& taken,
                      std::unordered_map<std::string, int>& next_number, const std::string& base,
                      std::size_t longest, MakeName make_name) {
  std::string name = make_name(base);
  int& number = next_number[Upper(name)];
  if (number == 0) number = 2;
  while (!taken.insert(Upper(name)).second) {
    std::string suffix = std::to_string(number++);
    name = make_name(base.substr(0, longest - std::min(longest, suffix.size())) + suffix);
  }
  return name;
}

// The UTF-8 text in Windows-1252, each letter with a mark as its plain letter, so that
// "Crème" gives "Creme", never a character per byte.
std::string PlainLetters(std::string_view utf8) {
  std::string text = text::Utf8ToWindows1252(utf8).value_or(std::string(utf8));
  for (char& c : text) {
    if (const char plain = text::PlainLetter(c); plain != '\0') c = plain;
  }
  return text;
}

}  // namespace

std::string ProjectNames::FileName(std::string_view wanted, std::string_view extension) {
  std::string stem;
  for (char c : PlainLetters(wanted)) {
    if (IsNameChar(c) && stem.size() < kStemLength) stem += c;
  }
  stem = Upper(stem);
  if (stem.empty()) stem = "FORM";
  if (IsDeviceName(stem)) stem += '_';
  std::string dot_extension = "." + Upper(std::string(extension));
  return FirstFree(files_, next_number_, stem, kStemLength,
                   [&](const std::string& candidate) { return candidate + dot_extension; });
}

std::string ProjectNames::Identifier(std::string_view wanted, std::size_t longest) {
  std::string name;
  for (char c : PlainLetters(wanted)) name += IsNameChar(c) ? c : '_';
  if (name.empty() || !IsLetter(name[0])) name = "x" + name;
  name.resize(std::min(name.size(), longest));
  return FirstFree(identifiers_, next_number_, name, longest,
                   [](const std::string& candidate) { return candidate; });
}

}  // namespace tavik::project
