// Property lines and procedure blocks of the form file.
#include "form/form_text.h"

#include "form/event_desc.h"
#include "form/vb_fragment.h"
#include "model/nx_property.h"

namespace tavik {

void FormText::PropertyLine(std::string& text, int depth, const CNxProperty& property) {
  // Appended piece by piece: this runs once per property of every control, and formatting
  // through a pattern costs more than all the rest of writing the form.
  constexpr std::size_t kNameWidth = 20;
  Tabs(text, depth);
  const std::string& name = property.GetName();
  text += name;
  if (name.size() < kNameWidth) text.append(kNameWidth - name.size(), ' ');
  text += "=    ";
  if (!property.GetValue().IsString()) {
    property.AppendText(text);
  } else {
    text += '"';
    const std::size_t start = text.size();
    property.AppendText(text);
    // Visual Basic reads a doubled quote inside the value as one.
    if (text.find('"', start) != std::string::npos) {
      text.replace(start, std::string::npos, VbStringText(std::string_view(text).substr(start)));
    }
    text += '"';
  }
  text += "\r\n";
}

void FormText::EventBlock(std::string& text, std::initializer_list<std::string_view> header,
                          const CEventDesc& event, const BlockComments& comments) {
  for (std::string_view piece : header) text += piece;
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
  text += "End Sub\r\n\r\n";
}

}  // namespace tavik
