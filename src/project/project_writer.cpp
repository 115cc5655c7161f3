// Writing a whole Visual Basic project: the forms, the support module, the project file.
#include "project/project_writer.h"

#include <fmt/format.h>

#include <sstream>

#include "base/exit_status.h"
#include "brenlo/model_store.h"
#include "form/vb_name_maker.h"
#include "formfile/form_file_reader.h"
#include "formfile/form_limits.h"
#include "formfile/written_forms.h"
#include "platform/terminal.h"
#include "project/database_forms.h"
#include "project/project_file.h"
#include "project/project_host.h"
#include "project/project_reader.h"
#include "project/support_module.h"
#include "tavikfw/brenlo.h"
#include "text/ascii_case.h"
#include "text/windows1252.h"

namespace tavik::project {

namespace fs = std::filesystem;

namespace {

constexpr const char* kErrorCaption = "Tavik Form Wizard Error";

// Visual Basic takes at most this many control names on a form; the elements of a control
// array share one.
constexpr std::size_t kMostControls = formfile::FormLimits::kMaxControlNames;

// Loads a model file; 0, or the exit status with the reason shown.
int LoadModel(const std::string& path, std::uint32_t& host_value) {
  if (int result = BR_LoadModelFile(path.c_str(), &host_value); result != 0) {
    fmt::print(stderr, "{}: {}\n", kErrorCaption, BR_LastLoadError());
    return result == BR_LOAD_UNREADABLE ? kExitModelUnreadable : kExitModelRefused;
  }
  std::istringstream warnings(BR_LastLoadWarnings());
  for (std::string line; std::getline(warnings, line);) {
    fmt::print(stderr, "tavikfw project: warning: {}\n", line);
  }
  return kExitOk;
}

}  // namespace

ProjectWriter::ProjectWriter(Options options, ProjectHost& host)
    : options_(std::move(options)),
      host_(host),
      folder_(options_.folder),
      module_(SupportModule::Text(options_.version)),
      module_definitions_(RoutineScanner::Defined(RoutineScanner::ModuleCode(module_))),
      show_progress_(IsTerminal(StandardStream::kError)) {
  std::string stem = fs::path(options_.input_path).stem().string();
  project_.version = options_.version;
  project_.name = names_.Identifier(stem);
  project_.title = text::Utf8ToWindows1252(stem).value_or(project_.name);
  project_file_ = names_.FileName(stem, ProjectFile::Extension(options_.version));
  project_.exe_file = names_.FileName(stem, "EXE");
  project_.module_name = SupportModule::kName;
  project_.module_file = names_.FileName("TAVIKSUP", "BAS");
}

int ProjectWriter::WriteFromModelFile() {
  if (int status = folder_.Prepare(options_.force)) return status;
  std::uint32_t host_value = 0;
  if (int status = LoadModel(options_.input_path, host_value)) return status;
  std::string stem = fs::path(options_.input_path).stem().string();
  bool fits = true;
  int status = AddForm(host_value, "frm" + stem, stem, fits);
  BR_UnloadModel(host_value);
  if (status == 0 && !fits) {
    fmt::print(stderr,
               "tavikfw project: the form has more than {} control names, which Visual "
               "Basic cannot load\n",
               kMostControls);
  }
  return Publish(status);
}

int ProjectWriter::WriteFromDatabase(const DatabaseForms& forms) {
  if (int status = folder_.Prepare(options_.force)) return status;
  project_.startup_form = names_.Identifier("frmMainMenu");
  start_file_ = names_.FileName("MAINMENU", "FRM");
  for (std::size_t form = 0; form < forms.Count(); ++form) {
    if (int status = WriteTableForm(forms, form)) return status;
    Progress(form + 1, forms.Count(), forms.TableName(form));
  }
  return Publish(kExitOk);
}

int ProjectWriter::Publish(int status) {
  if (status == 0) status = Finish();
  if (status == 0) status = folder_.Commit();
  return status;
}

// One table's form, with as many of the tables that reference it as grids as keep the form
// within Visual Basic's controls.
int ProjectWriter::WriteTableForm(const DatabaseForms& forms, std::size_t form) {
  const std::string table = forms.TableName(form);
  std::size_t grids = forms.ChildCount(form);
  for (;;) {
    std::uint32_t host_value = 0;
    // The form's document is walked from the database's where it stands: no copy is made,
    // and no text is written and read back but for the message of a document refused.
    if (brenlo::ModelStore::Shared().LoadWalked(
            [&](brenlo::ModelParser& events) { return forms.Walk(form, grids, events); },
            [&] { return forms.Model(form, grids).dump(2); }, &host_value) != 0) {
      fmt::print(stderr, "{}: table {}: {}\n", kErrorCaption, table, BR_LastLoadError());
      return kExitModelRefused;
    }
    bool fits = true;
    int status = AddForm(host_value, "frm" + table, table, fits);
    BR_UnloadModel(host_value);
    if (status != 0 || fits) return status;
    if (grids == 0) {
      fmt::print(stderr,
                 "tavikfw project: the form of table {} has more than {} control names, "
                 "which Visual Basic cannot load\n",
                 table, kMostControls);
      return kExitOk;
    }
    DropLastForm();
    grids /= 2;
    fmt::print(stderr,
               "tavikfw project: the form of table {} shows {} of the {} tables that "
               "reference it, to stay within Visual Basic's {} control names\n",
               table, grids, forms.ChildCount(form), kMostControls);
  }
}

int ProjectWriter::AddForm(std::uint32_t host_value, const std::string& wanted_name,
                           const std::string& caption, bool& fits) {
  std::string form_name =
      names_.Identifier(wanted_name, VbNameMaker::MaxFormNameLength(options_.version));
  std::string file = names_.FileName(caption, "FRM");
  if (!host_.MayWrite(folder_.Final(file).string(), "form file")) return kExitUsage;
  const fs::path staged = folder_.Stage(file);
  formfile::WrittenForms written;
  int status = host_.GenerateForm(host_value, form_name, caption, staged.string(),
                                  folder_.Final(file).string());
  if (status == 0 && !folder_.IsStaged(file)) status = kExitUsage;
  if (status != 0) return status;
  // A run writes one form file: the one the host just wrote.
  if (written.Forms().empty()) {
    fmt::print(stderr, "tavikfw project: {}: the form was not counted as it was written\n", file);
    return kExitSoftware;
  }
  const formfile::FormLimits::Reading reading = formfile::FormLimits::Judge(
      written.Forms().back().tally, options_.version, formfile::FormLimits::kProjectRemedy);
  fits = reading.loads;
  // A form that is made again with fewer grids is checked again then.
  if (fits) WarnOfLimits(file, form_name, reading.warnings);
  // The calls into the support module are checked in the form as it was written: its code
  // read back, its names as the printer counted them.
  std::optional<RoutineScanner::Code> code =
      WrittenCode(file, staged.string(), written.Forms().back().tally);
  if (!code) return kExitSoftware;
  if (int fault = CheckCalls(file, *code, {})) return fault;
  control_classes_.insert(reading.classes.begin(), reading.classes.end());
  project_.forms.push_back({file, form_name});
  entries_.push_back({form_name, text::Utf8ToWindows1252(caption).value_or(form_name)});
  return kExitOk;
}

void ProjectWriter::WarnOfLimits(const std::string& file, const std::string& form_name,
                                 const std::vector<std::string>& warnings) {
  for (const std::string& warning : warnings) {
    fmt::print(stderr, "tavikfw project: warning: {} (form {}): {}\n", file, form_name, warning);
  }
}

void ProjectWriter::DropLastForm() {
  project_.forms.pop_back();
  entries_.pop_back();
}

void ProjectWriter::Progress(std::size_t done, std::size_t total, const std::string& table) const {
  if (!show_progress_ || total < 2) return;
  fmt::print(stderr, "\rtavikfw project: form {} of {} ({})\x1b[K", done, total, table);
  if (done == total) fmt::print(stderr, "\n");
}

int ProjectWriter::Finish() {
  if (start_file_.empty()) {
    project_.startup_form = project_.forms.front().name;
  } else if (int status = WriteStartForm()) {
    return status;
  }
  project_.controls = ProjectFile::Controls(options_.version, control_classes_);
  if (options_.version != 3) project_.references = ProjectFile::References();
  if (int status = Write(project_.module_file, module_)) return status;
  std::string text = ProjectFile::Text(project_);
  if (int status = Write(project_file_, text)) return status;
  return CheckListed(text);
}

int ProjectWriter::WriteStartForm() {
  formfile::FormTally tally;
  std::string text = StartForm::Text(options_.version, project_.startup_form, project_.title,
                                     entries_, options_.database, &tally);
  // Its captions' procedure grows with the number of forms.
  WarnOfLimits(
      start_file_, project_.startup_form,
      formfile::FormLimits::Judge(tally, options_.version, formfile::FormLimits::kProjectRemedy)
          .warnings);
  std::unordered_set<std::string> form_names;
  for (const auto& form : project_.forms) form_names.insert(text::AsciiUppered(form.name));
  formfile::FormFileReader::Outcome read = formfile::FormFileReader::Read(text);
  if (!read.form) {
    return ReadBackFault(start_file_, read.fault.message);
  }
  if (int status = CheckCalls(start_file_, RoutineScanner::FormCode(*read.form), form_names)) {
    return status;
  }
  if (int status = Write(start_file_, text)) return status;
  project_.forms.insert(project_.forms.begin(), {start_file_, project_.startup_form});
  return kExitOk;
}

int ProjectWriter::ReadBackFault(const std::string& file, const std::string& message) {
  fmt::print(stderr, "tavikfw project: {}: the form written cannot be read back: {}\n", file,
             message);
  return kExitSoftware;
}

std::optional<RoutineScanner::Code> ProjectWriter::WrittenCode(const std::string& file,
                                                               const std::string& path,
                                                               const formfile::FormTally& tally) {
  formfile::FormFileReader::CodeOutcome read = formfile::FormFileReader::ReadFileCode(path);
  if (!read.code) {
    (void)ReadBackFault(file, read.fault.message);  // told here; the caller answers its status
    return std::nullopt;
  }
  RoutineScanner::Code code{std::move(read.code->code),
                            {tally.form_name},
                            static_cast<std::size_t>(read.code->first_line)};
  for (std::string_view name : tally.control_names) code.block_names.emplace_back(name);
  return code;
}

int ProjectWriter::CheckCalls(const std::string& file, const RoutineScanner::Code& code,
                              const std::unordered_set<std::string>& known_names) const {
  std::vector<std::string> faults =
      RoutineScanner::Check(code, module_definitions_, options_.version, known_names);
  for (const std::string& fault : faults) {
    fmt::print(stderr, "tavikfw project: {}: {}, not in the support module\n", file, fault);
  }
  return faults.empty() ? kExitOk : kExitSoftware;
}

int ProjectWriter::Write(const std::string& file, const std::string& text) {
  if (!host_.MayWrite(folder_.Final(file).string(), "file")) return kExitUsage;
  return folder_.WriteStaged(file, text);
}

int ProjectWriter::CheckListed(const std::string& text) {
  ProjectReader::Outcome read = ProjectReader::Read(text);
  if (!read.project) {
    fmt::print(stderr, "tavikfw project: {}: {}\n", project_file_, read.error);
    return kExitSoftware;
  }
  for (const auto& form : read.project->forms) {
    if (!folder_.IsStaged(form.file)) {
      fmt::print(stderr, "tavikfw project: {} lists {}, which was not written\n", project_file_,
                 form.file);
      return kExitSoftware;
    }
  }
  return kExitOk;
}

}  // namespace tavik::project
