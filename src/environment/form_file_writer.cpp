// The form block of a running form as form-file text.
#include "environment/form_file_writer.h"

#include <fmt/format.h>

#include <algorithm>
#include <iterator>
#include <unordered_set>

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
// Visual Basic's own, which a form read from one of its files is written back in.
constexpr Layout kVisualBasicLayout{"   ", 16, "=   ", true};

// A form read from a file of Visual Basic 4 on, or indented as Visual Basic indents.
bool IsVisualBasicFile(const RunningForm& form) {
  const std::string& version = form.FileVersion();
  return (!version.empty() && version[0] >= '4' && version[0] <= '9') || form.Indent() != "\t";
}

class BlockWriter {
 public:
  BlockWriter(std::string& text, const Layout& layout) : text_(text), layout_(layout) {}

  void Indent(std::size_t depth) {
    for (std::size_t i = 0; i < depth; ++i) text_ += layout_.indent;
  }

  // The properties, with the groups of a Visual Basic file reopened around their members;
  // a group without members stands where it was read.
  void Properties(std::size_t depth, const PropertyList& properties,
                  const std::vector<PropertyGroup>& groups) {
    std::vector<std::string_view> open;  // the paths of the groups open, outermost first
    std::vector<const PropertyGroup*> empty =
        layout_.groups ? EmptyGroups(properties, groups) : std::vector<const PropertyGroup*>();
    auto next_empty = empty.begin();
    for (std::size_t index = 0; index <= properties.size(); ++index) {
      for (; next_empty != empty.end() && (*next_empty)->position <= index; ++next_empty) {
        Regroup(depth, (*next_empty)->path, groups, open, /*opens_itself=*/true);
      }
      if (index == properties.size()) break;
      const FormProperty& property = properties[index];
      std::string_view name = property.name;
      if (layout_.groups) name = Regroup(depth, property.name, groups, open);
      Indent(depth + open.size());
      const char* quote = property.kind == PropertyKind::kString ? "\"" : "";
      fmt::format_to(std::back_inserter(text_), "{:<{}}{}{}{}{}{}\r\n", name, layout_.name_width,
                     layout_.equals, quote, property.text, quote, property.comment);
    }
    CloseGroups(depth, open, 0);
  }

  void Control(std::size_t depth, const RunningControl& control) {
    Indent(depth);
    fmt::format_to(std::back_inserter(text_), "Begin {} {}{}\r\n", control.class_name, control.name,
                   control.after_name);
    Properties(depth + 1, control.properties, control.groups);
    for (const auto& child : control.children) Control(depth + 1, *child);
    Indent(depth);
    text_ += "End\r\n";
  }

 private:
  // The groups no property is a member of, in the order of their places.
  static std::vector<const PropertyGroup*> EmptyGroups(const PropertyList& properties,
                                                       const std::vector<PropertyGroup>& groups) {
    std::unordered_set<std::string_view> filled;
    for (const FormProperty& property : properties) {
      std::string_view name = property.name;
      for (auto dot = name.rfind('.'); dot != std::string_view::npos; dot = name.rfind('.')) {
        name = name.substr(0, dot);
        if (!filled.insert(name).second) break;
      }
    }
    std::vector<const PropertyGroup*> empty;
    for (const PropertyGroup& group : groups) {
      if (!filled.contains(group.path)) empty.push_back(&group);
    }
    std::stable_sort(empty.begin(), empty.end(),
                     [](const auto* a, const auto* b) { return a->position < b->position; });
    return empty;
  }

  // Closes the groups the property is not in, opens those it is in, and gives its name
  // within the innermost. The name of a group that opens itself is a group's path, which
  // is opened too.
  std::string_view Regroup(std::size_t depth, std::string_view name,
                           const std::vector<PropertyGroup>& groups,
                           std::vector<std::string_view>& open, bool opens_itself = false) {
    std::size_t kept = 0;
    while (kept < open.size() && name.size() > open[kept].size() && name.starts_with(open[kept]) &&
           name[open[kept].size()] == '.') {
      ++kept;
    }
    CloseGroups(depth, open, kept);
    std::size_t start = kept == 0 ? 0 : open.back().size() + 1;
    for (auto dot = name.find('.', start); dot != std::string_view::npos || opens_itself;
         dot = name.find('.', start)) {
      if (dot == std::string_view::npos) {
        dot = name.size();
        opens_itself = false;
      }
      std::string_view path = name.substr(0, dot);
      Indent(depth + open.size());
      fmt::format_to(std::back_inserter(text_), "BeginProperty {}", path.substr(start));
      auto read = std::find_if(groups.begin(), groups.end(),
                               [&](const PropertyGroup& group) { return group.path == path; });
      if (read != groups.end()) text_ += read->after_name;
      text_ += "\r\n";
      open.push_back(path);
      start = std::min(dot + 1, name.size());
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

// The generator's own layout, which forms it wrote and live forms are saved in.
std::string GeneratorText(const RunningForm& form) {
  std::string text = "VERSION 2.00\r\n";
  fmt::format_to(std::back_inserter(text), "Begin {} {}\r\n\tCaption = \"{}\"\r\n",
                 form.FormClass(), form.Name(), form.Caption());
  BlockWriter writer(text, kGeneratorLayout);
  writer.Properties(1, form.Properties(), form.Groups());
  for (const auto& control : form.Controls()) writer.Control(1, *control);
  text += "End\r\n";
  text += form.Code();
  return text;
}

// Visual Basic's layout, of any version: the form as its file was written.
std::string VisualBasicText(const RunningForm& form) {
  std::string text(form.HasUtf8Mark() ? kUtf8Mark : "");
  fmt::format_to(std::back_inserter(text), "VERSION {}\r\n", form.FileVersion());
  for (const std::string& reference : form.ObjectReferences()) text += reference + "\r\n";
  fmt::format_to(std::back_inserter(text), "Begin {} {}{}\r\n", form.FormClass(), form.Name(),
                 form.AfterName());
  BlockWriter writer(text, kVisualBasicLayout);
  writer.Properties(1, form.Properties(), form.Groups());
  for (const auto& control : form.Controls()) writer.Control(1, *control);
  text += "End\r\n";
  for (const std::string& attribute : form.Attributes()) text += attribute + "\r\n";
  text += form.Code();
  return text;
}

}  // namespace

std::string FormFileWriter::Text(const RunningForm& form) {
  return IsVisualBasicFile(form) ? VisualBasicText(form) : GeneratorText(form);
}

Status FormFileWriter::Save(const RunningForm& form, const std::string& path) {
  return WriteFileAtomically(path, Text(form));
}

}  // namespace tavik::environment
