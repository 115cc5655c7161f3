// `tavikfw generate`: one forward-engineering run from a model file.
#pragma once

#include "cli/generate_options.h"
#include "cli/output_guard.h"

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

namespace tavik::cli {

class CliFormInfoFrontend;

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
  // The form is named after its file (live, after the model) unless --name names it, and a
  // database read in place of a model is the one the form opens unless --database says.
  void ApplyDefaults(bool from_database);
  // 0 and the model loaded, or the exit status.
  int LoadModel(bool from_database, std::uint32_t& host_value);
  // A model file read and given the record features asked for; the model text, or nothing
  // when the file is left to the model library (which then says what is wrong with it).
  std::optional<std::string> ModelWithFeatures();
  // The features the options ask for added to the document; false (and a message) when an
  // option names what the model does not hold.
  bool AddFeatures(nlohmann::ordered_json& model, project::RecordFeatures features) const;
  // owns_model: the model was loaded for this run alone and may go once the run has read it.
  int RunWithModel(std::uint32_t host_value, OutputGuard& guard, bool owns_model);

  // The run with the file client, which writes the form where the dialog says.
  int RunWithFileClient(std::uint32_t host_value, const CliFormInfoFrontend& frontend) const;

  GenerateOptions options_;
};

}  // namespace tavik::cli
