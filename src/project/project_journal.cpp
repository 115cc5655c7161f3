// Reading, writing and finishing the journal of a project's folder.
#include "project/project_journal.h"

#include <fmt/format.h>

#include <fstream>
#include <sstream>
#include <system_error>

#include "base/exit_status.h"
#include "platform/file_output.h"

namespace tavik::project {

namespace fs = std::filesystem;

namespace {

constexpr const char* kFirstLine = "tavikfw project";

// A name the journal may hold: a file directly in the folder, never a way out of it.
bool IsPlainName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of("/\\:") == std::string::npos;
}

}  // namespace

std::optional<ProjectJournal> ProjectJournal::Read(const fs::path& folder) {
  std::ifstream in(folder / kFileName, std::ios::binary);
  std::string line;
  if (!in || !std::getline(in, line) || line != kFirstLine) return std::nullopt;
  ProjectJournal journal;
  while (std::getline(in, line)) {
    const std::size_t blank = line.find(' ');
    const std::string word = line.substr(0, blank);
    const std::string name = blank == std::string::npos ? "" : line.substr(blank + 1);
    if (!IsPlainName(name)) return std::nullopt;
    if (word == "staging") {
      journal.staging = name;
    } else if (word == "file") {
      journal.files.push_back(name);
    } else if (word == "removed") {
      journal.removed.push_back(name);
    } else {
      return std::nullopt;
    }
  }
  return journal;
}

int ProjectJournal::Write(const fs::path& folder) const {
  std::string text = fmt::format("{}\n", kFirstLine);
  if (Publishing()) text += fmt::format("staging {}\n", staging);
  for (const std::string& file : files) text += fmt::format("file {}\n", file);
  for (const std::string& file : removed) text += fmt::format("removed {}\n", file);
  if (WriteFileAtomically((folder / kFileName).string(), text) != 0) return kExitWriteFailed;
  return kExitOk;
}

void ProjectJournal::FinishPublishing(const fs::path& folder, ProjectJournal& journal) {
  std::error_code ignored;
  const fs::path staging = folder / journal.staging;
  for (const std::string& file : journal.files) {
    if (fs::exists(staging / file, ignored)) fs::rename(staging / file, folder / file, ignored);
  }
  for (const std::string& file : journal.removed) fs::remove(folder / file, ignored);
  journal.staging.clear();
  journal.removed.clear();
  (void)journal.Write(folder);  // a failure was shown; the files are in place all the same
}

}  // namespace tavik::project
