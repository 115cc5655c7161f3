// Procedure blocks of the form file.
#include "form/form_text.h"

#include <optional>
#include <string>

#include "form/event_desc.h"
#include "formfile/block_printer.h"

namespace tavik {

void FormText::EventBlock(formfile::BlockPrinter& printer,
                          std::initializer_list<std::string_view> name_pieces,
                          const CEventDesc& event, const BlockComments& comments) {
  printer.OpenProcedure(name_pieces);
  std::string& text = printer.text();
  text += "(";
  event.AppendParameters(text);
  text += ")\r\n";
  if (const std::optional<std::string_view> declarations = event.GetDeclarations()) {
    text += comments.declarations;
    text += *declarations;
    text += "\r\n";
  }
  // Joined straight into the text: a procedure's code is not kept a second time.
  if (event.GetSubEventCount() > 0) {
    text += comments.code;
    event.AppendEventCode(text);
  }
  printer.CloseProcedure();
  text += "\r\n";
}

}  // namespace tavik
