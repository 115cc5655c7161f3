// Staging and committing the files of a project.
#include "project/project_folder.h"

#include <fmt/format.h>

#include <system_error>

#include "platform/file_output.h"

namespace tavik::project {

namespace fs = std::filesystem;

namespace {

constexpr int kExitCannotCreate = 73;
constexpr int kExitWriteFailed = 74;

// Files are staged under their own names in a hidden folder inside the project's folder,
// so that moving them to their places is a rename on the same file system.
fs::path StagingFolder(const fs::path& folder) {
  return folder / ".tavik-staging";
}

fs::path StagedPath(const fs::path& folder, const std::string& file_name) {
  return StagingFolder(folder) / file_name;
}

}  // namespace

ProjectFolder::~ProjectFolder() {
  if (committed_) return;
  std::error_code ignored;
  fs::remove_all(StagingFolder(folder_), ignored);
  if (created_) fs::remove(folder_, ignored);
}

int ProjectFolder::Prepare(bool force) {
  std::error_code error;
  if (!fs::exists(folder_, error)) {
    created_ = fs::create_directories(folder_, error);
    return CreateStaging();
  }
  if (!fs::is_directory(folder_, error)) {
    fmt::print(stderr, "tavikfw project: {} is not a folder\n", folder_.string());
    return kExitCannotCreate;
  }
  if (!force && !fs::is_empty(folder_, error)) {
    fmt::print(stderr,
               "tavikfw project: the folder {} holds files; give an empty folder, or --force to "
               "replace the project's files in it\n",
               folder_.string());
    return kExitCannotCreate;
  }
  return CreateStaging();
}

int ProjectFolder::CreateStaging() {
  std::error_code error;
  fs::create_directories(StagingFolder(folder_), error);
  if (error) {
    fmt::print(stderr, "tavikfw project: cannot create the folder {}: {}\n", folder_.string(),
               error.message());
    return kExitCannotCreate;
  }
  return 0;
}

fs::path ProjectFolder::Stage(const std::string& file_name) {
  staged_.push_back(file_name);
  return StagedPath(folder_, file_name);
}

int ProjectFolder::WriteStaged(const std::string& file_name, std::string_view text) {
  return static_cast<int>(WriteFileAtomically(Stage(file_name).string(), text));
}

bool ProjectFolder::IsStaged(const std::string& file_name) const {
  std::error_code error;
  return fs::exists(StagedPath(folder_, file_name), error);
}

int ProjectFolder::Commit() {
  for (const std::string& file_name : staged_) {
    std::error_code error;
    fs::rename(StagedPath(folder_, file_name), Final(file_name), error);
    if (error) {
      fmt::print(stderr, "tavikfw project: cannot write {}: {}\n", Final(file_name).string(),
                 error.message());
      return kExitWriteFailed;
    }
  }
  committed_ = true;
  std::error_code ignored;
  fs::remove(StagingFolder(folder_), ignored);
  return 0;
}

}  // namespace tavik::project
