// The form block of a running form as form-file text.
#include "environment/form_file_writer.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "formfile/block_printer.h"
#include "formfile/written_forms.h"
#include "platform/file_output.h"

namespace tavik::environment {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// A form read from a file of Visual Basic 4 on, or indented as Visual Basic indents.
bool IsVisualBasicFile(const formfile::RunningForm& form) {
  const std::string& version = form.FileVersion();
  return (!version.empty() && version[0] >= '4' && version[0] <= '9') || form.Indent() != "\t";
}

// Writes a running form's blocks through the form-file printer; a Visual Basic file's
// property groups are reopened around their members.
class BlockWriter {
 public:
  BlockWriter(formfile::BlockPrinter& printer, bool groups) : printer_(printer), groups_(groups) {}

  // The properties, with the groups of a Visual Basic file reopened around their members;
  // a group without members stands where it was read.
  void Properties(const formfile::PropertyList& properties,
                  const std::vector<formfile::PropertyGroup>& groups) {
    std::vector<std::string_view> open;  // the paths of the groups open, outermost first
    std::vector<const formfile::PropertyGroup*> empty =
        groups_ ? EmptyGroups(properties, groups) : std::vector<const formfile::PropertyGroup*>();
    auto next_empty = empty.begin();
    for (std::size_t index = 0; index <= properties.size(); ++index) {
      for (; next_empty != empty.end() && (*next_empty)->position <= index; ++next_empty) {
        Regroup((*next_empty)->path, groups, open, /*opens_itself=*/true);
      }
      if (index == properties.size()) break;
      const formfile::FormProperty& property = properties[index];
      std::string_view name = property.name;
      if (groups_) name = Regroup(property.name, groups, open);
      printer_.Property(name, property.text, property.kind == formfile::PropertyKind::kString,
                        property.comment);
    }
    CloseGroups(open, 0);
  }

  void Control(const formfile::RunningControl& control) {
    printer_.Begin(control.class_name, control.name, control.after_name);
    Properties(control.properties, control.groups);
    for (const auto& child : control.children) Control(*child);
    printer_.End();
  }

 private:
  // The groups no property is a member of, in the order of their places.
  static std::vector<const formfile::PropertyGroup*> EmptyGroups(
      const formfile::PropertyList& properties,
      const std::vector<formfile::PropertyGroup>& groups) {
    std::unordered_set<std::string_view> filled;
    for (const formfile::FormProperty& property : properties) {
      std::string_view name = property.name;
      for (auto dot = name.rfind('.'); dot != std::string_view::npos; dot = name.rfind('.')) {
        name = name.substr(0, dot);
        if (!filled.insert(name).second) break;
      }
    }
    std::vector<const formfile::PropertyGroup*> empty;
    for (const formfile::PropertyGroup& group : groups) {
      if (!filled.contains(group.path)) empty.push_back(&group);
    }
    std::stable_sort(empty.begin(), empty.end(),
                     [](const auto* a, const auto* b) { return a->position < b->position; });
    return empty;
  }

  // Closes the groups the property is not in, opens those it is in, and gives its name
  // within the innermost. The name of a group that opens itself is a group's path, which
  // is opened too.
  std::string_view Regroup(std::string_view name,
                           const std::vector<formfile::PropertyGroup>& groups,
                           std::vector<std::string_view>& open, bool opens_itself = false) {
    std::size_t kept = 0;
    while (kept < open.size() && name.size() > open[kept].size() && name.starts_with(open[kept]) &&
           name[open[kept].size()] == '.') {
      ++kept;
    }
    CloseGroups(open, kept);
    std::size_t start = kept == 0 ? 0 : open.back().size() + 1;
    for (auto dot = name.find('.', start); dot != std::string_view::npos || opens_itself;
         dot = name.find('.', start)) {
      if (dot == std::string_view::npos) {
        dot = name.size();
        opens_itself = false;
      }
      std::string_view path = name.substr(0, dot);
      auto read =
          std::find_if(groups.begin(), groups.end(),
                       [&](const formfile::PropertyGroup& group) { return group.path == path; });
      printer_.BeginGroup(path.substr(start),
                          read != groups.end() ? std::string_view(read->after_name) : "");
      open.push_back(path);
      start = std::min(dot + 1, name.size());
    }
    return name.substr(start);
  }

  void CloseGroups(std::vector<std::string_view>& open, std::size_t keep) {
    while (open.size() > keep) {
      open.pop_back();
      printer_.EndGroup();
    }
  }

  formfile::BlockPrinter& printer_;
  bool groups_;
};

// The generator's own layout, which forms it wrote and live forms are saved in.
void GeneratorText(const formfile::RunningForm& form, formfile::BlockPrinter& printer) {
  printer.Version("2.00");
  printer.Begin(form.FormClass(), form.Name());
  printer.Caption(form.Caption());
  BlockWriter writer(printer, /*groups=*/false);
  writer.Properties(form.Properties(), form.Groups());
  for (const auto& control : form.Controls()) writer.Control(*control);
  printer.End();
  printer.Code(form.Code());
}

// Visual Basic's layout, of any version: the form as its file was written.
void VisualBasicText(const formfile::RunningForm& form, formfile::BlockPrinter& printer) {
  std::string& text = printer.text();
  if (form.HasUtf8Mark()) text += kUtf8Mark;
  printer.Version(form.FileVersion());
  for (const std::string& reference : form.ObjectReferences()) printer.Line(reference);
  printer.Begin(form.FormClass(), form.Name(), form.AfterName());
  BlockWriter writer(printer, /*groups=*/true);
  writer.Properties(form.Properties(), form.Groups());
  for (const auto& control : form.Controls()) writer.Control(*control);
  printer.End();
  for (const std::string& attribute : form.Attributes()) printer.Line(attribute);
  printer.Code(form.Code());
}

std::string Printed(const formfile::RunningForm& form, formfile::FormTally* tally) {
  std::string text;
  const bool visual_basic = IsVisualBasicFile(form);
  formfile::BlockPrinter printer(
      text, visual_basic ? formfile::kVisualBasicLayout : formfile::kGeneratorLayout);
  if (visual_basic) {
    VisualBasicText(form, printer);
  } else {
    GeneratorText(form, printer);
  }
  if (tally) *tally = printer.TakeTally();
  return text;
}

}  // namespace

std::string FormFileWriter::Text(const formfile::RunningForm& form) {
  return Printed(form, nullptr);
}

// The listeners hear of the form once it is in its file.
Status FormFileWriter::Save(const formfile::RunningForm& form, const std::string& path) {
  formfile::FormTally tally;
  const Status status = WriteFileAtomically(path, Printed(form, &tally));
  if (status == kOk) formfile::WrittenForms::Report(path, std::move(tally));
  return status;
}

}  // namespace tavik::environment
