// Conversion between UTF-8 and the Windows-1252 code page that form files are written in.
#include "text/windows1252.h"

#include <fmt/format.h>

#include <array>
#include <cstdint>
#include <cstring>

namespace tavik::text {
namespace {

// The characters of bytes 0x80 to 0x9F, where Windows-1252 departs from Latin-1.
// Zero marks the five bytes the code page leaves undefined.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,       // 0x88
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,  // 0x98
};

constexpr char32_t kReplacement = 0xFFFD;

// One character read from UTF-8; a length of zero marks an invalid sequence.
struct Decoded {
  char32_t code_point = 0;
  std::size_t length = 0;
};

std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

// Strict decoding: overlong forms, surrogates and values past U+10FFFF are invalid.
Decoded DecodeAt(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  const std::size_t length = SequenceLength(lead);
  if (length == 0 || at + length > text.size()) return {};
  if (length == 1) return {lead, 1};
  char32_t code_point = lead & (0x7Fu >> length);
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) return {};
    code_point = (code_point << 6) | (next & 0x3Fu);
  }
  constexpr std::array<char32_t, 5> kSmallest = {0, 0, 0x80, 0x800, 0x10000};
  if (code_point < kSmallest[length] || code_point > 0x10FFFF) return {};
  if (code_point >= 0xD800 && code_point <= 0xDFFF) return {};
  return {code_point, length};
}

// The Windows-1252 byte of a character, or nullopt when the code page lacks it.
std::optional<char> ToByte(char32_t code_point) {
  if (code_point < 0x80 || (code_point >= 0xA0 && code_point <= 0xFF)) {
    return static_cast<char>(code_point);
  }
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] != 0 && kHighControls[i] == code_point) {
      return static_cast<char>(0x80 + i);
    }
  }
  return std::nullopt;
}

void AppendUtf8(std::string& out, char32_t code_point) {
  if (code_point < 0x80) {
    out += static_cast<char>(code_point);
  } else if (code_point < 0x800) {
    out += static_cast<char>(0xC0 | (code_point >> 6));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code_point >> 12));
    out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  }
}

char32_t FromByte(unsigned char byte) {
  if (byte < 0x80 || byte >= 0xA0) return byte;
  const char32_t mapped = kHighControls[byte - 0x80u];
  return mapped == 0 ? kReplacement : mapped;
}

// Echoing a control or line-separator character into a message would garble it.
bool Printable(char32_t code_point) {
  return code_point >= 0xA0 && code_point != 0x2028 && code_point != 0x2029;
}

std::string DescribeMissing(std::string_view text, Decoded decoded, std::size_t at) {
  const auto code = static_cast<std::uint32_t>(decoded.code_point);
  if (!Printable(decoded.code_point)) {
    return fmt::format("the character U+{:04X} is not in Windows-1252", code);
  }
  return fmt::format("the character \"{}\" (U+{:04X}) is not in Windows-1252",
                     text.substr(at, decoded.length), code);
}

std::string DescribeControl(char32_t code_point) {
  switch (code_point) {
    case U'\r':
      return "a carriage return is not allowed";
    case U'\n':
      return "a line feed is not allowed";
    case U'\0':
      return "a NUL character is not allowed";
    default:
      return {};
  }
}

// Most model text is ASCII without control line breaks; it needs no decoding at all.
bool IsAscii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// Whether any byte of the word is a control character or not ASCII. A borrow of the
// subtraction can only mark a byte above one that is below 0x20 itself, so the answer for
// the word as a whole is exact.
template <typename Word>
bool HasNonPrintable(Word word) {
  constexpr Word kEachByte = static_cast<Word>(~Word{0}) / 0xFF;
  const Word high = word & (kEachByte * 0x80);
  const Word below_space = (word - kEachByte * 0x20) & ~word & (kEachByte * 0x80);
  return (high | below_space) != 0;
}

template <typename Word>
Word WordAt(std::string_view text, std::size_t at) {
  Word word = 0;
  std::memcpy(&word, text.data() + at, sizeof word);
  return word;
}

// Printable ASCII, eight bytes at a time: nearly every model text, and all of its names. The
// last word of a text, or the four bytes at each end of a short one, overlaps the bytes
// before it rather than leaving a tail to be read byte by byte.
bool IsPrintableAscii(std::string_view text) {
  const std::size_t size = text.size();
  if (size >= sizeof(std::uint64_t)) {
    for (std::size_t at = 0; at + sizeof(std::uint64_t) <= size; at += sizeof(std::uint64_t)) {
      if (HasNonPrintable(WordAt<std::uint64_t>(text, at))) return false;
    }
    return size % sizeof(std::uint64_t) == 0 ||
           !HasNonPrintable(WordAt<std::uint64_t>(text, size - sizeof(std::uint64_t)));
  }
  if (size >= sizeof(std::uint32_t)) {
    return !HasNonPrintable(WordAt<std::uint32_t>(text, 0)) &&
           !HasNonPrintable(WordAt<std::uint32_t>(text, size - sizeof(std::uint32_t)));
  }
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte >= 0x80) return false;
  }
  return true;
}

// A tab or another control character, rare in a model, is allowed; only the line breaks
// and NUL are not.
bool IsPlainAscii(std::string_view text) {
  if (IsPrintableAscii(text)) return true;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80 || byte == '\r' || byte == '\n' || byte == 0) return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> Utf8ToWindows1252(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    const Decoded decoded = DecodeAt(utf8, at);
    if (decoded.length == 0) return std::nullopt;
    const std::optional<char> byte = ToByte(decoded.code_point);
    if (!byte) return std::nullopt;
    out += *byte;
    at += decoded.length;
  }
  return out;
}

std::string Windows1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char byte : text) AppendUtf8(out, FromByte(static_cast<unsigned char>(byte)));
  return out;
}

bool IsPlainFormText(std::string_view utf8) {
  return utf8.size() <= kMaxFormTextLength && IsPlainAscii(utf8);
}

std::string FormTextFault(std::string_view utf8) {
  if (IsPlainFormText(utf8)) return {};
  std::size_t characters = 0;
  for (std::size_t at = 0; at < utf8.size(); ++characters) {
    const Decoded decoded = DecodeAt(utf8, at);
    if (decoded.length == 0) {
      return fmt::format("the text is not valid UTF-8 (byte 0x{:02X} at offset {})",
                         static_cast<unsigned char>(utf8[at]), at);
    }
    if (std::string control = DescribeControl(decoded.code_point); !control.empty()) {
      return control;
    }
    if (!ToByte(decoded.code_point)) return DescribeMissing(utf8, decoded, at);
    at += decoded.length;
  }
  if (characters > kMaxFormTextLength) {
    return fmt::format("the text is {} characters long; a form line holds at most {}", characters,
                       kMaxFormTextLength);
  }
  return {};
}

char PlainLetter(char windows1252) {
  const auto byte = static_cast<unsigned char>(windows1252);
  if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z')) return windows1252;
  // From 0xC0 up, a row per plain letter; '\0' where the code page has no such letter
  // (the multiplication and division signs, the ligatures and the Icelandic letters).
  static constexpr std::string_view kFromC0 =
      "AAAAAA\0CEEEEIIII\0NOOOOO\0OUUUUY\0\0"
      "aaaaaa\0ceeeeiiii\0nooooo\0ouuuuy\0y";
  if (byte >= 0xC0) return kFromC0[byte - 0xC0];
  switch (byte) {
    case 0x8A:
      return 'S';  // S caron
    case 0x8E:
      return 'Z';  // Z caron
    case 0x9A:
      return 's';
    case 0x9E:
      return 'z';
    case 0x9F:
      return 'Y';  // Y diaeresis
    default:
      return '\0';
  }
}

}  // namespace tavik::text
