// One generation of a loaded model for both versions, as the generation fuzzers run it.
#include "generation_run.h"

#include <stdlib.h>

#include <filesystem>
#include <string>

#include "fakes/memory_settings.h"
#include "fakes/scoped_fakes.h"
#include "fakes/scripted_form_info.h"
#include "host/client_base.h"
#include "platform/posix/fixed_screen_info.h"
#include "tavikfw/tavikfw.h"

namespace tavik::fuzz {

namespace {

namespace fs = std::filesystem;

// A folder of this process's own for the form files, removed when the process ends.
class OutputFolder {
 public:
  OutputFolder() {
    std::string pattern = (fs::temp_directory_path() / "tavik_generation_fuzzer_XXXXXX").string();
    if (mkdtemp(pattern.data())) path_ = pattern;
  }
  ~OutputFolder() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove_all(path_, ignored);
  }
  OutputFolder(const OutputFolder&) = delete;
  OutputFolder& operator=(const OutputFolder&) = delete;
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

class FileClient : public tavik::ClientBase {
 public:
  explicit FileClient(std::uint16_t client_version)
      : ClientBase(client_version, /*generates_live=*/false, /*writes_files=*/true,
                   /*writes_to_virtual_space=*/false) {}
};

// One run with fresh fakes, so that nothing one input leaves behind reaches the next.
void Generate(std::uint32_t host_value, std::uint16_t version, const fs::path& form_file) {
  tavik::testing::ScopedFakes fakes;
  tavik::testing::MemorySettings settings;
  tavik::FixedScreenInfo screen;
  tavik::testing::ScriptedFormInfo dialog;
  dialog.form_name = "Fuzzed";
  dialog.caption = "Fuzzed";
  dialog.filespec = form_file.string();
  dialog.picked_path = form_file.string();
  tavik::Platform platform = tavik::CurrentPlatform();
  platform.settings = &settings;
  platform.screen = &screen;
  platform.form_info_frontend = &dialog;
  platform.save_file_picker = &dialog;
  tavik::ScopedPlatform scope(platform);

  FileClient client(version);
  if (RegisterClient(&client) != 1) __builtin_trap();
  (void)DoForwardEngineering(host_value, version);
  UnRegisterClient(client.process);
}

}  // namespace

void GenerateBothVersions(std::uint32_t host_value) {
  static OutputFolder folder;
  const fs::path form_file = folder.path() / "FUZZED.FRM";
  // The two versions share most of the generator but differ in controls and code.
  for (std::uint16_t version : {std::uint16_t{3}, std::uint16_t{4}}) {
    Generate(host_value, version, form_file);
    std::error_code ignored;
    fs::remove(form_file, ignored);
  }
}

}  // namespace tavik::fuzz
