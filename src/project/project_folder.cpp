// Locking, staging, committing and clearing up the files of a project.
#include "project/project_folder.h"

#include <fmt/format.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <system_error>

#include "base/exit_status.h"

namespace tavik::project {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kStagingPrefix = ".tavik-staging-";
// Where a run keeps the files its own replace or remove until its files are all in place.
constexpr const char* kSetAside = "replaced";
// A folder made by one run can be removed by it, on failure, while another waits for its
// lock; the waiting run then makes it again, a few times at most.
constexpr int kPrepareAttempts = 3;

bool StartsWith(const std::string& text, std::string_view prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

bool IsReadOnly(fs::perms perms) {
  return (perms & (fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write)) ==
         fs::perms::none;
}

std::string RandomSuffix() {
  std::random_device random;
  return fmt::format("{:08x}", random());
}

}  // namespace

ProjectFolder::~ProjectFolder() {
  if (committed_) return;
  std::error_code ignored;
  if (!staging_.empty()) fs::remove_all(staging_, ignored);
  if (created_) fs::remove(folder_, ignored);  // only when empty
}

int ProjectFolder::Prepare(bool force) {
  std::error_code error;
  for (int attempt = 0; attempt < kPrepareAttempts; ++attempt) {
    if (!fs::exists(folder_, error)) {
      created_ = fs::create_directories(folder_, error);
    } else if (!fs::is_directory(folder_, error)) {
      fmt::print(stderr, "tavikfw project: {} is not a folder\n", folder_.string());
      return kExitCannotCreate;
    }
    lock_.emplace(folder_.string());
    if (fs::exists(folder_, error)) break;
    lock_.reset();
  }
  ClearEarlierRuns();
  if (!force && HoldsFiles()) {
    fmt::print(stderr,
               "tavikfw project: the folder {} holds files; give an empty folder, or --force to "
               "replace the project's files in it\n",
               folder_.string());
    return kExitCannotCreate;
  }
  return CreateStaging();
}

void ProjectFolder::ClearEarlierRuns() {
  std::optional<ProjectJournal> journal = ProjectJournal::Read(folder_);
  if (journal && journal->Publishing()) {
    fmt::print(stderr,
               "tavikfw project: an earlier run was stopped while putting its files in place "
               "in {}; its project is finished first\n",
               folder_.string());
    ProjectJournal::FinishPublishing(folder_, *journal);
  }
  if (journal) earlier_ = *journal;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder_, error)) {
    const std::string name = entry.path().filename().string();
    const std::string journal_copy = std::string(ProjectJournal::kFileName) + ".";
    if (StartsWith(name, kStagingPrefix) || StartsWith(name, journal_copy)) {
      std::error_code ignored;
      fs::remove_all(entry.path(), ignored);
    }
  }
}

bool ProjectFolder::HoldsFiles() const {
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder_, error)) {
    if (entry.path().filename() != ProjectJournal::kFileName) return true;
  }
  return false;
}

int ProjectFolder::CreateStaging() {
  std::error_code error;
  do {
    staging_ = folder_ / (std::string(kStagingPrefix) + RandomSuffix());
  } while (!fs::create_directory(staging_, error) && !error);
  if (error) {
    staging_.clear();
    fmt::print(stderr, "tavikfw project: cannot write in the folder {}: {}\n", folder_.string(),
               error.message());
    return kExitCannotCreate;
  }
  staging_disk_.SetOwnFolder(staging_.string());
  Platform staging = CurrentPlatform();
  staging.disk = &staging_disk_;
  staging_platform_.emplace(staging);
  return kExitOk;
}

fs::path ProjectFolder::Stage(const std::string& file_name) {
  if (staged_names_.insert(file_name).second) staged_.push_back(file_name);
  return staging_ / file_name;
}

int ProjectFolder::WriteStaged(const std::string& file_name, std::string_view text) {
  const std::string path = Stage(file_name).string();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  bool written = file != nullptr && std::fwrite(text.data(), 1, text.size(), file) == text.size();
  int error = errno;
  if (file != nullptr && std::fclose(file) != 0 && written) {
    written = false;
    error = errno;
  }
  if (!written) {
    // The staged path is this run's own business: the message names the file's place.
    fmt::print(stderr, "tavikfw project: cannot write {}: {}\n", Final(file_name).string(),
               std::strerror(error));
    return kExitWriteFailed;
  }
  written_.insert(file_name);
  return kExitOk;
}

bool ProjectFolder::IsStaged(const std::string& file_name) {
  if (written_.count(file_name) != 0) return true;
  std::error_code error;
  if (staged_names_.count(file_name) == 0 || !fs::exists(staging_ / file_name, error)) return false;
  written_.insert(file_name);
  return true;
}

int ProjectFolder::CheckReplaceable(const std::vector<std::string>& files) {
  for (const std::string& file : files) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(Final(file), error);
    if (!fs::exists(status)) continue;
    in_the_way_.insert(file);
    const char* why = fs::is_directory(status) ? "is a folder"
                      : fs::is_regular_file(status) && IsReadOnly(status.permissions())
                          ? "is read-only"
                          : nullptr;
    if (why != nullptr) {
      fmt::print(stderr,
                 "tavikfw project: {} {}, so the project cannot replace it; nothing in the "
                 "folder was changed\n",
                 Final(file).string(), why);
      return kExitCannotCreate;
    }
  }
  return kExitOk;
}

int ProjectFolder::Commit() {
  staging_platform_.reset();
  // Nothing moves until every staged file is on the disk.
  if (const std::string error = NativeDisk::SyncAll(staging_.string()); !error.empty()) {
    fmt::print(stderr, "tavikfw project: cannot write the project's files in {}: {}\n",
               folder_.string(), error);
    return kExitWriteFailed;
  }
  ProjectJournal journal;
  journal.staging = staging_.filename().string();
  journal.files = staged_;
  for (const std::string& file : earlier_.files) {
    std::error_code error;
    if (staged_names_.count(file) == 0 && fs::exists(Final(file), error)) {
      journal.removed.push_back(file);
    }
  }
  std::vector<std::string> touched = journal.files;
  touched.insert(touched.end(), journal.removed.begin(), journal.removed.end());
  if (int status = CheckReplaceable(touched)) return status;
  if (int status = journal.Write(folder_)) return status;
  if (!MoveIntoPlace(journal)) {
    std::error_code ignored;
    if (earlier_.files.empty()) {
      fs::remove(folder_ / ProjectJournal::kFileName, ignored);
    } else {
      (void)earlier_.Write(folder_);  // a failure was shown; the next run cleans up
    }
    return kExitWriteFailed;
  }
  committed_ = true;
  journal.staging.clear();
  journal.removed.clear();
  (void)journal.Write(folder_);  // a failure was shown; the project is in place all the same
  std::error_code ignored;
  fs::remove_all(staging_, ignored);
  return kExitOk;
}

bool ProjectFolder::MoveIntoPlace(const ProjectJournal& journal) {
  const fs::path aside = staging_ / kSetAside;
  std::vector<std::string> placed;
  std::vector<std::string> set_aside;
  std::error_code error;
  // The folder is locked: what was in the way when checked is in the way now. The folder
  // the old files go to is made for the first of them: a new project has none.
  auto set_aside_old = [&](const std::string& file) {
    if (error || in_the_way_.count(file) == 0) return;
    if (set_aside.empty()) fs::create_directory(aside, error);
    if (!error) fs::rename(Final(file), aside / file, error);
    if (!error) set_aside.push_back(file);
  };
  std::string failed;
  for (const std::string& file : journal.files) {
    set_aside_old(file);
    if (!error) fs::rename(staging_ / file, Final(file), error);
    if (error) {
      failed = file;
      break;
    }
    placed.push_back(file);
  }
  for (const std::string& file : journal.removed) {
    set_aside_old(file);
    if (error && failed.empty()) failed = file;
  }
  if (!error) return true;
  fmt::print(stderr, "tavikfw project: cannot replace {}: {}; the folder is left as it was\n",
             Final(failed).string(), error.message());
  TakeBack(placed, set_aside);
  return false;
}

void ProjectFolder::TakeBack(const std::vector<std::string>& placed,
                             const std::vector<std::string>& set_aside) {
  std::error_code ignored;
  for (const std::string& file : placed) fs::rename(Final(file), staging_ / file, ignored);
  for (const std::string& file : set_aside) {
    fs::rename(staging_ / kSetAside / file, Final(file), ignored);
  }
}

}  // namespace tavik::project
