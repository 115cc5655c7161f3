// The pieces of form-file text that the form and every control write alike.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace tavik {

class CEventDesc;
class CNxProperty;

class FormText {
 public:
  struct BlockComments {
    std::string_view declarations;
    std::string_view code;
  };
  // Form events end their comment lines with a blank; procedures and controls do not.
  static constexpr BlockComments kFormEventComments{"' Tavik Generated Declarations \r\n",
                                                    "' Tavik Generated Code Section \r\n"};
  static constexpr BlockComments kProcedureComments{"'Tavik Generated Declarations\r\n",
                                                    "'Tavik Generated Code Section\r\n"};
  static constexpr BlockComments kControlEventComments{"' Tavik Generated Declarations\r\n",
                                                       "' Tavik Generated Code Section\r\n"};

  static void Tabs(std::string& text, int depth) {
    text.append(static_cast<std::size_t>(depth), '\t');
  }
  // depth tabs, "End" and a line break: the close of a control or form block.
  static void EndLine(std::string& text, int depth) {
    Tabs(text, depth);
    text += "End\r\n";
  }
  // depth tabs, the name padded to 20, "=    " and the value (strings in double quotes).
  static void PropertyLine(std::string& text, int depth, const CNxProperty& property);
  // The header's pieces + "(" + parameters + ")", declarations, the joined code, "End Sub"
  // and a blank line.
  static void EventBlock(std::string& text, std::initializer_list<std::string_view> header,
                         const CEventDesc& event, const BlockComments& comments);
};

}  // namespace tavik
