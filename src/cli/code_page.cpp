// Converting form text between its code page and UTF-8, through iconv where there is one.
#include "cli/code_page.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <utility>

#include "brenlo/windows1252.h"

#if __has_include(<iconv.h>)
#include <iconv.h>
#define TAVIK_HAS_ICONV 1
#endif

namespace tavik::cli {

namespace {

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return (x | 0x20) == (y | 0x20);
         });
}

bool IsWindows1252(std::string_view name) {
  return SameName(name, "WINDOWS-1252") || SameName(name, "CP1252");
}

bool IsUtf8(std::string_view name) {
  return SameName(name, "UTF-8") || SameName(name, "UTF8");
}

#ifdef TAVIK_HAS_ICONV
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// One conversion, the converter closed when done; each byte that cannot be converted
// gives the replacement character.
std::optional<std::string> Convert(const std::string& from, const std::string& to,
                                   std::string_view text) {
  iconv_t converter = iconv_open(to.c_str(), from.c_str());
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out;
  std::array<char, 4096> buffer{};
  char* in = const_cast<char*>(text.data());
  std::size_t in_left = text.size();
  while (in_left > 0) {
    char* next = buffer.data();
    std::size_t out_left = buffer.size();
    std::size_t done = iconv(converter, &in, &in_left, &next, &out_left);
    out.append(buffer.data(), static_cast<std::size_t>(next - buffer.data()));
    if (done != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
    out += kReplacement;
    ++in;
    --in_left;
  }
  iconv_close(converter);
  return out;
}
#endif

}  // namespace

std::optional<CodePage> CodePage::Named(std::string_view name) {
  if (IsWindows1252(name) || IsUtf8(name)) return CodePage(std::string(name));
#ifdef TAVIK_HAS_ICONV
  iconv_t converter = iconv_open("UTF-8", std::string(name).c_str());
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  iconv_close(converter);
  return CodePage(std::string(name));
#else
  return std::nullopt;
#endif
}

std::string CodePage::ToUtf8(std::string_view text) const {
  if (IsWindows1252(name_)) return brenlo::Windows1252ToUtf8(text);
#ifdef TAVIK_HAS_ICONV
  if (auto converted = Convert(name_, "UTF-8", text)) return *converted;
#endif
  return std::string(text);
}

std::string_view CodePage::OfCharset(int charset) {
  static constexpr std::array<std::pair<int, std::string_view>, 13> kPages{{{128, "CP932"},
                                                                            {129, "CP949"},
                                                                            {134, "GBK"},
                                                                            {136, "BIG5"},
                                                                            {161, "CP1253"},
                                                                            {162, "CP1254"},
                                                                            {163, "CP1258"},
                                                                            {177, "CP1255"},
                                                                            {178, "CP1256"},
                                                                            {186, "CP1257"},
                                                                            {204, "CP1251"},
                                                                            {222, "CP874"},
                                                                            {238, "CP1250"}}};
  for (const auto& [known, page] : kPages) {
    if (known == charset) return page;
  }
  return {};
}

}  // namespace tavik::cli
