// Refusing outputs that are the command's own inputs or files the user did not ask to replace.
#include "cli/output_guard.h"

#include <fmt/format.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "base/exit_status.h"
#include "text/ascii_case.h"

namespace tavik::cli {

namespace fs = std::filesystem;

namespace {

bool SameNameAsWindows(const std::string& first, const std::string& second) {
  return text::SameAsciiName(first, second);
}

// Read-only by its mode: no one may write it, so not even the superuser replaces it.
bool ReadOnly(const fs::path& path) {
  std::error_code error;
  const fs::perms perms = fs::status(path, error).permissions();
  return !error && (perms & fs::perms::owner_write) == fs::perms::none;
}

}  // namespace

std::vector<fs::path> OutputGuard::Spellings(const std::string& output) const {
  std::vector<fs::path> found;
  std::error_code error;
  const fs::path path(output);
  if (fs::symlink_status(path, error).type() != fs::file_type::not_found) found.push_back(path);
  if (own_folder_) return found;
  const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
  const std::string name = path.filename().string();
  for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    const std::string other = entry->path().filename().string();
    if (other != name && SameNameAsWindows(other, name)) found.push_back(folder / other);
  }
  return found;
}

void OutputGuard::AddInput(std::string path, std::string what) {
  inputs_.push_back({std::move(path), std::move(what)});
}

bool OutputGuard::SameFile(const std::string& first, const std::string& second) {
  // A path that names no file yet cannot be an input.
  std::error_code missing;
  return fs::equivalent(first, second, missing);
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

OutputGuard::Verdict OutputGuard::Judge(const std::string& output, std::string_view what) const {
  // In a folder of the run's own a path that names nothing yet is free: it is no input and no
  // folder, and no other spelling of it can be there. One look at it is enough.
  std::error_code missing;
  if (own_folder_ && fs::symlink_status(output, missing).type() == fs::file_type::not_found) {
    return {};
  }
  if (std::string refusal = Refusal(output, what); !refusal.empty()) {
    return {kExitUsage, std::move(refusal)};
  }
  std::error_code error;
  if (!output.empty() && (output.back() == '/' || fs::is_directory(output, error))) {
    return {kExitCannotCreate, fmt::format("the {} {} is a folder; name a file", what, output)};
  }
  for (const fs::path& spelling : Spellings(output)) {
    const std::string shown = spelling == fs::path(output)
                                  ? output
                                  : fmt::format("{} (there as {})", output, spelling.string());
    if (fs::is_symlink(fs::symlink_status(spelling, error))) {
      return {kExitCannotCreate,
              fmt::format("the {} {} is a symbolic link, which is not followed; nothing is written",
                          what, shown)};
    }
    if (ReadOnly(spelling)) {
      return {kExitCannotCreate,
              fmt::format("the {} {} is read-only and is never replaced, not even with --force",
                          what, shown)};
    }
    if (!force_) {
      return {
          kExitCannotCreate,
          fmt::format("the {} {} exists and is not replaced (--force replaces it)", what, shown),
          true};
    }
  }
  return {};
}

int OutputGuard::Check(const std::string& output, std::string_view what) {
  const Verdict verdict = Judge(output, what);
  if (verdict.status != 0) {
    fmt::print(stderr, "{}: {}\n", command_, verdict.message);
    return verdict.status;
  }
  AcceptReplacing(output);
  return 0;
}

void OutputGuard::AcceptReplacing(const std::string& output) {
  if (own_folder_) return;  // no other spelling there to replace
  for (const fs::path& spelling : Spellings(output)) {
    if (spelling != fs::path(output)) replaced_.push_back({output, spelling.string()});
  }
}

void OutputGuard::RemoveReplacedSpellings() {
  for (const Replaced& replaced : replaced_) {
    // Where names are compared without case the output is the same file: it stays.
    if (SameFile(replaced.output, replaced.other_spelling)) continue;
    std::error_code ignored;
    if (fs::exists(replaced.output, ignored)) fs::remove(replaced.other_spelling, ignored);
  }
  replaced_.clear();
}

}  // namespace tavik::cli
