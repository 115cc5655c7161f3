// Writing a whole Visual Basic project: the forms, the support module, the project file.
#include "cli/project_command.h"

#include <fmt/format.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <system_error>
#include <unordered_set>
#include <vector>

#include "cli/command_line.h"
#include "cli/generate_command.h"
#include "cli/output_guard.h"
#include "cli/run_settings.h"
#include "import/database_file.h"
#include "import/database_schema.h"
#include "platform/file_output.h"
#include "platform/settings_path.h"
#include "platform/terminal.h"
#include "project/database_forms.h"
#include "project/project_file.h"
#include "project/project_folder.h"
#include "project/project_names.h"
#include "project/project_reader.h"
#include "project/routine_scanner.h"
#include "project/start_form.h"
#include "project/support_module.h"
#include "tavikfw/brenlo.h"
#include "text/windows1252.h"

namespace tavik::cli {

namespace fs = std::filesystem;
using project::ProjectDescription;

namespace {

constexpr const char* kErrorCaption = "Tavik Form Wizard Error";
constexpr int kExitSoftware = 70;
// Visual Basic takes at most this many controls on a form.
constexpr std::size_t kMostControls = 254;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The controls of a form file, and their classes.
std::size_t CountControls(const std::string& form, std::set<std::string>& classes) {
  std::size_t count = 0;
  std::istringstream lines(form);
  for (std::string line; std::getline(lines, line);) {
    std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line.compare(start, 6, "Begin ") != 0) continue;
    std::string rest = line.substr(start + 6);
    std::string control_class = rest.substr(0, rest.find(' '));
    if (control_class != "Form" && control_class != "VB.Form") {
      ++count;
      classes.insert(control_class);
    }
  }
  return count;
}

}  // namespace

// One run of the command: the names handed out, the forms written so far.
class ProjectCommand::Writer {
 public:
  Writer(const ProjectOptions& options, project::ProjectFolder& folder)
      : options_(options),
        folder_(folder),
        module_(project::SupportModule::Text(options.version)),
        module_definitions_(project::RoutineScanner::Defined(module_)),
        show_progress_(IsTerminal(StandardStream::kError)) {
    // The input may stand in the project's folder (with --force): no file may replace it.
    guard_.AddInput(options.input_path, "input");
    std::string stem = fs::path(options.input_path).stem().string();
    project_.version = options.version;
    project_.name = names_.Identifier(stem);
    project_.title = text::Utf8ToWindows1252(stem).value_or(project_.name);
    project_file_ = names_.FileName(stem, project::ProjectFile::Extension(options.version));
    project_.exe_file = names_.FileName(stem, "EXE");
    project_.module_name = project::SupportModule::kName;
    project_.module_file = names_.FileName("TAVIKSUP", "BAS");
  }

  const std::string& ProjectFile() const { return project_file_; }

  // Reserves the start-up form's names; forms made from tables come after it.
  void ReserveStartForm() {
    project_.startup_form = names_.Identifier("frmMainMenu");
    start_file_ = names_.FileName("MAINMENU", "FRM");
  }

  // Generates one form from a loaded model into the project, with a name made from the
  // wanted one and the caption (UTF-8) given; fits tells whether the form stays within
  // Visual Basic's controls.
  int AddForm(std::uint32_t host_value, const std::string& wanted_name, const std::string& caption,
              bool& fits) {
    std::string form_name = names_.Identifier(wanted_name);
    std::string file = names_.FileName(caption, "FRM");
    if (!guard_.Allows(folder_.Final(file).string(), "form file")) return kExitUsage;
    if (int status = Generate(host_value, form_name, caption, folder_.Stage(file))) return status;
    std::string text = ReadFile(StagedPathOf(file));
    std::set<std::string> classes;
    fits = CountControls(text, classes) <= kMostControls;
    if (int status = CheckCalls(file, text, {})) return status;
    control_classes_.insert(classes.begin(), classes.end());
    project_.forms.push_back({file, form_name});
    entries_.push_back({form_name, text::Utf8ToWindows1252(caption).value_or(form_name)});
    return 0;
  }

  // Takes back the last form, to make it again with fewer grids.
  void DropLastForm() {
    project_.forms.pop_back();
    entries_.pop_back();
  }

  void Progress(std::size_t done, std::size_t total, const std::string& table) const {
    if (!show_progress_ || total < 2) return;
    fmt::print(stderr, "\rtavikfw project: form {} of {} ({})\x1b[K", done, total, table);
    if (done == total) fmt::print(stderr, "\n");
  }

  // The start-up form (when reserved), the module and the project file; then the project
  // file is read back, and every file it lists must have been written.
  int Finish() {
    if (!start_file_.empty()) {
      std::string text = project::StartForm::Text(options_.version, project_.startup_form,
                                                  project_.title, entries_);
      std::unordered_set<std::string> form_names;
      for (const auto& form : project_.forms) form_names.insert(Upper(form.name));
      if (int status = CheckCalls(start_file_, text, form_names)) return status;
      if (int status = Write(start_file_, text)) return status;
      project_.forms.insert(project_.forms.begin(), {start_file_, project_.startup_form});
    } else {
      project_.startup_form = project_.forms.front().name;
    }
    project_.controls = project::ProjectFile::Controls(options_.version, control_classes_);
    if (options_.version != 3) project_.references = project::ProjectFile::References();
    if (int status = Write(project_.module_file, module_)) return status;
    std::string text = project::ProjectFile::Text(project_);
    if (int status = Write(project_file_, text)) return status;
    return CheckListed(text);
  }

 private:
  static std::string Upper(std::string text) {
    for (char& c : text) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
    return text;
  }

  fs::path StagedPathOf(const std::string& file) const {
    return folder_.Final(".tavik-staging") / file;
  }

  int Generate(std::uint32_t host_value, const std::string& form_name, const std::string& caption,
               const fs::path& output) const {
    GenerateOptions generate;
    generate.model_path = options_.input_path;
    generate.version = options_.version;
    generate.name = form_name;
    generate.caption = caption;
    generate.database = options_.database;
    generate.connect = options_.connect;
    generate.output = output.string();
    generate.settings_path = options_.settings_path;
    generate.shared_settings = options_.settings;
    generate.on_entity_error = EntityErrorAnswer::kContinue;
    generate.print_written_path = false;
    int status = GenerateCommand(generate).RunOnLoadedModel(host_value);
    if (status == 0 && !fs::exists(output)) status = kExitUsage;
    return status;
  }

  // Every name the form calls must be the module's (or a form of the project).
  int CheckCalls(const std::string& file, const std::string& text,
                 const std::unordered_set<std::string>& known_names) const {
    std::vector<std::string> faults =
        project::RoutineScanner::Check(text, module_definitions_, options_.version, known_names);
    for (const std::string& fault : faults) {
      fmt::print(stderr, "tavikfw project: {}: {}, not in the support module\n", file, fault);
    }
    return faults.empty() ? 0 : kExitSoftware;
  }

  int Write(const std::string& file, const std::string& text) const {
    if (!guard_.Allows(folder_.Final(file).string(), "file")) return kExitUsage;
    return static_cast<int>(WriteFileAtomically(folder_.Stage(file).string(), text));
  }

  int CheckListed(const std::string& text) const {
    project::ProjectReader::Outcome read = project::ProjectReader::Read(text);
    if (!read.project) {
      fmt::print(stderr, "tavikfw project: {}: {}\n", project_file_, read.error);
      return kExitSoftware;
    }
    for (const auto& form : read.project->forms) {
      if (!fs::exists(StagedPathOf(form.file))) {
        fmt::print(stderr, "tavikfw project: {} lists {}, which was not written\n", project_file_,
                   form.file);
        return kExitSoftware;
      }
    }
    return 0;
  }

  const ProjectOptions& options_;
  project::ProjectFolder& folder_;
  OutputGuard guard_{"tavikfw project"};
  std::string module_;
  project::RoutineScanner::Definitions module_definitions_;
  bool show_progress_;
  project::ProjectNames names_;
  ProjectDescription project_;
  std::string project_file_;
  std::string start_file_;
  std::set<std::string> control_classes_;
  std::vector<project::StartForm::Entry> entries_;
};

namespace {

// Loads a model file; 0, or the exit status with the reason shown.
int LoadModel(const std::string& path, std::uint32_t& host_value) {
  if (int result = BR_LoadModelFile(path.c_str(), &host_value); result != 0) {
    fmt::print(stderr, "{}: {}\n", kErrorCaption, BR_LastLoadError());
    return result == BR_LOAD_UNREADABLE ? kExitModelUnreadable : kExitModelRefused;
  }
  return 0;
}

// A project from a model file: its form, the module and the project file.
int WriteModelProject(ProjectCommand::Writer& writer, const std::string& path) {
  std::uint32_t host_value = 0;
  if (int status = LoadModel(path, host_value)) return status;
  std::string stem = fs::path(path).stem().string();
  bool fits = true;
  int status = writer.AddForm(host_value, "frm" + stem, stem, fits);
  BR_UnloadModel(host_value);
  if (status == 0 && !fits) {
    fmt::print(stderr,
               "tavikfw project: the form has more than {} controls, which Visual Basic "
               "cannot load\n",
               kMostControls);
  }
  return status;
}

// One table's form, with as many of the tables that reference it as grids as keep the form
// within Visual Basic's controls.
int WriteTableForm(ProjectCommand::Writer& writer, const project::DatabaseForms& forms,
                   std::size_t form) {
  const std::string table = forms.TableName(form);
  std::size_t grids = forms.ChildCount(form);
  for (;;) {
    std::uint32_t host_value = 0;
    std::string model = forms.ModelText(form, grids);
    if (BR_LoadModelText(model.data(), model.size(), &host_value) != 0) {
      fmt::print(stderr, "{}: table {}: {}\n", kErrorCaption, table, BR_LastLoadError());
      return kExitModelRefused;
    }
    bool fits = true;
    int status = writer.AddForm(host_value, "frm" + table, table, fits);
    BR_UnloadModel(host_value);
    if (status != 0 || fits) return status;
    if (grids == 0) {
      fmt::print(stderr,
                 "tavikfw project: the form of table {} has more than {} controls, which "
                 "Visual Basic cannot load\n",
                 table, kMostControls);
      return 0;
    }
    writer.DropLastForm();
    grids /= 2;
    fmt::print(stderr,
               "tavikfw project: the form of table {} shows {} of the {} tables that "
               "reference it, to stay within Visual Basic's {} controls\n",
               table, grids, forms.ChildCount(form), kMostControls);
  }
}

// A project from a database: a form per table and the start-up form that opens them.
int WriteDatabaseProject(ProjectCommand::Writer& writer, const ProjectOptions& options) {
  import::DatabaseSchema::Schema schema = import::DatabaseSchema::Read(
      options.input_path, options.schema, "tavikfw project", options.version);
  if (schema.status != 0) return schema.status;
  project::DatabaseForms forms(std::move(schema.model));
  writer.ReserveStartForm();
  for (std::size_t form = 0; form < forms.Count(); ++form) {
    if (int status = WriteTableForm(writer, forms, form)) return status;
    writer.Progress(form + 1, forms.Count(), forms.TableName(form));
  }
  return 0;
}

}  // namespace

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
  RunSettings settings(options_.settings_path.value_or(DefaultSettingsPath()));
  if (std::string refusal =
          RunSettings::Refusal(options_.settings_path.value_or(DefaultSettingsPath()));
      !refusal.empty()) {
    fmt::print(stderr, "tavikfw project: {}\n", refusal);
    return kExitUsage;
  }
  options_.settings = &settings;
  // The forms open the database they were made from, unless --database names another.
  if (database && !options_.database) options_.database = options_.input_path;
  project::ProjectFolder folder(options_.folder);
  if (int status = folder.Prepare(options_.force)) return status;
  Writer writer(options_, folder);
  int status = database ? WriteDatabaseProject(writer, options_)
                        : WriteModelProject(writer, options_.input_path);
  if (status == 0) status = writer.Finish();
  if (status == 0) status = folder.Commit();
  if (status == 0) {
    (void)settings.Commit();  // a failure is a warning: the project is written
    fmt::print("{}\n", folder.Final(writer.ProjectFile()).string());
  }
  return status;
}

}  // namespace tavik::cli
