// Running forward engineering for the command line.
#include "cli/generate_command.h"

#include <fmt/format.h>

#include "brenlo/windows1252.h"
#include "cli/cli_form_info_frontend.h"
#include "cli/cli_message_boxes.h"
#include "cli/command_line.h"
#include "cli/file_client.h"
#include "environment/environment_client.h"
#include "host/registry.h"
#include "platform/ini_settings_file.h"
#include "platform/platform.h"
#include "platform/posix/fixed_screen_info.h"
#include "platform/settings_path.h"
#include "tavikfw/brenlo.h"
#include "tavikfw/tavikfw.h"

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
    if (std::string fault = brenlo::FormTextFault(**text); !fault.empty()) {
      fmt::print(stderr, "tavikfw generate: {}: {}\n", option, fault);
      return false;
    }
    *text = brenlo::Utf8ToWindows1252(**text);
  }
  return true;
}

int GenerateCommand::Run() {
  if (!ConvertTexts()) return kExitUsage;
  std::uint32_t host_value = 0;
  if (int result = BR_LoadModelFile(options_.model_path.c_str(), &host_value); result != 0) {
    fmt::print(stderr, "Tavik Form Wizard Error: {}\n", BR_LastLoadError());
    return result == BR_LOAD_UNREADABLE ? kExitModelUnreadable : kExitModelRefused;
  }
  int status = RunWithModel(host_value);
  BR_UnloadModel(host_value);
  return status;
}

int GenerateCommand::RunOnLoadedModel(std::uint32_t host_value) {
  if (!ConvertTexts()) return kExitUsage;
  return RunWithModel(host_value);
}

namespace {

// The same run with the environment as the client: the form is built live there, and the
// environment saves it when the run finishes it.
int RunLive(const GenerateOptions& options, std::uint32_t host_value,
            const CliFormInfoFrontend& frontend) {
  environment::EnvironmentClient client(options.version, *options.live_folder);
  if (!client.Start()) {
    fmt::print(stderr, "tavikfw generate: the client could not be registered\n");
    return kExitUsage;
  }
  auto status = static_cast<int>(DoForwardEngineering(host_value, options.version));
  if (frontend.LeftUnanswered()) return kExitUsage;
  if (status == 0 && client.UnfinishedFormCount() > 0) {
    // The form window's title did not match the caption (a caption too long for a title),
    // so the run did not finish the form; it is saved as it was built.
    fmt::print(stderr, "tavikfw generate: the live form was not finished; it is saved as built\n");
    status = static_cast<int>(client.SaveUnfinishedForms());
  }
  for (const std::string& path : client.SavedPaths()) {
    fmt::print("{}\n", brenlo::Windows1252ToUtf8(path));
  }
  return status;
}

}  // namespace

int GenerateCommand::RunWithModel(std::uint32_t host_value) {
  EntityErrorAnswer answer = options_.on_entity_error.value_or(
      options_.interactive ? EntityErrorAnswer::kAsk : EntityErrorAnswer::kStop);
  CliMessageBoxes message_boxes(answer, options_.interactive);
  IniSettingsFile settings(options_.settings_path.value_or(DefaultSettingsPath()));
  FixedScreenInfo screen(options_.screen);
  CliFormInfoFrontend frontend(options_);

  Platform platform = CurrentPlatform();
  platform.message_boxes = &message_boxes;
  platform.settings = &settings;
  platform.screen = &screen;
  platform.save_file_picker = &frontend;
  platform.form_info_frontend = &frontend;
  ScopedPlatform scoped(platform);

  if (options_.live_folder) return RunLive(options_, host_value, frontend);
  FileClient client(options_.version);
  if (!RegisterClient(&client)) {
    fmt::print(stderr, "tavikfw generate: the client could not be registered\n");
    return kExitUsage;
  }
  std::uint32_t status = DoForwardEngineering(host_value, options_.version);
  UnRegisterClient(client.process);
  if (frontend.LeftUnanswered()) return kExitUsage;
  if (status == 0 && !client.WrittenPath().empty() && options_.print_written_path) {
    fmt::print("{}\n", brenlo::Windows1252ToUtf8(client.WrittenPath()));
  }
  return static_cast<int>(status);
}

}  // namespace tavik::cli
