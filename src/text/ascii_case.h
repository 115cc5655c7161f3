// Case folding of names made of ASCII letters: keywords, property names, code-page names.
#pragma once

#include <string>
#include <string_view>

namespace tavik::text {

// Only 'A' to 'Z' and 'a' to 'z' fold; every other byte (digits, '-', '\r', the bytes of
// another code page) stands for itself. Inline: names are folded a byte at a time in loops
// that run for every control of a form.
inline char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
inline char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
std::string AsciiLowered(std::string_view text);
std::string AsciiUppered(std::string_view text);
bool SameAsciiName(std::string_view a, std::string_view b);
// The order of names when case is ignored ("apple" < "Banana").
bool LessAsciiName(std::string_view a, std::string_view b);

}  // namespace tavik::text
