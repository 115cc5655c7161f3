// Running forward engineering for the command line.
#include "cli/generate_command.h"

#include <fmt/format.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "brenlo/model_store.h"
#include "cli/cli_form_info_frontend.h"
#include "cli/cli_message_boxes.h"
#include "cli/command_line.h"
#include "cli/file_client.h"
#include "cli/output_guard.h"
#include "cli/run_settings.h"
#include "environment/environment_client.h"
#include "formfile/form_limits.h"
#include "formfile/written_forms.h"
#include "host/registry.h"
#include "import/database_file.h"
#include "import/database_schema.h"
#include "platform/platform.h"
#include "platform/posix/fixed_screen_info.h"
#include "platform/settings_path.h"
#include "tavikfw/brenlo.h"
#include "tavikfw/tavikfw.h"
#include "text/windows1252.h"

namespace tavik::cli {

bool GenerateCommand::ConvertTexts() {
  struct NamedText {
    const char* option;
    std::optional<std::string>* text;
  };
  NamedText texts[] = {{"--name", &options_.name},
                       {"--caption", &options_.caption},
                       {"--database", &options_.database},
                       {"--connect", &options_.connect}};
  for (auto& [option, text] : texts) {
    if (!*text) continue;
    if (std::string fault = text::FormTextFault(**text); !fault.empty()) {
      fmt::print(stderr, "tavikfw generate: {}: {}\n", option, fault);
      return false;
    }
    *text = text::Utf8ToWindows1252(**text);
  }
  return true;
}

namespace {

// The longest form name Visual Basic takes.
constexpr std::size_t kMaxFormNameLength = 40;

// A file's stem as a form name: letters, digits and underscores, a letter first, at most
// 40 characters; empty when the stem is.
std::string FormNameOf(const std::string& path) {
  const std::string stem = std::filesystem::path(path).stem().string();
  std::string name;
  // A letter with a mark is its plain letter; one underscore for each other character,
  // however encoded.
  const std::optional<std::string> windows1252 = text::Utf8ToWindows1252(stem);
  for (char c : windows1252.value_or(stem)) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::isdigit(byte) != 0 || text::PlainLetter(c) != '\0') {
      name += std::isdigit(byte) != 0 ? c : text::PlainLetter(c);
    } else if (windows1252 || (byte & 0xC0) != 0x80) {
      name += '_';
    }
  }
  if (!name.empty() && std::isalpha(static_cast<unsigned char>(name[0])) == 0)
    name.insert(0, "Form");
  return name.substr(0, kMaxFormNameLength);
}

}  // namespace

void GenerateCommand::ApplyDefaults(bool from_database) {
  const std::optional<std::string>& named_file =
      options_.live_folder ? std::optional(options_.model_path) : options_.output;
  if (!options_.name && named_file && !FormNameOf(*named_file).empty()) {
    options_.name = FormNameOf(*named_file);
  }
  // A SQLite database the form opens itself is reached through the SQLite ODBC driver;
  // another database named by --database keeps the connect string it is given.
  if (!from_database) return;
  options_.from_database = true;
  import::DatabaseSchema::SetFormDefaults(options_.model_path, options_.version, "tavikfw generate",
                                          options_.database, options_.connect);
}

bool GenerateCommand::AddFeatures(nlohmann::ordered_json& model,
                                  project::RecordFeatures features) const {
  std::string fault = features.TakeTableColumns(options_.lookups, options_.orders);
  if (fault.empty()) fault = features.AddTo(model);
  if (fault.empty()) return true;
  fmt::print(stderr, "tavikfw generate: {}\n", fault);
  return false;
}

std::optional<std::string> GenerateCommand::ModelWithFeatures() {
  std::ifstream in(options_.model_path, std::ios::binary);
  auto model = nlohmann::ordered_json::parse(in, nullptr, false);
  if (model.is_discarded() || !model.is_object() || !model["entities"].is_array()) {
    return std::nullopt;
  }
  if (!AddFeatures(model, options_.features)) return std::string();
  return model.dump();
}

int GenerateCommand::LoadModel(bool from_database, std::uint32_t& host_value) {
  std::int32_t result = 0;
  if (from_database) {
    import::DatabaseSchema::Schema schema =
        import::DatabaseSchema::Read(options_.model_path, {}, "tavikfw generate", options_.version);
    if (schema.status != 0) return schema.status;
    if (!AddFeatures(schema.model, project::RecordFeatures::All())) return kExitUsage;
    // The schema's document is loaded as its text would be, without writing that text out.
    result = brenlo::ModelStore::Shared().LoadDocument(schema.model, &host_value);
  } else if (auto text =
                 options_.features.Any() || !options_.lookups.empty() || !options_.orders.empty()
                     ? ModelWithFeatures()
                     : std::nullopt) {
    if (text->empty()) return kExitUsage;
    result = BR_LoadModelText(text->data(), text->size(), &host_value);
  } else {
    result = BR_LoadModelFile(options_.model_path.c_str(), &host_value);
  }
  if (result == 0) {
    std::istringstream warnings(BR_LastLoadWarnings());
    for (std::string line; std::getline(warnings, line);) {
      fmt::print(stderr, "tavikfw generate: warning: {}\n", line);
    }
    return 0;
  }
  fmt::print(stderr, "Tavik Form Wizard Error: {}\n", BR_LastLoadError());
  return result == BR_LOAD_UNREADABLE ? kExitModelUnreadable : kExitModelRefused;
}

int GenerateCommand::Run() {
  const bool from_database = import::DatabaseFile::IsDatabase(options_.model_path.c_str());
  OutputGuard guard("tavikfw generate");
  guard.AddInput(options_.model_path, from_database ? "database" : "model");
  guard.SetForce(options_.force);
  const std::string settings_path = options_.settings_path.value_or(DefaultSettingsPath());
  if (!guard.Allows(settings_path, "settings file")) return kExitUsage;
  if (std::string refusal = RunSettings::Refusal(settings_path); !refusal.empty()) {
    fmt::print(stderr, "tavikfw generate: {}\n", refusal);
    return kExitUsage;
  }
  // Away from a terminal the file cannot change, so it is refused before any work; at one
  // the dialog asks for it again.
  if (options_.output && !options_.interactive) {
    if (const OutputGuard::Verdict verdict = guard.Judge(*options_.output, "form file");
        verdict.status != 0) {
      fmt::print(stderr, "tavikfw generate: {}\n", verdict.message);
      return verdict.status;
    }
  }
  ApplyDefaults(from_database);
  if (!ConvertTexts()) return kExitUsage;
  std::uint32_t host_value = 0;
  if (int status = LoadModel(from_database, host_value); status != 0) return status;
  int status = RunWithModel(host_value, guard, true);
  BR_UnloadModel(host_value);  // the run may have let go of it already
  return status;
}

int GenerateCommand::RunOnLoadedModel(std::uint32_t host_value) {
  if (!ConvertTexts()) return kExitUsage;
  OutputGuard guard("tavikfw generate");
  guard.AddInput(options_.model_path, "model");
  guard.SetForce(options_.force);
  // A staged output stands in the folder a project run made for itself and names alone.
  if (options_.shown_output) guard.SetOwnFolder();
  return RunWithModel(host_value, guard, false);
}

namespace {

// What the written forms exceed of Visual Basic's limits, from what their printer counted;
// the forms are kept all the same.
void WarnOfLimits(const formfile::WrittenForms& written,
                  const std::vector<std::string>& written_paths, std::uint16_t version) {
  for (const std::string& path : written_paths) {
    const formfile::FormTally* tally = written.Find(path);
    if (!tally) continue;
    for (const std::string& warning :
         formfile::FormLimits::Judge(*tally, version, formfile::FormLimits::kGenerateRemedy)
             .warnings) {
      fmt::print(stderr, "tavikfw generate: warning: {}: {}\n", text::Windows1252ToUtf8(path),
                 warning);
    }
  }
}

// The same run with the environment as the client: the form is built live there, and the
// environment saves it when the run finishes it.
int RunLive(const GenerateOptions& options, std::uint32_t host_value,
            const CliFormInfoFrontend& frontend) {
  environment::EnvironmentClient client(options.version, *options.live_folder);
  if (!client.Start()) {
    fmt::print(stderr, "tavikfw generate: the client could not be registered\n");
    return kExitUsage;
  }
  formfile::WrittenForms written;
  auto status = static_cast<int>(DoForwardEngineering(host_value, options.version));
  if (frontend.RefusedStatus() != 0) return frontend.RefusedStatus();
  if (frontend.LeftUnanswered()) return kExitUsage;
  if (status == 0 && client.UnfinishedFormCount() > 0) {
    // The form window's title did not match the caption (a caption too long for a title),
    // so the run did not finish the form; it is saved as it was built.
    fmt::print(stderr, "tavikfw generate: the live form was not finished; it is saved as built\n");
    status = static_cast<int>(client.SaveUnfinishedForms());
  }
  for (const std::string& path : client.SavedPaths()) {
    fmt::print("{}\n", text::Windows1252ToUtf8(path));
  }
  WarnOfLimits(written, client.SavedPaths(), options.version);
  return status;
}

}  // namespace

int GenerateCommand::RunWithModel(std::uint32_t host_value, OutputGuard& guard, bool owns_model) {
  CliMessageBoxes message_boxes(options_.on_entity_error.value_or(EntityErrorAnswer::kAsk),
                                options_.interactive);
  if (options_.output && options_.shown_output) {
    message_boxes.ShowPathAs(*options_.output, *options_.shown_output);
  }
  RunSettings own_settings(options_.settings_path.value_or(DefaultSettingsPath()));
  FixedScreenInfo screen(options_.screen);
  CliFormInfoFrontend frontend(options_, guard);
  if (owns_model) frontend.UnloadModelWhenAsked(host_value);

  Platform platform = CurrentPlatform();
  platform.message_boxes = &message_boxes;
  platform.settings =
      options_.shared_settings != nullptr ? options_.shared_settings : &own_settings;
  platform.screen = &screen;
  platform.save_file_picker = &frontend;
  platform.form_info_frontend = &frontend;
  // A form of its own model is the command's one form; project's forms share a model.
  platform.process_ends_with_run = owns_model;
  ScopedPlatform scoped(platform);

  const int status = options_.live_folder ? RunLive(options_, host_value, frontend)
                                          : RunWithFileClient(host_value, frontend);
  if (status == 0) {
    guard.RemoveReplacedSpellings();
    (void)own_settings.Commit();  // a failure is a warning: the form is written
  }
  return status;
}

int GenerateCommand::RunWithFileClient(std::uint32_t host_value,
                                       const CliFormInfoFrontend& frontend) const {
  FileClient client(options_.version);
  if (!RegisterClient(&client)) {
    fmt::print(stderr, "tavikfw generate: the client could not be registered\n");
    return kExitUsage;
  }
  formfile::WrittenForms written;
  std::uint32_t status = DoForwardEngineering(host_value, options_.version);
  UnRegisterClient(client.process);
  if (frontend.RefusedStatus() != 0) return frontend.RefusedStatus();
  if (frontend.LeftUnanswered()) return kExitUsage;
  if (status == 0 && !client.WrittenPath().empty() && options_.print_written_path) {
    fmt::print("{}\n", text::Windows1252ToUtf8(client.WrittenPath()));
    WarnOfLimits(written, {client.WrittenPath()}, options_.version);
  }
  if (CurrentPlatform().process_ends_with_run) written.KeepUntilExit();
  return static_cast<int>(status);
}

}  // namespace tavik::cli
