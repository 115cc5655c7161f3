// The procedure blocks of the form file, which the form and every control write alike.
#pragma once

#include <initializer_list>
#include <string_view>

namespace tavik {

class CEventDesc;
namespace formfile {
class BlockPrinter;
}

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

  // "Sub " + the name's pieces + "(" + parameters + ")", declarations, the joined code,
  // "End Sub" and a blank line.
  static void EventBlock(formfile::BlockPrinter& printer,
                         std::initializer_list<std::string_view> name_pieces,
                         const CEventDesc& event, const BlockComments& comments);
};

}  // namespace tavik
