// The project file of a generated project: a Visual Basic 3 ".MAK" or a Visual Basic 4 ".VBP".
#pragma once

#include <set>
#include <string>
#include <vector>

#include "project/project_description.h"

namespace tavik::project {

class ProjectFile {
 public:
  // "MAK" or "VBP".
  static const char* Extension(std::uint16_t version);
  // The custom controls that forms using these control classes need ("MaskEdBox",
  // "MSMask.MaskEdBox", "SpreadSheet", ...), in the form the project file lists them;
  // classes built into Visual Basic need none.
  static std::vector<std::string> Controls(std::uint16_t version,
                                           const std::set<std::string>& control_classes);
  // The type libraries a version-4 project's forms use (the data access objects).
  static std::vector<std::string> References();
  // The file's text as that version writes it, lines ending in carriage return and line feed.
  static std::string Text(const ProjectDescription& project);
};

}  // namespace tavik::project
