// Giving a regenerated form back what its source form had and the library could not carry.
#include "environment/regenerated_form.h"

#include <fmt/format.h>

#include <filesystem>
#include <unordered_map>

namespace tavik::environment {

namespace {

std::string Lowered(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lowered;
}

// A control is known by its name and, in a control array, its Index.
std::string ControlKey(const RunningControl& control) {
  const FormProperty* index = FindProperty(control.properties, "Index");
  return Lowered(control.name) + "(" + (index ? index->text : "") + ")";
}

// Is the regenerated value the one the source had, as the library holds it?
bool SameValue(const FormProperty& source, const FormProperty& regenerated) {
  std::optional<TVK_VARIANT> variant = PropertyToVariant(source);
  if (!variant) return false;
  FormProperty held = PropertyFromVariant(source.name, *variant);
  return held.kind == regenerated.kind && held.text == regenerated.text;
}

// The file a resource value names ("X.frx":0302, X.FRX:0302, $"X.frx":0302), or nothing.
std::string ResourceFile(std::string_view text) {
  if (!text.empty() && text.front() == '$') text.remove_prefix(1);
  if (!text.empty() && text.front() == '"') {
    auto close = text.find('"', 1);
    return std::string(text.substr(1, close == std::string_view::npos ? close : close - 1));
  }
  return std::string(text.substr(0, text.rfind(':')));
}

class Restorer {
 public:
  explicit Restorer(const std::string& output_folder) : output_folder_(output_folder) {}

  PropertyList Properties(const PropertyList& source, const PropertyList& regenerated,
                          std::vector<std::string>& notes, std::string_view owner) {
    PropertyList restored;
    for (const FormProperty& property : source) {
      const FormProperty* given = FindProperty(regenerated, property.name);
      if (given && !SameValue(property, *given)) {
        restored.push_back(*given);
      } else if (property.kind != PropertyKind::kResource || ResourceBeside(property.text)) {
        restored.push_back(property);
      } else {
        std::string note = fmt::format("{} = {} cannot come back: {} is not beside the form",
                                       property.name, property.text, ResourceFile(property.text));
        user_notes_.push_back(fmt::format("{}: {}", owner, note));
        notes.push_back(std::move(note));
      }
    }
    // What the library added; a name it was given only because every control has one is not
    // written where the source had none (later files name a control on its Begin line).
    for (const FormProperty& property : regenerated) {
      if (FindProperty(source, property.name) || SameName(property.name, "Name")) continue;
      restored.push_back(property);
    }
    return restored;
  }

  std::vector<std::string> TakeNotes() { return std::move(user_notes_); }

 private:
  bool ResourceBeside(std::string_view text) const {
    std::error_code ignored;
    std::filesystem::path folder(output_folder_.empty() ? "." : output_folder_);
    return std::filesystem::is_regular_file(folder / ResourceFile(text), ignored);
  }

  const std::string& output_folder_;
  std::vector<std::string> user_notes_;
};

}  // namespace

std::vector<std::string> RegeneratedForm::Restore(RunningForm& regenerated,
                                                  const RunningForm& source,
                                                  const std::string& output_folder) {
  regenerated.SetFileVersion(source.FileVersion());
  regenerated.SetFormClass(source.FormClass());
  regenerated.SetUtf8Mark(source.HasUtf8Mark());
  regenerated.ObjectReferences() = source.ObjectReferences();
  regenerated.Attributes() = source.Attributes();
  regenerated.Groups() = source.Groups();
  Restorer restorer(output_folder);
  regenerated.Properties() = restorer.Properties(source.Properties(), regenerated.Properties(),
                                                 regenerated.Notes(), source.Name());

  std::unordered_map<std::string, const RunningControl*> source_controls;
  source.ForEachControl(
      [&](RunningControl& control) { source_controls.emplace(ControlKey(control), &control); });
  regenerated.ForEachControl([&](RunningControl& control) {
    auto found = source_controls.find(ControlKey(control));
    if (found == source_controls.end()) return;
    const RunningControl& original = *found->second;
    control.class_name = original.class_name;
    control.groups = original.groups;
    control.properties =
        restorer.Properties(original.properties, control.properties, control.notes, control.name);
  });
  return restorer.TakeNotes();
}

}  // namespace tavik::environment
