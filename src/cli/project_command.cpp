// The `project` command: its options checked, the database read, the run handed on.
#include "cli/project_command.h"

#include <fmt/format.h>

#include <optional>

#include "cli/command_line.h"
#include "cli/generate_command.h"
#include "cli/run_settings.h"
#include "import/database_file.h"
#include "platform/settings_path.h"
#include "project/database_project.h"
#include "project/project_writer.h"
#include "project/record_features.h"
#include "text/windows1252.h"
#ifdef TAVIK_PREVIEW
#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "text/ascii_case.h"

#include "cli/preview_command.h"
#include "formfile/form_file_reader.h"
#include "platform/file_output.h"
#include "preview/gallery_page.h"
#endif

namespace tavik::cli {

ProjectCommand::ProjectCommand(ProjectOptions options) : options_(std::move(options)) {
  // The input may stand in the project's folder (with --force): no file may replace it.
  guard_.AddInput(options_.input_path, "input");
}

int ProjectCommand::Run() {
  for (const auto* text : {&options_.database, &options_.connect}) {
    if (!*text) continue;
    if (std::string fault = text::FormTextFault(**text); !fault.empty()) {
      fmt::print(stderr, "tavikfw project: {}\n", fault);
      return kExitUsage;
    }
  }
  const bool database = import::DatabaseFile::IsDatabase(options_.input_path.c_str());
  if (!database && (!options_.schema.tables.empty() || !options_.schema.grid_tables.empty())) {
    fmt::print(stderr,
               "tavikfw project: --table and --grid choose the tables of a database; "
               "{} is a model file\n",
               options_.input_path);
    return kExitUsage;
  }
  if (!database && (!options_.lookups.empty() || !options_.orders.empty())) {
    fmt::print(stderr,
               "tavikfw project: --lookup and --order name columns of a database's tables; "
               "{} is a model file\n",
               options_.input_path);
    return kExitUsage;
  }
  project::RecordFeatures features = project::RecordFeatures::All();
  if (std::string fault = features.TakeTableColumns(options_.lookups, options_.orders);
      !fault.empty()) {
    fmt::print(stderr, "tavikfw project: {}\n", fault);
    return kExitUsage;
  }
  const std::string settings_path = options_.settings_path.value_or(DefaultSettingsPath());
  if (std::string refusal = RunSettings::Refusal(settings_path); !refusal.empty()) {
    fmt::print(stderr, "tavikfw project: {}\n", refusal);
    return kExitUsage;
  }
  RunSettings settings(settings_path);
  options_.settings = &settings;
  project::ProjectWriter::Options writing{
      options_.input_path, options_.folder, options_.version, options_.force, {}};
  if (database) {
    from_database_ = true;
    writing.database = project::DatabaseProject::Connection(options_.input_path, options_.version,
                                                            options_.database, options_.connect);
  }
  project::ProjectWriter writer(std::move(writing), *this);
  const int status =
      database ? project::DatabaseProject::Write(writer, options_.input_path, options_.schema,
                                                 options_.version, features)
               : writer.WriteFromModelFile();
  return Finish(status, writer, settings);
}

int ProjectCommand::Finish(int status, const project::ProjectWriter& writer,
                           RunSettings& settings) const {
  if (status == 0 && options_.preview) status = WriteGallery();
  if (status == 0) {
    (void)settings.Commit();  // a failure is a warning: the project is written
    fmt::print("{}\n", writer.ProjectFilePath().string());
  }
  return status;
}

int ProjectCommand::GenerateForm(std::uint32_t host_value, const std::string& form_name,
                                 const std::string& caption, const std::string& output,
                                 const std::string& shown_output) {
  GenerateOptions generate;
  generate.model_path = options_.input_path;
  generate.version = options_.version;
  generate.name = form_name;
  generate.caption = caption;
  generate.database = options_.database;
  generate.connect = options_.connect;
  generate.from_database = from_database_;
  generate.output = output;
  generate.shown_output = shown_output;
  generate.settings_path = options_.settings_path;
  generate.shared_settings = options_.settings;
  generate.on_entity_error = EntityErrorAnswer::kContinue;
  generate.print_written_path = false;
  return GenerateCommand(generate).RunOnLoadedModel(host_value);
}

int ProjectCommand::WriteGallery() const {
#ifdef TAVIK_PREVIEW
  const std::filesystem::path folder = std::filesystem::path(options_.folder) / "preview";
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    fmt::print(stderr, "tavikfw project: {}: {}\n", folder.string(), error.message());
    return kExitCannotCreate;
  }
  preview::GalleryPage page;
  // Every form of the project, the start-up form too, by the name of its file.
  std::vector<std::string> forms;
  for (const auto& entry : std::filesystem::directory_iterator(options_.folder, error)) {
    if (text::SameAsciiName(entry.path().extension().string(), ".FRM")) {
      forms.push_back(entry.path().string());
    }
  }
  std::sort(forms.begin(), forms.end());
  for (const std::string& path : forms) {
    const formfile::FormFileReader::Outcome read = formfile::FormFileReader::ReadFile(path);
    if (!read.form) {
      fmt::print(stderr, "tavikfw project: {} cannot be drawn: {}\n", path,
                 text::Windows1252ToUtf8(read.fault.message));
      return kExitSoftware;
    }
    const text::CodePage code_page = text::CodePage::Windows1252();
    if (const int status =
            PreviewCommand::WriteInto(folder.string(), *read.form, code_page, path)) {
      return status;
    }
    page.Add(code_page.ToUtf8(read.form->Name()), *read.form);
  }
  return static_cast<int>(WriteFileAtomically((folder / "index.html").string(), page.Html()));
#else
  return 0;
#endif
}

bool ProjectCommand::MayWrite(const std::string& path, std::string_view what) {
  return guard_.Allows(path, what);
}

}  // namespace tavik::cli
