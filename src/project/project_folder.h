// The folder a project is written to: every file is staged beside its place and moved
// there only when the whole project is written, so that a failure leaves no half project.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tavik::project {

class ProjectFolder {
 public:
  explicit ProjectFolder(std::filesystem::path folder) : folder_(std::move(folder)) {}
  // Removes what was staged and not committed, and the folder when this made it.
  ~ProjectFolder();
  ProjectFolder(const ProjectFolder&) = delete;
  ProjectFolder& operator=(const ProjectFolder&) = delete;

  // Makes the folder when it does not exist. 0; 73 (with a message on standard error) when
  // it cannot be made, or holds files and force is false.
  [[nodiscard]] int Prepare(bool force);
  // The temporary file a project file is written to until Commit.
  std::filesystem::path Stage(const std::string& file_name);
  // Writes a project file's text to its staged place. 0, 73 or 74 with a message.
  [[nodiscard]] int WriteStaged(const std::string& file_name, std::string_view text);
  // Whether the file was written to its staged place.
  bool IsStaged(const std::string& file_name) const;
  // The place of a project file.
  std::filesystem::path Final(const std::string& file_name) const { return folder_ / file_name; }
  // Moves every staged file to its place. 0, or 74 with a message.
  [[nodiscard]] int Commit();

 private:
  [[nodiscard]] int CreateStaging();

  std::filesystem::path folder_;
  bool created_ = false;
  bool committed_ = false;
  std::vector<std::string> staged_;
};

}  // namespace tavik::project
