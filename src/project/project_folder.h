// The folder a project is written to. A run takes the folder's lock, finishes or clears what
// an earlier run left, stages every file in a folder of its own inside it, and moves them to
// their places only when the whole project is written: the folder holds the old project or
// the new one, never a mix, and a failure leaves it as it was.
#pragma once

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/folder_lock.h"
#include "platform/native_disk.h"
#include "platform/platform.h"
#include "project/project_journal.h"

namespace tavik::project {

class ProjectFolder {
 public:
  explicit ProjectFolder(std::filesystem::path folder) : folder_(std::move(folder)) {}
  // Removes what was staged and not committed, and the folder when this made it.
  ~ProjectFolder();
  ProjectFolder(const ProjectFolder&) = delete;
  ProjectFolder& operator=(const ProjectFolder&) = delete;

  // Makes the folder when it does not exist and takes its lock. 0; 73 (with a message on
  // standard error) when it cannot be made, or holds files and force is false. From then
  // until Commit, files written through the platform's disk are synced all at once by
  // Commit, not one by one.
  [[nodiscard]] int Prepare(bool force);
  // The file a project file is written to until Commit.
  std::filesystem::path Stage(const std::string& file_name);
  // Writes a project file's text to its staged place. 0, or 74 with a message.
  [[nodiscard]] int WriteStaged(const std::string& file_name, std::string_view text);
  // Whether the file was written to its staged place; a file once found there is not looked
  // for again.
  bool IsStaged(const std::string& file_name);
  // The place of a project file.
  std::filesystem::path Final(const std::string& file_name) const { return folder_ / file_name; }
  // Puts every staged file on the disk, moves each to its place and removes the files of
  // the folder's earlier project that this one does not write. 0; 73 when a file in the way
  // cannot be replaced, 74 when the syncing or a move fails; either way the folder is left
  // as it was.
  [[nodiscard]] int Commit();

 private:
  // Finishes the moves of a run that was stopped while making them, and removes staging
  // folders and journal copies that stopped runs left.
  void ClearEarlierRuns();
  [[nodiscard]] bool HoldsFiles() const;
  [[nodiscard]] int CreateStaging();
  // 0, or 73 naming the first file the project would have to replace and must not; the
  // files there go to in_the_way_.
  [[nodiscard]] int CheckReplaceable(const std::vector<std::string>& files);
  // The moves of Commit, made after the journal says what they are; false (with a message)
  // after a move failed and those made were taken back.
  [[nodiscard]] bool MoveIntoPlace(const ProjectJournal& journal);
  void TakeBack(const std::vector<std::string>& placed, const std::vector<std::string>& set_aside);

  std::filesystem::path folder_;
  std::filesystem::path staging_;
  std::optional<FolderLock> lock_;  // held from Prepare on
  NativeDisk staging_disk_{NativeDisk::Syncing::kAllAtOnce};
  std::optional<ScopedPlatform> staging_platform_;  // the staging disk in force until Commit
  ProjectJournal earlier_;                          // the folder's project before this run
  bool created_ = false;
  bool committed_ = false;
  std::vector<std::string> staged_;
  std::set<std::string> staged_names_;
  std::set<std::string> written_;     // staged and found written
  std::set<std::string> in_the_way_;  // files of the project whose places hold a file already
};

}  // namespace tavik::project
