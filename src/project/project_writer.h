// One run of a whole project: the forms, the start-up form, the support module and the
// project file, staged in the project's folder and moved to their places when all are written.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <unordered_set>
#include <vector>

#include "formfile/form_file_reader.h"
#include "formfile/form_tally.h"
#include "project/project_description.h"
#include "project/project_folder.h"
#include "project/project_names.h"
#include "project/routine_scanner.h"
#include "project/start_form.h"

namespace tavik::project {

class DatabaseForms;
class ProjectHost;

class ProjectWriter {
 public:
  struct Options {
    std::string input_path;  // a model file, a database file or a server's address
    std::filesystem::path folder;
    std::uint16_t version = 4;
    bool force = false;            // a folder that holds files may be written to
    StartForm::Database database;  // what the forms of a database open
  };

  ProjectWriter(Options options, ProjectHost& host);

  // The project of the model file: its one form. 0, or the exit status with its message
  // shown: 65 and 66 a model refused or unreadable, 70 a form that calls what the module
  // lacks, 73 a folder that cannot be used, 74 a write that failed; a form's run status when
  // its generation failed. Nothing is left in the folder on failure.
  [[nodiscard]] int WriteFromModelFile();
  // The project of a database: a form per table, and the start-up form that opens them.
  [[nodiscard]] int WriteFromDatabase(const DatabaseForms& forms);

  // Where the project file stands once written.
  std::filesystem::path ProjectFilePath() const { return folder_.Final(project_file_); }

 private:
  [[nodiscard]] int Publish(int status);
  [[nodiscard]] int WriteTableForm(const DatabaseForms& forms, std::size_t form);
  // Generates one form from a loaded model, with a name made from the wanted one and the
  // caption (UTF-8) given; fits tells whether the form stays within Visual Basic's controls.
  [[nodiscard]] int AddForm(std::uint32_t host_value, const std::string& wanted_name,
                            const std::string& caption, bool& fits);
  // Takes back the last form, to make it again with fewer grids.
  // What a written form exceeds of Visual Basic's limits, each warning naming the form.
  static void WarnOfLimits(const std::string& file, const std::string& form_name,
                           const std::vector<std::string>& warnings);
  void DropLastForm();
  void Progress(std::size_t done, std::size_t total, const std::string& table) const;
  // The start-up form (when there is one), the module and the project file; then the
  // project file is read back, and every file it lists must have been written.
  [[nodiscard]] int Finish();
  [[nodiscard]] int WriteStartForm();
  // Every name the form's code calls must be the module's (or a form of the project).
  [[nodiscard]] int CheckCalls(const std::string& file, const RoutineScanner::Code& code,
                               const std::unordered_set<std::string>& known_names) const;
  // The code of the form file written at path with the names its printer counted, as the
  // scanner reads them, or nothing (and a message) when its code cannot be read back.
  static int ReadBackFault(const std::string& file, const std::string& message);
  static std::optional<RoutineScanner::Code> WrittenCode(const std::string& file,
                                                         const std::string& path,
                                                         const formfile::FormTally& tally);
  [[nodiscard]] int Write(const std::string& file, const std::string& text);
  [[nodiscard]] int CheckListed(const std::string& text);

  Options options_;
  ProjectHost& host_;
  ProjectFolder folder_;
  std::string module_;
  RoutineScanner::Definitions module_definitions_;
  bool show_progress_;
  ProjectNames names_;
  ProjectDescription project_;
  std::string project_file_;
  std::string start_file_;
  std::set<std::string> control_classes_;
  std::vector<StartForm::Entry> entries_;
};

}  // namespace tavik::project
