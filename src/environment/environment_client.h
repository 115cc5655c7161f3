// The environment that serves running forms: it loads form files as running forms, answers
// the library's questions about them, builds live forms and saves them as form files.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/status.h"
#include "environment/regenerated_form.h"
#include "formfile/form_file_reader.h"
#include "formfile/running_form.h"
#include "host/client_base.h"
#include "text/code_page.h"

namespace tavik::environment {

class EnvironmentClient : public ClientBase {
 public:
  // A client of that version (3 or 4) that generates live and saves each finished live
  // form in output_folder (created when missing).
  EnvironmentClient(std::uint16_t client_version, std::string output_folder);
  // Unregisters the running forms and, when Start registered it, the client.
  ~EnvironmentClient() override;

  // Registers the client with the library; false when the library refuses it.
  bool Start();

  // Loads a form file as a running form and registers it (its form-manager object and its
  // window); the reader's outcome, whose form is kept by the environment on success.
  struct Loaded {
    formfile::RunningForm* form = nullptr;  // none when the file was refused or could not be read
    formfile::FormFileReader::Fault fault;
    bool unreadable = false;
  };
  Loaded LoadFormFile(const std::string& path);
  // Runs and registers a form already read.
  formfile::RunningForm* Run(std::unique_ptr<formfile::RunningForm> form, std::string path);

  // The environment's main window, which the reverse-engineering dialog belongs to.
  TVK_HANDLE MainWindow() const { return kMainWindow; }
  // The running forms in the order they were loaded, with their windows and files.
  struct RunningEntry {
    std::unique_ptr<formfile::RunningForm> form;
    TVK_HANDLE window = 0;
    std::string path;
    // The name the library knows it by: its own, or for a second form of a name already
    // running, that name and its place among them ("frmMain (2)").
    std::string shown_name;
  };
  const std::vector<RunningEntry>& RunningForms() const { return running_; }

  // The name a new live form gets when the library does not name it; "Form1", "Form2", ...
  // otherwise.
  void NameNextLiveForm(std::string name) { next_live_name_ = std::move(name); }
  // The next live form is the regeneration of that running form: it is named after it, and
  // takes back what the library could not carry (see RegeneratedForm).
  void RegenerateNextLiveFormFrom(const formfile::RunningForm& source);
  // The code page of the forms' text, in which names are cut and compared; Windows-1252
  // unless told otherwise.
  void SetCodePage(text::CodePage page) { page_ = std::move(page); }
  // The file name a form is saved under: its name cut to 8 characters (never half a
  // double-byte character) and ".FRM"; a running form whose first 8 characters other
  // running forms share gets a number in its last characters, after its place among them
  // by name ("frmFath1.FRM", "frmFath2.FRM").
  std::string FileNameFor(const formfile::RunningForm& form) const;
  // The path a file of that name has in the output folder: the file already there whose
  // name is the same but for case (it counts as that file), else the name in the folder.
  std::string PathInOutputFolder(const std::string& file_name) const;
  // Whether a file that was there before may be replaced (a file saved earlier in the same
  // run never is); true unless told otherwise.
  void SetReplaceExisting(bool replace) { replace_existing_ = replace; }
  // Why the last save was refused, if it was; for each regenerated form saved, what it
  // could not keep as it was read.
  const std::string& Refusal() const { return refusal_; }
  const std::vector<std::string>& Changes() const { return changes_; }
  // The live forms built so far, and the paths of those saved.
  const std::vector<std::unique_ptr<formfile::RunningForm>>& LiveForms() const {
    return live_forms_;
  }
  const std::vector<std::string>& SavedPaths() const { return saved_paths_; }
  // Saves the live forms that were never finished; the first failing status, else 0.
  [[nodiscard]] Status SaveUnfinishedForms();
  std::size_t UnfinishedFormCount() const;

  // The client operations.
  int32_t GetLiveFormName(void* form_manager, void** name_block) override;
  int32_t GetLiveChildCount(TVK_HANDLE container, uint16_t* count) override;
  int32_t GetLiveChildren(TVK_HANDLE container, TVK_HANDLE* children) override;
  int32_t GetLiveCtrlCount(void* form_manager, uint16_t* count) override;
  int32_t GetLiveCtrls(void* form_manager, TVK_HANDLE* controls) override;
  int32_t DescribeLiveCtrl(TVK_HANDLE control, void* owner, int32_t owner_kind,
                           TVK_CTRLDESC* descriptor) override;
  int32_t FormFileWritten(const char* path) override;
  int32_t CollectDataSources() override;
  int32_t CreateLiveForm(TVK_HANDLE* form, TVK_HANDLE* window) override;
  int32_t SetLiveFormProperty(const char* name, TVK_VARIANT* value, TVK_HANDLE form) override;
  int32_t CreateClientCtrl(const char* class_name, TVK_HANDLE* control, TVK_HANDLE form,
                           TVK_HANDLE parent) override;
  int32_t SetClientCtrlProperty(const char* name, TVK_VARIANT* value, TVK_HANDLE control) override;
  int32_t LoadLiveFormCode(TVK_HANDLE form, const char* code_path) override;
  int32_t BindLiveGrid(const char* grid_name, const char* data_control_name) override;
  int32_t FinishLiveForm(TVK_HANDLE window) override;

  // Where a live form of that name is saved in the folder when no running form shares its
  // file name: under the name a file would get (the form name cut to 8 characters, ".FRM").
  static std::string SavePath(const std::string& folder, const std::string& form_name);

  // The class by which the library knows a control: Visual Basic's own controls lose the
  // "VB." of later files.
  static std::string LibraryClassName(const std::string& class_name);

 private:
  static constexpr TVK_HANDLE kMainWindow = 1;
  static constexpr int32_t kFailed = 1;

  struct LiveState {
    TVK_HANDLE form_handle = 0;
    TVK_HANDLE window = 0;
    bool finished = false;
    const formfile::RunningForm* source = nullptr;  // the running form it regenerates
  };

  formfile::RunningForm* FindRunning(void* form_manager) const;
  formfile::RunningForm* FindLiveForm(TVK_HANDLE form_handle) const;
  // The form of a control handle, and the control.
  std::pair<formfile::RunningForm*, formfile::RunningControl*> FindControl(
      TVK_HANDLE control) const;
  // The library opens the children of frames and pictures it describes itself; inside any
  // other container the environment describes every control at every depth.
  int32_t Describe(formfile::RunningControl& control, void* owner, int32_t owner_kind,
                   void* form_desc, bool library_opens_children, TVK_CTRLDESC* descriptor);
  std::string ShownName(const formfile::RunningForm& form) const;
  // Name, handle and properties of a control descriptor; the first failing status.
  uint32_t DescribeProperties(formfile::RunningControl& control, TVK_CTRLDESC described);
  std::string WindowTitle(TVK_HANDLE window) const;
  TVK_HANDLE NextControlHandle() { return next_control_handle_++; }
  [[nodiscard]] Status Save(formfile::RunningForm& form);
  // A file of the output folder may be written under that name (existing is the one of
  // the same name there, or the path itself): the refusal is kept otherwise.
  bool MayWrite(const std::string& path, const std::string& existing);
  std::string InOutputFolder(const std::string& file_name) const;
  // Writes the regenerated form's ".frx" files; the first failing status, else 0.
  [[nodiscard]] Status CopyResources(const std::vector<RegeneratedForm::ResourceCopy>& copies);
  // The code page of a form's text: UTF-8 for a file that began with its mark.
  text::CodePage PageOf(const formfile::RunningForm& form) const;
  // The running entry of a form, or none.
  const RunningEntry* EntryOf(const formfile::RunningForm& form) const;

  std::string output_folder_;
  bool started_ = false;
  std::vector<RunningEntry> running_;
  std::unordered_map<std::string, int> running_names_;  // lower case, how many run by it
  std::vector<std::unique_ptr<formfile::RunningForm>> live_forms_;
  std::unordered_map<const formfile::RunningForm*, LiveState> live_state_;
  std::unordered_map<TVK_HANDLE, formfile::RunningForm*> form_of_control_;
  // The form descriptor a described control belongs to, for the data controls among its
  // children.
  std::unordered_map<TVK_CTRLDESC, void*> form_desc_of_;
  std::vector<std::pair<std::string, std::string>> grid_bindings_;
  std::vector<std::string> saved_paths_;
  std::string next_live_name_;
  const formfile::RunningForm* next_live_source_ = nullptr;
  bool replace_existing_ = true;
  std::string refusal_;
  std::vector<std::string> changes_;
  text::CodePage page_ = text::CodePage::Windows1252();
  TVK_HANDLE next_window_ = 0x100;
  TVK_HANDLE next_control_handle_ = 1;
  int live_form_count_ = 0;
};

}  // namespace tavik::environment
