// Refusing outputs that are the command's own inputs.
#include "cli/output_guard.h"

#include <fmt/format.h>

#include <filesystem>
#include <system_error>

namespace tavik::cli {

void OutputGuard::AddInput(std::string path, std::string what) {
  inputs_.push_back({std::move(path), std::move(what)});
}

bool OutputGuard::SameFile(const std::string& first, const std::string& second) {
  // A path that names no file yet cannot be an input.
  std::error_code missing;
  return std::filesystem::equivalent(first, second, missing);
}

std::string OutputGuard::Refusal(const std::string& output, std::string_view what) const {
  for (const Input& input : inputs_) {
    if (!SameFile(output, input.path)) continue;
    return fmt::format(
        "the {} {} is the {} {} (the same file); it would be replaced, so nothing is written", what,
        output, input.what, input.path);
  }
  return {};
}

bool OutputGuard::Allows(const std::string& output, std::string_view what) const {
  const std::string refusal = Refusal(output, what);
  if (refusal.empty()) return true;
  fmt::print(stderr, "{}: {}\n", command_, refusal);
  return false;
}

}  // namespace tavik::cli
