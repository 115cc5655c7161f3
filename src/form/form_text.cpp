// Property lines and procedure blocks of the form file.
#include "form/form_text.h"

#include <fmt/format.h>

#include <iterator>

#include "form/event_desc.h"
#include "model/nx_property.h"

namespace tavik {

void FormText::PropertyLine(std::string& text, int depth, const CNxProperty& property) {
  Tabs(text, depth);
  const char* quote = property.GetValue().IsString() ? "\"" : "";
  fmt::format_to(std::back_inserter(text), "{:<20}=    {}{}{}\r\n", property.GetName(), quote,
                 property.GetText(), quote);
}

void FormText::EventBlock(std::string& text, std::string_view header, CEventDesc& event,
                          const BlockComments& comments) {
  text += header;
  text += "(";
  if (event.GetParameters()) text += *event.GetParameters();
  text += ")\r\n";
  if (event.GetDeclarations()) {
    text += comments.declarations;
    text += *event.GetDeclarations();
    text += "\r\n";
  }
  event.PrepareEventCode();
  if (event.GetEventCode() && !event.GetEventCode()->empty()) {
    text += comments.code;
    text += *event.GetEventCode();
  }
  text += "End Sub\r\n\r\n";
}

}  // namespace tavik
