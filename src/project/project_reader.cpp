// Reading ".MAK" and ".VBP" project files.
#include "project/project_reader.h"
#include "text/ascii_case.h"

#include <fmt/format.h>

#include <vector>

namespace tavik::project {

namespace {

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
  }
  return lines;
}

std::string Unquoted(std::string_view value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

bool EndsWithNoCase(std::string_view text, std::string_view end) {
  if (text.size() < end.size()) return false;
  for (std::size_t i = 0; i < end.size(); ++i) {
    if (text::AsciiUpper(text[text.size() - end.size() + i]) != end[i]) return false;
  }
  return true;
}

// One "key=value" line into the description; settings it does not describe are skipped.
void TakeSetting(ProjectDescription& project, std::string_view key, std::string_view value) {
  if (key == "Form") {
    project.forms.push_back({std::string(value), {}});
  } else if (key == "Module") {
    std::size_t separator = value.find("; ");
    project.module_name = std::string(value.substr(0, separator));
    if (separator != std::string_view::npos) project.module_file = value.substr(separator + 2);
  } else if (key == "Object") {
    project.controls.emplace_back(value);
  } else if (key == "Reference") {
    project.references.emplace_back(value);
  } else if (key == "Startup" || (key == "IconForm" && project.startup_form.empty())) {
    project.startup_form = Unquoted(value);
  } else if (key == "Title") {
    project.title = Unquoted(value);
  } else if (key == "ExeName" || key == "ExeName32") {
    project.exe_file = Unquoted(value);
  } else if (key == "Name") {
    project.name = Unquoted(value);
  }
}

// A version-3 file line: a form, a module or a custom control.
bool TakeFile(ProjectDescription& project, std::string_view file) {
  if (EndsWithNoCase(file, ".FRM")) {
    project.forms.push_back({std::string(file), {}});
  } else if (EndsWithNoCase(file, ".BAS")) {
    project.module_file = file;
  } else if (EndsWithNoCase(file, ".VBX")) {
    project.controls.emplace_back(file);
  } else {
    return false;
  }
  return true;
}

}  // namespace

ProjectReader::Outcome ProjectReader::Read(std::string_view text) {
  ProjectDescription project;
  project.version = 3;
  std::vector<std::string_view> lines = Lines(text);
  for (std::string_view line : lines) {
    if (line.starts_with("Form=") || line.starts_with("Module=")) project.version = 4;
  }
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string_view line = lines[i];
    if (line.empty()) continue;
    std::size_t equals = line.find('=');
    if (equals != std::string_view::npos) {
      TakeSetting(project, line.substr(0, equals), line.substr(equals + 1));
    } else if (project.version == 4 || !TakeFile(project, line)) {
      return {std::nullopt, fmt::format("line {}: \"{}\" is neither a setting nor a form, module "
                                        "or custom control file",
                                        i + 1, line)};
    }
  }
  if (project.forms.empty()) return {std::nullopt, "the project lists no form"};
  return {std::move(project), {}};
}

}  // namespace tavik::project
