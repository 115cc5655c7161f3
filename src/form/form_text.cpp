// Procedure blocks of the form file.
#include "form/form_text.h"

#include "form/event_desc.h"
#include "formfile/block_printer.h"

namespace tavik {

void FormText::EventBlock(formfile::BlockPrinter& printer,
                          std::initializer_list<std::string_view> name_pieces,
                          const CEventDesc& event, const BlockComments& comments) {
  printer.OpenProcedure(name_pieces);
  std::string& text = printer.text();
  text += "(";
  if (event.GetParameters()) text += *event.GetParameters();
  text += ")\r\n";
  if (event.GetDeclarations()) {
    text += comments.declarations;
    text += *event.GetDeclarations();
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
