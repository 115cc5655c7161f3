// The code page form files are read in, and the conversion of their text to and from UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavik::cli {

class CodePage {
 public:
  static constexpr std::string_view kDefault = "WINDOWS-1252";

  // The code page of that name (any name the system's converter knows), or nothing.
  static std::optional<CodePage> Named(std::string_view name);
  static CodePage Utf8() { return CodePage("UTF-8"); }

  const std::string& Name() const { return name_; }
  // The text in UTF-8; a byte that is no character of the code page becomes U+FFFD.
  std::string ToUtf8(std::string_view text) const;

  // The code page a font's Charset names (134: "GBK", 204: "CP1251", ...); empty for the
  // Western and symbol sets and those not known.
  static std::string_view OfCharset(int charset);

 private:
  explicit CodePage(std::string name) : name_(std::move(name)) {}
  std::string name_;
};

}  // namespace tavik::cli
