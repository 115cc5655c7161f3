// `tavikfw generate`: one forward-engineering run from a model file.
#pragma once

#include "cli/generate_options.h"

namespace tavik::cli {

class GenerateCommand {
 public:
  explicit GenerateCommand(GenerateOptions options) : options_(std::move(options)) {}
  // The run's status, or 64 to 66 for faults outside it.
  int Run();
  // The same run on a model already loaded (the caller unloads it).
  int RunOnLoadedModel(std::uint32_t host_value);

 private:
  // Converts the texts of the options to Windows-1252; false (and a message) when one
  // holds a character the form cannot.
  bool ConvertTexts();
  int RunWithModel(std::uint32_t host_value);

  GenerateOptions options_;
};

}  // namespace tavik::cli
