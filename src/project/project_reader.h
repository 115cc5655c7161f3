// Reads a Visual Basic 3 ".MAK" or Visual Basic 4 ".VBP" project file back.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "project/project_description.h"

namespace tavik::project {

class ProjectReader {
 public:
  struct Outcome {
    std::optional<ProjectDescription> project;
    std::string error;  // what is wrong and on which line, when there is no project
  };

  // The version is told by the text: "Form=" and "Module=" entries are version 4's.
  static Outcome Read(std::string_view text);
};

}  // namespace tavik::project
