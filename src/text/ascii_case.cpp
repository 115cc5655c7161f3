// ASCII case folding, the same for every code page: only the 52 letters fold.
#include "text/ascii_case.h"

#include <algorithm>

namespace tavik::text {

std::string AsciiLowered(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) c = AsciiLower(c);
  return lowered;
}

std::string AsciiUppered(std::string_view text) {
  std::string uppered(text);
  for (char& c : uppered) c = AsciiUpper(c);
  return uppered;
}

bool SameAsciiName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return AsciiLower(x) == AsciiLower(y);
         });
}

bool LessAsciiName(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(AsciiLower(x)) < static_cast<unsigned char>(AsciiLower(y));
  });
}

}  // namespace tavik::text
