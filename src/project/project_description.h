// What a Visual Basic project file lists: forms, the module, custom controls, references.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavik::project {

struct ProjectForm {
  std::string file;  // as listed, "CUSTOMER.FRM"
  std::string name;  // the form's name (a version-3 project file does not hold it)
};

struct ProjectDescription {
  std::uint16_t version = 4;
  std::string name;                // the project's Visual Basic name
  std::string title;               // the application's title
  std::string exe_file;            // "ORDERS.EXE"
  std::string startup_form;        // the name of the form shown first
  std::vector<ProjectForm> forms;  // the start-up form first
  std::string module_name;
  std::string module_file;
  // Custom controls as the project file lists them: a version-3 project the path of
  // each ".VBX", a version-4 project the "{class id}#version#0; FILE.OCX" of each control.
  std::vector<std::string> controls;
  // Version 4: the type libraries the code uses, as "Reference=" lists them.
  std::vector<std::string> references;
};

}  // namespace tavik::project
