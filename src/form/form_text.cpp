// Property lines and procedure blocks of the form file.
#include "form/form_text.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "form/event_desc.h"
#include "form/vb_fragment.h"
#include "model/nx_property.h"

namespace tavik {

namespace {
constexpr std::size_t kNameWidth = 20;
constexpr std::size_t kFastDepth = 16;
constexpr std::size_t kFastNameSize = 32;
constexpr std::string_view kTabs = "\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t";
constexpr std::string_view kBlanks = "                                ";
constexpr std::string_view kEquals = "=    ";
static_assert(kTabs.size() == kFastDepth && kBlanks.size() == kFastNameSize);

// depth tabs, the name padded to kNameWidth and "=    ", at at, which has room for
// kFastDepth tabs, kFastNameSize bytes of name and the rest; returns the end.
char* WriteHead(char* at, std::size_t tabs, const std::string& name) {
  std::memcpy(at, kTabs.data(), kFastDepth);
  at += tabs;
  std::memcpy(at, kBlanks.data(), kFastNameSize);
  std::memcpy(at, name.data(), name.size());
  at += std::max(name.size(), kNameWidth);
  std::memcpy(at, kEquals.data(), kEquals.size());
  return at + kEquals.size();
}

void AppendHead(std::string& text, std::size_t tabs, const std::string& name) {
  text.append(tabs, '\t');
  text += name;
  if (name.size() < kNameWidth) text.append(kNameWidth - name.size(), ' ');
  text += kEquals;
}

void AppendStringValue(std::string& text, const std::string& value) {
  text += '"';
  // Visual Basic reads a doubled quote inside the value as one.
  if (value.find('"') == std::string::npos) {
    text += value;
  } else {
    text += VbStringText(value);
  }
  text += "\"\r\n";
}
}  // namespace

// Made piece by piece: this runs once per property of every control, and formatting through
// a pattern costs more than all the rest of writing the form. A line of the usual depth and
// name is made in a buffer by copies of fixed size, a number line appended in one piece.
void FormText::PropertyLine(std::string& text, int depth, const CNxProperty& property) {
  const auto tabs = static_cast<std::size_t>(depth);
  const std::string& name = property.GetName();
  const Value& value = property.GetValue();
  if (tabs > kFastDepth || name.size() > kFastNameSize) {
    AppendHead(text, tabs, name);
    if (value.IsString()) {
      AppendStringValue(text, value.AsString());
      return;
    }
    property.AppendText(text);
    text += "\r\n";
    return;
  }
  std::array<char, kFastDepth + kFastNameSize + 8 + Value::kNumberTextRoom> line;
  char* at = WriteHead(line.data(), tabs, name);
  if (value.IsString()) {
    text.append(line.data(), at);
    AppendStringValue(text, value.AsString());
    return;
  }
  // The property writes what its type lets it: numbers and truth values.
  at = value.WriteNumberText(at);
  *at++ = '\r';
  *at++ = '\n';
  text.append(line.data(), at);
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
