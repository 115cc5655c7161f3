// The form block of a running form as form-file text.
#include "environment/form_file_writer.h"

#include <fmt/format.h>

#include <iterator>

#include "platform/file_output.h"

namespace tavik::environment {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// How one layout indents and lines up a level of the form block.
struct Layout {
  std::string_view indent;  // one level
  std::size_t name_width;   // property names are padded to it
  std::string_view equals;  // between the padded name and the value
  bool groups;              // "Group.member" properties written as property groups
};

// The generator's: tabs, and every property on its own line.
constexpr Layout kGeneratorLayout{"\t", 20, "=    ", false};
// Visual Basic's from version 4 on, which a form read from such a file is written back in.
constexpr Layout kLaterLayout{"   ", 16, "=   ", true};

bool IsLaterFile(const RunningForm& form) {
  const std::string& version = form.FileVersion();
  return !version.empty() && version[0] >= '4' && version[0] <= '9';
}

class BlockWriter {
 public:
  BlockWriter(std::string& text, const Layout& layout) : text_(text), layout_(layout) {}

  void Indent(std::size_t depth) {
    for (std::size_t i = 0; i < depth; ++i) text_ += layout_.indent;
  }

  // The properties, the groups of a later file reopened around their members, then the
  // notes as comment lines.
  void Properties(std::size_t depth, const PropertyList& properties,
                  const std::vector<PropertyGroup>& groups, const std::vector<std::string>& notes) {
    std::vector<std::string_view> open;  // the paths of the groups open, outermost first
    for (const FormProperty& property : properties) {
      std::string_view name = property.name;
      if (layout_.groups) name = Regroup(depth, property.name, groups, open);
      Indent(depth + open.size());
      const char* quote = property.kind == PropertyKind::kString ? "\"" : "";
      fmt::format_to(std::back_inserter(text_), "{:<{}}{}{}{}{}\r\n", name, layout_.name_width,
                     layout_.equals, quote, property.text, quote);
    }
    CloseGroups(depth, open, 0);
    for (const std::string& note : notes) {
      Indent(depth);
      fmt::format_to(std::back_inserter(text_), "' {}\r\n", note);
    }
  }

  void Control(std::size_t depth, const RunningControl& control) {
    Indent(depth);
    fmt::format_to(std::back_inserter(text_), "Begin {} {}\r\n", control.class_name, control.name);
    Properties(depth + 1, control.properties, control.groups, control.notes);
    for (const auto& child : control.children) Control(depth + 1, *child);
    Indent(depth);
    text_ += "End\r\n";
  }

 private:
  // Closes the groups the property is not in, opens those it is in, and gives its name
  // within the innermost.
  std::string_view Regroup(std::size_t depth, std::string_view name,
                           const std::vector<PropertyGroup>& groups,
                           std::vector<std::string_view>& open) {
    std::size_t kept = 0;
    while (kept < open.size() && name.size() > open[kept].size() && name.starts_with(open[kept]) &&
           name[open[kept].size()] == '.') {
      ++kept;
    }
    CloseGroups(depth, open, kept);
    std::size_t start = kept == 0 ? 0 : open.back().size() + 1;
    for (auto dot = name.find('.', start); dot != std::string_view::npos;
         dot = name.find('.', start)) {
      std::string_view path = name.substr(0, dot);
      Indent(depth + open.size());
      fmt::format_to(std::back_inserter(text_), "BeginProperty {}", path.substr(start));
      for (const PropertyGroup& group : groups) {
        if (group.path == path && !group.identifier.empty()) text_ += " " + group.identifier;
      }
      text_ += "\r\n";
      open.push_back(path);
      start = dot + 1;
    }
    return name.substr(start);
  }

  void CloseGroups(std::size_t depth, std::vector<std::string_view>& open, std::size_t keep) {
    while (open.size() > keep) {
      open.pop_back();
      Indent(depth + open.size());
      text_ += "EndProperty\r\n";
    }
  }

  std::string& text_;
  const Layout& layout_;
};

std::string GeneratorText(const RunningForm& form) {
  std::string text = "VERSION 2.00\r\n";
  fmt::format_to(std::back_inserter(text), "Begin Form {}\r\n\tCaption = \"{}\"\r\n", form.Name(),
                 form.Caption());
  BlockWriter writer(text, kGeneratorLayout);
  writer.Properties(1, form.Properties(), form.Groups(), form.Notes());
  for (const auto& control : form.Controls()) writer.Control(1, *control);
  text += "End\r\n";
  text += form.Code();
  return text;
}

std::string LaterText(const RunningForm& form) {
  std::string text(form.HasUtf8Mark() ? kUtf8Mark : "");
  fmt::format_to(std::back_inserter(text), "VERSION {}\r\n", form.FileVersion());
  for (const std::string& reference : form.ObjectReferences()) text += reference + "\r\n";
  fmt::format_to(std::back_inserter(text), "Begin {} {}\r\n", form.FormClass(), form.Name());
  BlockWriter writer(text, kLaterLayout);
  writer.Properties(1, form.Properties(), form.Groups(), form.Notes());
  for (const auto& control : form.Controls()) writer.Control(1, *control);
  text += "End\r\n";
  for (const std::string& attribute : form.Attributes()) text += attribute + "\r\n";
  text += form.Code();
  return text;
}

}  // namespace

std::string FormFileWriter::Text(const RunningForm& form) {
  return IsLaterFile(form) ? LaterText(form) : GeneratorText(form);
}

Status FormFileWriter::Save(const RunningForm& form, const std::string& path) {
  return WriteFileAtomically(path, Text(form));
}

}  // namespace tavik::environment
