// The small file a project's folder keeps of its project: the files the last run wrote, and
// while a run moves its files into place, what it moves and removes, so that a run stopped
// half-way is finished by the next.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tavik::project {

class ProjectJournal {
 public:
  static constexpr const char* kFileName = ".tavik-project";

  // The staging folder whose files are being moved; empty once the project is in place.
  std::string staging;
  std::vector<std::string> files;    // the project's files, staged or in place
  std::vector<std::string> removed;  // earlier files of the project that go

  bool Publishing() const { return !staging.empty(); }

  // The journal of the folder; nothing when there is none or it is not one of ours (a name
  // in it that is not a plain file name makes it not ours).
  static std::optional<ProjectJournal> Read(const std::filesystem::path& folder);
  // Written whole over the folder's journal. 0, or 74 with a message.
  [[nodiscard]] int Write(const std::filesystem::path& folder) const;

  // Moves into place what a stopped run had staged and removes what it removed, then
  // records the project as in place. The staging folder is left for the caller.
  static void FinishPublishing(const std::filesystem::path& folder, ProjectJournal& journal);
};

}  // namespace tavik::project
