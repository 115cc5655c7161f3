// Giving a regenerated form back what its source form had and the library could not carry.
#include "environment/regenerated_form.h"

#include <fmt/format.h>

#include <filesystem>
#include <functional>
#include <map>
#include <unordered_map>
#include <unordered_set>

#include "environment/form_code.h"
#include "text/ascii_case.h"

namespace tavik::environment {

namespace {

// A control is known by its name and, in a control array, its Index.
std::string ControlKey(const formfile::RunningControl& control) {
  const formfile::FormProperty* index = formfile::FindProperty(control.properties, "Index");
  return text::AsciiLowered(control.name) + "(" + (index ? index->text.str() : "") + ")";
}

// Is the regenerated value the one the source had, as the library holds it?
bool SameValue(const formfile::FormProperty& source, const formfile::FormProperty& regenerated) {
  std::optional<TVK_VARIANT> variant = formfile::PropertyToVariant(source);
  if (!variant) return false;
  formfile::FormProperty held = formfile::PropertyFromVariant(source.name, *variant);
  return held.kind == regenerated.kind && held.text == regenerated.text;
}

// Where a resource value names its file: "X.frx":0302, X.FRX:0302, $"X.frx":0302.
struct FileSpan {
  std::size_t start;
  std::size_t length;
};

FileSpan ResourceFileSpan(std::string_view text) {
  std::size_t start = text.starts_with('$') ? 1 : 0;
  if (text.substr(start).starts_with('"')) {
    ++start;
    auto close = text.find('"', start);
    return {start, (close == std::string_view::npos ? text.size() : close) - start};
  }
  auto colon = text.rfind(':');
  return {start, (colon == std::string_view::npos ? text.size() : colon) - start};
}

std::string_view ResourceFile(std::string_view text) {
  FileSpan span = ResourceFileSpan(text);
  return text.substr(span.start, span.length);
}

void ForEachResource(const formfile::PropertyList& properties,
                     const std::function<void(const formfile::FormProperty&)>& visit) {
  for (const formfile::FormProperty& property : properties) {
    if (property.kind == formfile::PropertyKind::kResource) visit(property);
  }
}

class Restorer {
 public:
  Restorer(const formfile::RunningForm& source, const RegeneratedForm::Place& place,
           RegeneratedForm::Outcome& outcome)
      : place_(place), outcome_(outcome) {
    PlanResourceFiles(source);
  }

  formfile::PropertyList Properties(const formfile::PropertyList& source,
                                    const formfile::PropertyList& regenerated,
                                    std::string_view owner) {
    formfile::PropertyList restored;
    for (const formfile::FormProperty& property : source) {
      const formfile::FormProperty* given = formfile::FindProperty(regenerated, property.name);
      if (given && !SameValue(property, *given)) {
        outcome_.changes.push_back(fmt::format("{}.{}: {} became {}", owner, property.name,
                                               Shown(property), Shown(*given)));
        restored.push_back(*given);
      } else {
        restored.push_back(property);
        if (property.kind == formfile::PropertyKind::kResource) PointAtCopy(restored.back());
      }
    }
    // What the library added; a name it was given only because every control has one is not
    // written where the source had none (later files name a control on its Begin line).
    for (const formfile::FormProperty& property : regenerated) {
      if (formfile::FindProperty(source, property.name) ||
          formfile::SameName(property.name, "Name"))
        continue;
      outcome_.changes.push_back(
          fmt::format("{}.{} = {} was added", owner, property.name, Shown(property)));
      restored.push_back(property);
    }
    return restored;
  }

  // One line for each ".frx" file that is not beside the source form.
  void ReportMissingFiles() {
    for (const auto& [file, references] : missing_) {
      outcome_.changes.push_back(
          fmt::format("{} is not beside the form; its {} value{} kept as written", file, references,
                      references == 1 ? " is" : "s are"));
    }
  }

 private:
  static std::string Shown(const formfile::FormProperty& property) {
    return property.kind == formfile::PropertyKind::kString ? "\"" + property.text.str() + "\""
                                                            : property.text.str();
  }

  // Each file the values name, found beside the source; a form that names one file alone
  // (its own ".frx") has it copied under the new form's name, other files keep theirs.
  void PlanResourceFiles(const formfile::RunningForm& source) {
    std::vector<std::string> files;
    std::unordered_set<std::string> seen;
    auto note = [&](const formfile::FormProperty& property) {
      std::string_view file = ResourceFile(property.text);
      if (seen.insert(place_.page.Folded(file)).second) files.emplace_back(file);
    };
    ForEachResource(source.Properties(), note);
    source.ForEachControl(
        [&](formfile::RunningControl& control) { ForEachResource(control.properties, note); });
    for (const std::string& file : files) {
      std::string found = Beside(file);
      if (found.empty()) continue;
      std::string copy_name = file;
      if (files.size() == 1) {
        auto dot = file.rfind('.');
        copy_name = place_.file_stem + (dot == std::string::npos ? ".frx" : file.substr(dot));
      }
      copies_.emplace(place_.page.Folded(file), copy_name);
      outcome_.copies.push_back({found, copy_name});
    }
  }

  // The path of the file beside the source form whose name is that one as Visual Basic
  // compares names (without regard to case, in the form's code page); empty when none is.
  std::string Beside(const std::string& file) const {
    std::error_code ignored;
    std::filesystem::path folder(place_.source_folder.empty() ? "." : place_.source_folder);
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored)) {
      if (entry.is_regular_file(ignored) &&
          place_.page.SameName(entry.path().filename().string(), file)) {
        return entry.path().string();
      }
    }
    return {};
  }

  void PointAtCopy(formfile::FormProperty& property) {
    FileSpan span = ResourceFileSpan(property.text);
    std::string_view file = std::string_view(property.text).substr(span.start, span.length);
    auto copy = copies_.find(place_.page.Folded(file));
    if (copy == copies_.end()) {
      ++missing_[std::string(file)];
      return;
    }
    std::string pointed = property.text.str();
    pointed.replace(span.start, span.length, copy->second);
    property.text = pointed;
  }

  const RegeneratedForm::Place& place_;
  RegeneratedForm::Outcome& outcome_;
  std::unordered_map<std::string, std::string> copies_;  // folded name: name of the copy
  std::map<std::string, int> missing_;                   // file: values that name it
};

}  // namespace

RegeneratedForm::Outcome RegeneratedForm::Restore(formfile::RunningForm& regenerated,
                                                  const formfile::RunningForm& source,
                                                  const Place& place) {
  Outcome outcome;
  regenerated.SetFileVersion(source.FileVersion());
  regenerated.SetFormClass(source.FormClass());
  regenerated.SetIndent(source.Indent());
  regenerated.SetAfterName(source.AfterName());
  regenerated.SetUtf8Mark(source.HasUtf8Mark());
  regenerated.ObjectReferences() = source.ObjectReferences();
  regenerated.Attributes() = source.Attributes();
  regenerated.Groups() = source.Groups();
  Restorer restorer(source, place, outcome);
  regenerated.Properties() =
      restorer.Properties(source.Properties(), regenerated.Properties(), source.Name());

  std::unordered_map<std::string, const formfile::RunningControl*> source_controls;
  source.ForEachControl([&](formfile::RunningControl& control) {
    source_controls.emplace(ControlKey(control), &control);
  });
  regenerated.ForEachControl([&](formfile::RunningControl& control) {
    auto found = source_controls.find(ControlKey(control));
    if (found == source_controls.end()) {
      outcome.changes.push_back(fmt::format("{} {} was added", control.class_name, control.name));
      return;
    }
    const formfile::RunningControl& original = *found->second;
    source_controls.erase(found);
    control.class_name = original.class_name;
    control.groups = original.groups;
    control.after_name = original.after_name;
    control.properties = restorer.Properties(original.properties, control.properties, control.name);
  });
  source.ForEachControl([&](formfile::RunningControl& control) {
    if (source_controls.contains(ControlKey(control))) {
      outcome.changes.push_back(
          fmt::format("{} {} did not come back", control.class_name, control.name));
    }
  });
  restorer.ReportMissingFiles();
  FormCode::Merged merged = FormCode::Merge(source.Code(), regenerated.Code());
  regenerated.SetCode(std::move(merged.code));
  for (const std::string& procedure : merged.replaced) {
    outcome.changes.push_back(
        fmt::format("{}: the generated procedure took the place of the form's", procedure));
  }
  return outcome;
}

}  // namespace tavik::environment
