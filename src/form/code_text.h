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

  const std::string& str() const { return text_; }

 private:
  std::string text_;
};

}  // namespace tavik
