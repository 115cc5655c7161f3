// Converting form text between its code page and UTF-8, through iconv where there is one.
#include "text/code_page.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <initializer_list>
#include <utility>

#include "text/ascii_case.h"
#include "text/windows1252.h"

#if __has_include(<iconv.h>)
#include <iconv.h>
#define TAVIK_HAS_ICONV 1
#endif

namespace tavik::text {

namespace {

// Code-page names compare without case, '-' or '_': "cp-949" is "CP949".
std::string Plain(std::string_view name) {
  std::string plain;
  for (char c : name) {
    if (c != '-' && c != '_') plain += AsciiLower(c);
  }
  return plain;
}

bool IsOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
  const std::string plain = Plain(name);
  return std::ranges::any_of(names, [&](std::string_view known) { return plain == known; });
}

bool IsWindows1252(std::string_view name) {
  return IsOneOf(name, {"windows1252", "cp1252"});
}

bool IsUtf8(std::string_view name) {
  return IsOneOf(name, {"utf8"});
}

unsigned char Byte(std::string_view text, std::size_t at) {
  return static_cast<unsigned char>(text[at]);
}

// Upper case of a letter of Windows-1252 beyond ASCII: a grave to thorn, and the four
// letters whose capitals stand in 0x80-0x9F.
unsigned char WesternUpper(unsigned char byte) {
  if (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7) return static_cast<unsigned char>(byte - 0x20);
  switch (byte) {
    case 0x9A:
    case 0x9C:
    case 0x9E:
      return static_cast<unsigned char>(byte - 0x10);
    case 0xFF:
      return 0x9F;
    default:
      return byte;
  }
}

// Upper case of a Cyrillic letter of Windows-1251: a to ya, and yo.
unsigned char CyrillicUpper(unsigned char byte) {
  if (byte >= 0xE0) return static_cast<unsigned char>(byte - 0x20);
  return byte == 0xB8 ? 0xA8 : byte;
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

CodePage::CodePage(std::string name) : name_(std::move(name)), kind_(Kind::kOther) {
  if (IsWindows1252(name_) || IsOneOf(name_, {"iso88591", "latin1"})) {
    kind_ = Kind::kWestern;
  } else if (IsOneOf(name_, {"cp1251", "windows1251"})) {
    kind_ = Kind::kCyrillic;
  } else if (IsOneOf(name_, {"cp932", "shiftjis", "sjis", "windows31j", "ms932"})) {
    kind_ = Kind::kShiftJis;
  } else if (IsOneOf(name_, {"cp949", "uhc", "euckr", "cp936", "gbk", "gb2312", "euccn", "cp950",
                             "big5", "big5hkscs", "ms949", "ms936", "ms950"})) {
    kind_ = Kind::kDoubleByte;
  } else if (IsUtf8(name_)) {
    kind_ = Kind::kUtf8;
  }
}

std::size_t CodePage::CharacterLength(std::string_view text, std::size_t at) const {
  const unsigned char lead = Byte(text, at);
  std::size_t length = 1;
  if (kind_ == Kind::kShiftJis) {
    length = ((lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC)) ? 2 : 1;
  } else if (kind_ == Kind::kDoubleByte) {
    length = (lead >= 0x81 && lead <= 0xFE) ? 2 : 1;
  } else if (kind_ == Kind::kUtf8 && lead >= 0xC0) {
    length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
  }
  return std::min(length, text.size() - at);
}

std::string CodePage::Folded(std::string_view text) const {
  std::string folded(text);
  for (std::size_t at = 0; at < folded.size();) {
    const std::size_t length = CharacterLength(folded, at);
    if (length == 1) {
      unsigned char byte = Byte(folded, at);
      if (byte >= 'a' && byte <= 'z') byte = static_cast<unsigned char>(byte - 'a' + 'A');
      if (kind_ == Kind::kWestern) byte = WesternUpper(byte);
      if (kind_ == Kind::kCyrillic) byte = CyrillicUpper(byte);
      folded[at] = static_cast<char>(byte);
    }
    at += length;
  }
  return folded;
}

bool CodePage::SameName(std::string_view a, std::string_view b) const {
  return a.size() == b.size() && Folded(a) == Folded(b);
}

std::string_view CodePage::Cut(std::string_view text, std::size_t length) const {
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t next = end + CharacterLength(text, end);
    if (next > length) break;
    end = next;
  }
  return text.substr(0, end);
}

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
  // Plain ASCII reads the same in UTF-8 and in these code pages (not in every Shift-JIS
  // table, where the backslash is the yen sign), and most texts of a form are plain ASCII:
  // they are taken without naming the code page again or converting them.
  const bool ascii_compatible =
      kind_ == Kind::kWestern || kind_ == Kind::kCyrillic || kind_ == Kind::kUtf8;
  if (ascii_compatible &&
      std::ranges::all_of(text, [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
    return std::string(text);
  }
  if (IsWindows1252(name_)) return text::Windows1252ToUtf8(text);
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

}  // namespace tavik::text
