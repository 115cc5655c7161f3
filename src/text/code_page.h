// The code page form files are read in, and the conversion of their text to and from UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavik::text {

class CodePage {
 public:
  static constexpr std::string_view kDefault = "WINDOWS-1252";

  // The code page of that name (any name the system's converter knows), or nothing.
  static std::optional<CodePage> Named(std::string_view name);
  static CodePage Utf8() { return CodePage("UTF-8"); }
  static CodePage Windows1252() { return CodePage(std::string(kDefault)); }

  const std::string& Name() const { return name_; }
  // The text in UTF-8; a byte that is no character of the code page becomes U+FFFD.
  std::string ToUtf8(std::string_view text) const;

  // The letters upper-cased as names in this code page compare (file names, form and
  // control names): ASCII letters in every code page; the accented letters of Windows-1252
  // and the Cyrillic letters of Windows-1251 too. The second byte of a double-byte character
  // (which may look like an ASCII letter) is never touched.
  std::string Folded(std::string_view text) const;
  bool SameName(std::string_view a, std::string_view b) const;
  // The longest start of the text of at most `length` bytes that ends between two
  // characters: a double-byte (or UTF-8) character is never cut in half.
  std::string_view Cut(std::string_view text, std::size_t length) const;
  // The start of a form file's name: the form name cut to 8 characters.
  static constexpr std::size_t kFileStemLength = 8;
  std::string_view FileStem(std::string_view form_name) const {
    return Cut(form_name, kFileStemLength);
  }

  // The code page a font's Charset names (134: "GBK", 204: "CP1251", ...); empty for the
  // Western and symbol sets and those not known.
  static std::string_view OfCharset(int charset);

 private:
  // How the bytes of a code page make characters and which of them are letters.
  enum class Kind { kWestern, kCyrillic, kShiftJis, kDoubleByte, kUtf8, kOther };

  explicit CodePage(std::string name);
  // The bytes of the character that starts at `at`: 1, or 2 for a double-byte character,
  // or up to 4 in UTF-8.
  std::size_t CharacterLength(std::string_view text, std::size_t at) const;

  std::string name_;
  Kind kind_;
};

}  // namespace tavik::text
