// `tavikfw inspect`: the reverse-engineering dialog over form files run in the environment.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tavik::cli {

struct InspectOptions {
  std::vector<std::string> form_paths;
  std::uint16_t version = 4;
  bool json = false;
  std::optional<std::string> form_name;        // UTF-8, as given
  std::optional<std::string> generate_folder;  // regenerate the chosen form live into it
  bool smart_re = false;
  std::optional<std::string> encoding;        // the forms' code page; Windows-1252 when not given
  bool force = false;                         // --generate may replace a file that was there before
  std::optional<std::string> preview_folder;  // write a picture of each form into it
};

class InspectCommand {
 public:
  explicit InspectCommand(InspectOptions options) : options_(std::move(options)) {}
  // 0; 64 for a usage fault (no form of that name, a code page not known, a regenerated form
  // that would replace an inspected file); 65 when a form file was refused and 66 when one
  // could not be read (the others are inspected all the same); else the status of
  // regeneration (73 when its file exists and --force was not given).
  int Run();

 private:
  InspectOptions options_;
};

}  // namespace tavik::cli
