// Generated Visual Basic text: lines of so many tabs and a fixed fragment, ended once.
#pragma once

#include <string>
#include <string_view>

namespace tavik {

class CodeText {
 public:
  // tabs tab characters, the text, then carriage return and line feed.
  CodeText& Line(int tabs, std::string_view text) {
    text_.append(static_cast<std::size_t>(tabs), '\t');
    text_.append(text);
    text_.append("\r\n");
    return *this;
  }
  CodeText& Line(std::string_view text) { return Line(0, text); }
  CodeText& Blank() { return Line(0, ""); }
  // Text that already carries its own line breaks, or none.
  CodeText& Raw(std::string_view text) {
    text_.append(text);
    return *this;
  }

  const std::string& str() const { return text_; }
  bool empty() const { return text_.empty(); }
  std::string Take() { return std::move(text_); }

 private:
  std::string text_;
};

}  // namespace tavik
