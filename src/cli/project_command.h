// `tavikfw project`: a whole Visual Basic project from a model file or a database.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/output_guard.h"
#include "import/schema_import_options.h"
#include "platform/settings_file.h"
#include "project/project_host.h"
#include "project/project_writer.h"

namespace tavik::cli {

class RunSettings;

struct ProjectOptions {
  std::string input_path;  // a model file, a database file or a server's address
  std::string folder;
  std::uint16_t version = 4;
  import::SchemaImportOptions schema;  // --table and --grid, for a database
  // TABLE=COLUMN texts of --lookup and --order, for a database.
  std::vector<std::string> lookups;
  std::vector<std::string> orders;
  std::optional<std::string> database;
  std::optional<std::string> connect;
  std::optional<std::string> settings_path;
  bool force = false;
  // Also draw each form and a page of them all into the folder's "preview" folder.
  bool preview = false;
  // The settings every form of the run reads and writes; Run sets it.
  SettingsFile* settings = nullptr;
};

// Checks the options, reads a database's schema and hands the run to the project writer,
// serving it the generation runs of its forms.
class ProjectCommand : private project::ProjectHost {
 public:
  explicit ProjectCommand(ProjectOptions options);
  // 0, printing the project file's path; 64 usage, 65 and 66 an input refused or unreadable,
  // 73 a folder that holds files or cannot be made, 74 a write that failed; a form's run
  // status when its generation failed. Nothing is left in the folder on failure.
  int Run();

 private:
  int GenerateForm(std::uint32_t host_value, const std::string& form_name,
                   const std::string& caption, const std::string& output,
                   const std::string& shown_output) override;
  bool MayWrite(const std::string& path, std::string_view what) override;
  // The gallery when asked for, the settings kept and the project file's path printed, after
  // a run that succeeded; the run's status, or the gallery's.
  int Finish(int status, const project::ProjectWriter& writer, RunSettings& settings) const;
  // The pictures of the project's forms and the page that shows them: 0, or the status of
  // the first that could not be written.
  int WriteGallery() const;

  ProjectOptions options_;
  bool from_database_ = false;
  OutputGuard guard_{"tavikfw project"};
};

}  // namespace tavik::cli
