// Writes a running form as a ".FRM" form file, in the text the form generator writes.
#pragma once

#include <string>

#include "base/status.h"
#include "formfile/running_form.h"

namespace tavik::environment {

class FormFileWriter {
 public:
  // "VERSION 2.00", the form block (the caption line, the form's properties, each control
  // block with its properties and children, one tab per level), "End", then the code part.
  // A form read from a file Visual Basic wrote (any version) is written as that file was:
  // its version, "Object" lines, form class, property groups (those without members too),
  // the comments after values and "Attribute" lines, three spaces a level.
  static std::string Text(const formfile::RunningForm& form);
  // Writes the text whole or not at all: 0, or 73 / 74 when the file cannot be created or
  // written (the failure is shown to the user).
  [[nodiscard]] static Status Save(const formfile::RunningForm& form, const std::string& path);
};

}  // namespace tavik::environment
