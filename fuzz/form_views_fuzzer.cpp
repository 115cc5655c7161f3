// Fuzzes what the program makes of a form it reads: the inspect report (as text or JSON,
// with the data sources collected) and the preview's drawing.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>

#include "cli/inspect_command.h"
#include "formfile/form_file_reader.h"
#include "preview/form_preview.h"

namespace {

// The report goes to standard output, which is thrown away; inspect reads a file, so each
// input is written to one of this process's own.
const std::string& FormPath() {
  static const std::string path = [] {
    if (std::freopen("/dev/null", "w", stdout) == nullptr) std::abort();
    return "/tmp/tavik_form_views_" + std::to_string(::getpid()) + ".FRM";
  }();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  auto outcome = tavik::formfile::FormFileReader::Read(text);
  if (!outcome.form) return 0;
  (void)tavik::preview::FormPreview::Svg(*outcome.form);
  std::ofstream(FormPath(), std::ios::binary | std::ios::trunc) << text;
  tavik::cli::InspectOptions options;
  options.form_paths = {FormPath()};
  options.smart_re = true;
  options.json = size % 2 == 0;
  (void)tavik::cli::InspectCommand(options).Run();
  return 0;
}
