// A host that knows the library only by its file name and its exported names: it loads the
// model access library and the library, registers a client of its own process, and runs
// forward engineering on a model while a scripted user answers the dialogs.
//
//   tavikfw_host MODEL [--vb 3|4] [--script FILE] [--on-entity-error continue|stop]
//                [--live CODE_COPY]
//   tavikfw_host --metrics
//
// The script has one step a line: "type ID TEXT" (TEXT may be empty), "click ID" (ID a
// number, or ok, cancel or browse) and "picker PATH" (the next save-file picker is answered
// with PATH); blank lines and lines starting with "#" are skipped. Message boxes are answered as
// they come (OK; Yes or No as --on-entity-error says) and written to standard error as "caption:
// text"; the path of the written form goes to standard output. With --live the client builds live
// forms and copies the code it is given to CODE_COPY.
// --metrics prints the screen the library measures: "WIDTHxHEIGHT DPI".
// The exit status is DoForwardEngineering's, or 64 for a usage error, 65 or 66 for a model
// that is refused or cannot be read, 70 when a library or a name is missing.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tavikfw/client.h"
#include "window_driver.h"

namespace {

namespace driver = tavik::win32_testing;

constexpr const char* kDialogTitle = "Tavik Form Wizard";
constexpr const char* kPickerTitle = "Save Tavik-Generated Form File As";
constexpr int kExitUsage = 64;
constexpr int kExitMissing = 70;

using LoadModelFile = int32_t (*)(const char*, uint32_t*);
using LastLoadError = const char* (*)();
using UnloadModel = void (*)(uint32_t);
using DoForwardEngineering = uint32_t (*)(uint32_t, uint16_t);
using RegisterClient = int32_t (*)(CClntDesc*);
using UnRegisterClient = int32_t (*)(uintptr_t);

struct Options {
  std::string model;
  uint16_t version = 4;
  std::string script;
  bool answer_yes = false;
  std::optional<std::string> live_code_copy;
  bool metrics = false;
};

std::optional<Options> ParseOptions(int argc, char** argv) {
  Options options;
  for (int at = 1; at < argc; ++at) {
    const std::string argument = argv[at];
    const bool has_value = at + 1 < argc;
    if (argument == "--metrics") {
      options.metrics = true;
    } else if (argument == "--vb" && has_value) {
      options.version = static_cast<uint16_t>(std::stoi(argv[++at]));
    } else if (argument == "--script" && has_value) {
      options.script = argv[++at];
    } else if (argument == "--on-entity-error" && has_value) {
      options.answer_yes = std::string(argv[++at]) == "continue";
    } else if (argument == "--live" && has_value) {
      options.live_code_copy = argv[++at];
    } else if (options.model.empty() && !argument.starts_with("--")) {
      options.model = argument;
    } else {
      return std::nullopt;
    }
  }
  if (options.model.empty() && !options.metrics) return std::nullopt;
  return options;
}

// The client of this host: it writes form files, or, with --live, builds live forms that
// exist only as handles.
struct HostClient {
  CClntDesc base{};
  std::string written_path;
  std::optional<std::string> code_copy;
  std::string code_path;
  bool code_file_existed = false;
  uintptr_t next_handle = 100;
};

HostClient& Host(CClntDesc* self) {
  return *reinterpret_cast<HostClient*>(self);
}

int32_t FormFileWritten(CClntDesc* self, const char* path) {
  Host(self).written_path = path;
  return 0;
}

int32_t CreateLiveForm(CClntDesc* self, TVK_HANDLE* form, TVK_HANDLE* window) {
  *form = Host(self).next_handle++;
  *window = 0;
  return 0;
}

int32_t SetLiveFormProperty(CClntDesc*, const char*, TVK_VARIANT*, TVK_HANDLE) {
  return 0;
}

int32_t CreateClientCtrl(CClntDesc* self, const char*, TVK_HANDLE* control, TVK_HANDLE,
                         TVK_HANDLE) {
  *control = Host(self).next_handle++;
  return 0;
}

int32_t SetClientCtrlProperty(CClntDesc*, const char*, TVK_VARIANT*, TVK_HANDLE) {
  return 0;
}

int32_t LoadLiveFormCode(CClntDesc* self, TVK_HANDLE, const char* code_path) {
  HostClient& host = Host(self);
  host.code_path = code_path;
  host.code_file_existed = ::GetFileAttributesA(code_path) != INVALID_FILE_ATTRIBUTES;
  if (host.code_copy) ::CopyFileA(code_path, host.code_copy->c_str(), FALSE);
  return 0;
}

int32_t FinishLiveForm(CClntDesc*, TVK_HANDLE) {
  return 0;
}

const CClntDescOps kHostOperations = [] {
  CClntDescOps operations{};
  operations.FormFileWritten = FormFileWritten;
  operations.CreateLiveForm = CreateLiveForm;
  operations.SetLiveFormProperty = SetLiveFormProperty;
  operations.CreateClientCtrl = CreateClientCtrl;
  operations.SetClientCtrlProperty = SetClientCtrlProperty;
  operations.LoadLiveFormCode = LoadLiveFormCode;
  operations.FinishLiveForm = FinishLiveForm;
  return operations;
}();

template <typename Function>
Function Find(HMODULE module, const char* name) {
  FARPROC address = ::GetProcAddress(module, name);
  if (!address) std::fprintf(stderr, "tavikfw_host: the library exports no %s\n", name);
  return reinterpret_cast<Function>(reinterpret_cast<void*>(address));
}

int ButtonId(const std::string& name) {
  static const std::map<std::string, int> kNames = {
      {"ok", IDOK}, {"cancel", IDCANCEL}, {"browse", 3}};
  const auto named = kNames.find(name);
  return named != kNames.end() ? named->second : std::stoi(name);
}

// Plays the script against the form-information dialog; false when a step could not be
// played (the dialog is then cancelled, so that the run ends).
bool PlayScript(const std::string& path, driver::ScreenUser& user) {
  std::ifstream in(path);
  if (!in) {
    std::fprintf(stderr, "tavikfw_host: cannot read the script %s\n", path.c_str());
    return false;
  }
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line.front() == '#') continue;
    std::istringstream words(line);
    std::string verb;
    words >> verb;
    std::string rest;
    std::getline(words, rest);
    if (!rest.empty() && rest.front() == ' ') rest.erase(0, 1);
    if (verb == "picker") {
      user.AnswerNextPicker(rest);
      continue;
    }
    const HWND dialog = driver::WaitForDialog(kDialogTitle);
    if (!dialog) {
      std::fprintf(stderr, "tavikfw_host: no dialog for the step \"%s\"\n", line.c_str());
      return false;
    }
    if (verb == "type") {
      std::istringstream item(rest);
      std::string id;
      item >> id;
      std::string text;
      std::getline(item, text);
      if (!text.empty() && text.front() == ' ') text.erase(0, 1);
      driver::TypeInto(dialog, std::stoi(id), text);
    } else if (verb == "click") {
      driver::Click(dialog, ButtonId(rest));
    } else {
      std::fprintf(stderr, "tavikfw_host: unknown step \"%s\"\n", line.c_str());
      driver::PressLater(dialog, IDCANCEL);
      return false;
    }
  }
  // A dialog still open when the script is done would never end the run.
  std::this_thread::sleep_for(driver::kSettleTime);
  if (const HWND open = driver::FindDialog(kDialogTitle)) {
    std::fprintf(stderr, "tavikfw_host: the script left the dialog open; it is cancelled\n");
    driver::PressLater(open, IDCANCEL);
    return false;
  }
  return true;
}

void PrintMessage(const driver::MessageBoxSeen& box) {
  std::string text = box.text;
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  // A box shown without a caption of its own gets the caption "Error" from Windows.
  if (box.caption == "Error") {
    std::fprintf(stderr, "%s\n", text.c_str());
  } else {
    std::fprintf(stderr, "%s: %s\n", box.caption.c_str(), text.c_str());
  }
}

int PrintMetrics() {
  const HDC device = ::GetDC(::GetActiveWindow());
  std::printf("%dx%d %d\n", ::GetSystemMetrics(SM_CXFULLSCREEN),
              ::GetSystemMetrics(SM_CYFULLSCREEN), ::GetDeviceCaps(device, LOGPIXELSX));
  ::ReleaseDC(::GetActiveWindow(), device);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Options> options = ParseOptions(argc, argv);
  if (!options) {
    std::fprintf(stderr,
                 "usage: tavikfw_host MODEL [--vb 3|4] [--script FILE] "
                 "[--on-entity-error continue|stop] [--live CODE_COPY] | --metrics\n");
    return kExitUsage;
  }
  if (options->metrics) return PrintMetrics();

  const HMODULE brenlo = ::LoadLibraryA("brenlo.dll");
  const HMODULE library = ::LoadLibraryA("tavikfw.dll");
  if (!brenlo || !library) {
    std::fprintf(stderr, "tavikfw_host: cannot load %s\n", brenlo ? "tavikfw.dll" : "brenlo.dll");
    return kExitMissing;
  }
  const auto load_model = Find<LoadModelFile>(brenlo, "BR_LoadModelFile");
  const auto last_load_error = Find<LastLoadError>(brenlo, "BR_LastLoadError");
  const auto unload_model = Find<UnloadModel>(brenlo, "BR_UnloadModel");
  const auto forward_engineering = Find<DoForwardEngineering>(library, "DoForwardEngineering");
  const auto register_client = Find<RegisterClient>(library, "RegisterClient");
  const auto unregister_client = Find<UnRegisterClient>(library, "UnRegisterClient");
  if (!load_model || !last_load_error || !unload_model || !forward_engineering ||
      !register_client || !unregister_client) {
    return kExitMissing;
  }

  uint32_t host_value = 0;
  if (const int32_t loaded = load_model(options->model.c_str(), &host_value); loaded != 0) {
    std::fprintf(stderr, "Tavik Form Wizard Error: %s\n", last_load_error());
    return loaded;
  }

  HostClient client;
  client.base.ops = &kHostOperations;
  client.base.version = options->version;
  client.base.can_generate = options->live_code_copy ? 1 : 0;
  client.base.can_write_to_file = 1;
  client.base.can_write_to_virtual_space = 0;
  client.base.process = ::GetCurrentProcessId();
  client.code_copy = options->live_code_copy;
  if (!register_client(&client.base)) {
    std::fprintf(stderr, "tavikfw_host: the client could not be registered\n");
    unload_model(host_value);
    return kExitUsage;
  }

  uint32_t status = 0;
  std::vector<driver::MessageBoxSeen> messages;
  {
    driver::ScreenUser user({kDialogTitle}, kPickerTitle, options->answer_yes);
    std::thread script;
    if (!options->script.empty()) {
      script = std::thread([&] { PlayScript(options->script, user); });
    }
    status = forward_engineering(host_value, options->version);
    if (script.joinable()) script.join();
    messages = user.Messages();
  }
  for (const auto& box : messages) PrintMessage(box);

  unregister_client(client.base.process);
  unload_model(host_value);
  if (!client.written_path.empty()) std::printf("%s\n", client.written_path.c_str());
  if (!client.code_path.empty()) {
    const bool removed = ::GetFileAttributesA(client.code_path.c_str()) == INVALID_FILE_ATTRIBUTES;
    std::printf("code file: %s (%s while loaded, %s after)\n", client.code_path.c_str(),
                client.code_file_existed ? "present" : "missing",
                removed ? "removed" : "still present");
  }
  return static_cast<int>(status);
}
