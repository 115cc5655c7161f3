// What a project run asks of the program that runs it: forms generated, outputs checked.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tavik::project {

class ProjectHost {
 public:
  virtual ~ProjectHost() = default;

  // Generates the form of a loaded model (the caller unloads it) into the file at output,
  // named form_name and captioned caption (UTF-8); messages name the file shown_output,
  // where it goes when the project is done. 0, or the run's status with its message shown.
  [[nodiscard]] virtual int GenerateForm(std::uint32_t host_value, const std::string& form_name,
                                         const std::string& caption, const std::string& output,
                                         const std::string& shown_output) = 0;

  // Whether a file (what it is to the user: "form file") may be written at path; false,
  // with the reason shown, when that would replace a file the run reads.
  [[nodiscard]] virtual bool MayWrite(const std::string& path, std::string_view what) = 0;
};

}  // namespace tavik::project
