// The form block of a running form as form-file text.
#include "environment/form_file_writer.h"

#include <fmt/format.h>

#include <iterator>

#include "platform/file_output.h"

namespace tavik::environment {

namespace {

void Tabs(std::string& text, int depth) {
  text.append(static_cast<std::size_t>(depth), '\t');
}

// depth tabs, the name padded to 20 characters, "=    " and the value, strings in quotes.
void PropertyLines(std::string& text, int depth, const PropertyList& properties) {
  for (const FormProperty& property : properties) {
    Tabs(text, depth);
    const char* quote = property.kind == PropertyKind::kString ? "\"" : "";
    fmt::format_to(std::back_inserter(text), "{:<20}=    {}{}{}\r\n", property.name, quote,
                   property.text, quote);
  }
}

void ControlBlock(std::string& text, int depth, const RunningControl& control) {
  Tabs(text, depth);
  fmt::format_to(std::back_inserter(text), "Begin {} {}\r\n", control.class_name, control.name);
  PropertyLines(text, depth + 1, control.properties);
  for (const auto& child : control.children) ControlBlock(text, depth + 1, *child);
  Tabs(text, depth);
  text += "End\r\n";
}

}  // namespace

std::string FormFileWriter::Text(const RunningForm& form) {
  std::string text = "VERSION 2.00\r\n";
  fmt::format_to(std::back_inserter(text), "Begin Form {}\r\n\tCaption = \"{}\"\r\n", form.Name(),
                 form.Caption());
  PropertyLines(text, 1, form.Properties());
  for (const auto& control : form.Controls()) ControlBlock(text, 1, *control);
  text += "End\r\n";
  text += form.Code();
  return text;
}

Status FormFileWriter::Save(const RunningForm& form, const std::string& path) {
  return WriteFileAtomically(path, Text(form));
}

}  // namespace tavik::environment
