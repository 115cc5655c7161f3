// Visual Basic names: cleaning, validity and the numbers that keep names of one set apart.
#include "form/vb_name_maker.h"

#include <algorithm>

#include "text/ascii_case.h"

#include "text/windows1252.h"

namespace tavik {

namespace {

bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsNameChar(char c) {
  return IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '_';
}

}  // namespace

std::string VbNameMaker::CloseButtonName(std::string_view form_name, std::uint16_t version) {
  const std::size_t longest = version == 3 ? kMaxLength - kLongestButtonEventSuffix : kMaxLength;
  constexpr std::string_view kPrefix = "cmd";
  constexpr std::string_view kSuffix = "Close";
  std::string name(kPrefix);
  name += form_name.substr(0, longest - kPrefix.size() - kSuffix.size());
  return name += kSuffix;
}

std::string VbNameMaker::CleanChars(std::string_view name) {
  std::string result(name);
  CleanCharsInPlace(result);
  return result;
}

void VbNameMaker::CleanCharsInPlace(std::string& name) {
  for (char& c : name) {
    if (IsNameChar(c)) continue;
    const char plain = text::PlainLetter(c);
    c = plain != '\0' ? plain : '_';
  }
}

std::string VbNameMaker::Clean(std::string_view name) {
  std::string result = CleanChars(name);
  if (!result.empty() && !IsAsciiLetter(result.front())) result.insert(0, "n");
  return result;
}

bool VbNameMaker::IsValid(std::string_view name) {
  return !name.empty() && name.size() <= kMaxLength && IsAsciiLetter(name.front()) &&
         std::all_of(name.begin(), name.end(), IsNameChar);
}

std::string VbNameMaker::Key(std::string_view name) {
  return text::AsciiUppered(name);
}

std::string VbNameMaker::Unique(std::string_view name, std::size_t max_length) {
  std::string base(name.substr(0, max_length));
  if (Take(base)) return base;
  int& number = next_number_.try_emplace(Key(base), 2).first->second;
  for (;; ++number) {
    std::string suffix = std::to_string(number);
    std::string candidate = base.substr(0, max_length - std::min(max_length, suffix.size()));
    candidate += suffix;
    if (Take(candidate)) return candidate;
  }
}

}  // namespace tavik
