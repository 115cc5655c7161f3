// The environment's answers to the library: running forms read back, live forms built.
#include "environment/environment_client.h"

#include <fmt/format.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>

#include "base/exit_status.h"
#include "environment/data_source_collector.h"
#include "environment/form_file_writer.h"
#include "environment/regenerated_form.h"
#include "formfile/container_classes.h"
#include "platform/file_output.h"
#include "platform/window_text.h"
#include "tavikfw/tavikfw.h"
#include "text/ascii_case.h"

namespace tavik::environment {

namespace {

constexpr std::string_view kIntrinsicPrefix = "VB.";

}  // namespace

EnvironmentClient::EnvironmentClient(std::uint16_t client_version, std::string output_folder)
    : ClientBase(client_version, /*generates_live=*/true, /*writes_files=*/false,
                 /*writes_to_virtual_space=*/false),
      output_folder_(std::move(output_folder)) {
  SetWindowTextSource([this](TVK_HANDLE window) { return WindowTitle(window); });
}

EnvironmentClient::~EnvironmentClient() {
  SetWindowTextSource(nullptr);
  for (const RunningEntry& entry : running_) UnRegisterObj(entry.form.get());
  if (started_) UnRegisterClient(process);
}

bool EnvironmentClient::Start() {
  started_ = RegisterClient(this) != 0;
  return started_;
}

std::string EnvironmentClient::LibraryClassName(const std::string& class_name) {
  if (class_name.size() > kIntrinsicPrefix.size() &&
      formfile::SameName(std::string_view(class_name).substr(0, kIntrinsicPrefix.size()),
                         kIntrinsicPrefix)) {
    return class_name.substr(kIntrinsicPrefix.size());
  }
  return class_name;
}

EnvironmentClient::Loaded EnvironmentClient::LoadFormFile(const std::string& path) {
  formfile::FormFileReader::Outcome outcome = formfile::FormFileReader::ReadFile(path);
  Loaded loaded{nullptr, outcome.fault, outcome.unreadable};
  if (outcome.form) {
    loaded.form = Run(std::move(outcome.form), path);
    if (!loaded.form) loaded.fault.message = "the library did not accept the running form";
  }
  return loaded;
}

formfile::RunningForm* EnvironmentClient::Run(std::unique_ptr<formfile::RunningForm> form,
                                              std::string path) {
  formfile::RunningForm* running = form.get();
  running->AssignHandles([this] { return NextControlHandle(); });
  TVK_HANDLE window = next_window_++;
  if (!RegisterObj(running, window, process, version, 0)) {
    UnRegisterObj(running);
    return nullptr;
  }
  running->ForEachControl(
      [&](formfile::RunningControl& control) { form_of_control_[control.handle] = running; });
  std::string shown = running->Name();
  std::string key = text::AsciiLowered(shown);
  if (int same_name = running_names_[key]++; same_name > 0) {
    shown += fmt::format(" ({})", same_name + 1);
  }
  running_.push_back({std::move(form), window, std::move(path), std::move(shown)});
  return running;
}

formfile::RunningForm* EnvironmentClient::FindRunning(void* form_manager) const {
  for (const RunningEntry& entry : running_) {
    if (entry.form.get() == form_manager) return entry.form.get();
  }
  return nullptr;
}

formfile::RunningForm* EnvironmentClient::FindLiveForm(TVK_HANDLE form_handle) const {
  for (const auto& [form, state] : live_state_) {
    if (state.form_handle == form_handle) return const_cast<formfile::RunningForm*>(form);
  }
  return nullptr;
}

std::pair<formfile::RunningForm*, formfile::RunningControl*> EnvironmentClient::FindControl(
    TVK_HANDLE control) const {
  auto found = form_of_control_.find(control);
  if (found == form_of_control_.end()) return {nullptr, nullptr};
  return {found->second, found->second->FindControl(control)};
}

std::string EnvironmentClient::WindowTitle(TVK_HANDLE window) const {
  for (const RunningEntry& entry : running_) {
    if (entry.window == window) return entry.form->Caption();
  }
  for (const auto& [form, state] : live_state_) {
    if (state.window == window) return form->Caption();
  }
  return "";
}

// Reading running forms back.

std::string EnvironmentClient::ShownName(const formfile::RunningForm& form) const {
  for (const RunningEntry& entry : running_) {
    if (entry.form.get() == &form) return entry.shown_name;
  }
  return form.Name();
}

int32_t EnvironmentClient::GetLiveFormName(void* form_manager, void** name_block) {
  formfile::RunningForm* form = FindRunning(form_manager);
  if (!form || !name_block) return kFailed;
  const std::string name = ShownName(*form);
  // The library takes the block and frees it.
  auto* block = static_cast<char*>(
      std::malloc(name.size() + 1));  // NOLINT(cppcoreguidelines-no-malloc): freed there
  if (!block) return kFailed;
  std::memcpy(block, name.c_str(), name.size() + 1);
  *name_block = block;
  return kDone;
}

int32_t EnvironmentClient::GetLiveCtrlCount(void* form_manager, uint16_t* count) {
  formfile::RunningForm* form = FindRunning(form_manager);
  if (!form || !count || form->Controls().size() > std::numeric_limits<uint16_t>::max()) {
    return kFailed;
  }
  *count = static_cast<uint16_t>(form->Controls().size());
  return kDone;
}

int32_t EnvironmentClient::GetLiveCtrls(void* form_manager, TVK_HANDLE* controls) {
  formfile::RunningForm* form = FindRunning(form_manager);
  if (!form || !controls) return kFailed;
  for (const auto& control : form->Controls()) *controls++ = control->handle;
  return kDone;
}

int32_t EnvironmentClient::GetLiveChildCount(TVK_HANDLE container, uint16_t* count) {
  formfile::RunningControl* control = FindControl(container).second;
  if (!control || !count || control->children.size() > std::numeric_limits<uint16_t>::max()) {
    return kFailed;
  }
  *count = static_cast<uint16_t>(control->children.size());
  return kDone;
}

int32_t EnvironmentClient::GetLiveChildren(TVK_HANDLE container, TVK_HANDLE* children) {
  formfile::RunningControl* control = FindControl(container).second;
  if (!control || !children) return kFailed;
  for (const auto& child : control->children) *children++ = child->handle;
  return kDone;
}

int32_t EnvironmentClient::DescribeLiveCtrl(TVK_HANDLE control, void* owner, int32_t owner_kind,
                                            TVK_CTRLDESC* descriptor) {
  auto [form, running] = FindControl(control);
  if (!running || !owner || !descriptor) return kFailed;
  void* form_desc = owner;
  if (owner_kind == 0) {
    auto known = form_desc_of_.find(static_cast<TVK_CTRLDESC>(owner));
    form_desc = known == form_desc_of_.end() ? nullptr : known->second;
  }
  return Describe(*running, owner, owner_kind, form_desc, /*library_opens_children=*/true,
                  descriptor);
}

int32_t EnvironmentClient::Describe(formfile::RunningControl& control, void* owner,
                                    int32_t owner_kind, void* form_desc,
                                    bool library_opens_children, TVK_CTRLDESC* descriptor) {
  const std::string library_class = LibraryClassName(control.class_name);
  uint32_t status =
      AddControl(owner, owner_kind, library_class.c_str(), version, control.handle, descriptor);
  if (status != 0) return static_cast<int32_t>(status);
  TVK_CTRLDESC described = *descriptor;
  form_desc_of_[described] = form_desc;
  status = DescribeProperties(control, described);
  // A data control is described a second time among the form's data controls, where the
  // data sources that Smart RE collects are attached; the first description keeps it among
  // the form's controls in its place, which is what regenerating the form writes.
  if (form_desc && DataSourceCollector::IsDataControl(library_class)) {
    TVK_CTRLDESC data_control = nullptr;
    if (AddDataControl(static_cast<TVK_FORMDESC>(form_desc), library_class.c_str(), version,
                       control.handle, &data_control) == 0) {
      // The same properties again: the first description answered for them.
      (void)DescribeProperties(control, data_control);
    }
  }
  // Children of containers the library does not open (the scroll panel, a tab control) are
  // described here, and so are the children of frames inside them, which the library never
  // asks for.
  if (!library_opens_children || !formfile::IsContainerClass(library_class)) {
    for (const auto& child : control.children) {
      TVK_CTRLDESC child_descriptor = nullptr;
      int32_t child_status = Describe(*child, described, 0, form_desc,
                                      /*library_opens_children=*/false, &child_descriptor);
      if (status == 0) status = static_cast<uint32_t>(child_status);
    }
  }
  return static_cast<int32_t>(status);
}

uint32_t EnvironmentClient::DescribeProperties(formfile::RunningControl& control,
                                               TVK_CTRLDESC described) {
  // Both refuse only a missing description, and AddControl has just given this one.
  (void)SetControlName(described, control.name.c_str());
  (void)SetControlHandle(described, control.handle);
  uint32_t status = 0;
  // Every control of a running form has a name; later files give it only on the Begin line.
  if (!formfile::FindProperty(control.properties, "Name")) {
    TVK_VARIANT name{};
    name.vt = TVK_VT_BSTR;
    name.u.bstrVal = control.name.data();
    status = AddProperty(described, name, "Name");
  }
  for (const formfile::FormProperty& property : control.properties) {
    if (auto value = formfile::PropertyToVariant(property)) {
      uint32_t added = AddProperty(described, *value, property.name.c_str());
      if (status == 0) status = added;
    }
  }
  return status;
}

int32_t EnvironmentClient::FormFileWritten(const char* /*path*/) {
  return kDone;
}

int32_t EnvironmentClient::CollectDataSources() {
  if (!data_reader) return kFailed;
  for (const RunningEntry& entry : running_) {
    TVK_DATADESC description = FindDataDesc(data_reader, entry.shown_name.c_str());
    if (!description) continue;
    // This and the calls below refuse only a missing description or source, checked here.
    (void)SetDataDescFormMgrObj(description, entry.form.get());
    std::string folder = std::filesystem::path(entry.path).parent_path().string();
    for (const auto& collected :
         DataSourceCollector::Collect(*entry.form, folder.empty() ? "." : folder)) {
      TVK_DATASOURCE source = AddDataSource(description, collected.data_control.c_str());
      if (!source) continue;
      std::size_t count =
          std::min<std::size_t>(collected.fields.size(), std::numeric_limits<uint16_t>::max());
      // Each refuses only a null source or name: the source was just made, the names are texts.
      for (std::size_t i = 0; i < count; ++i) {
        auto index = static_cast<uint16_t>(i);
        (void)AddFieldName(source, collected.fields[i].field.c_str(), index);
        (void)AddSourceTable(source, collected.fields[i].table.c_str(), index);
      }
    }
    (void)CompleteDataDesc(description, 1);  // refuses only a null description
  }
  return kDone;
}

// Building live forms.

int32_t EnvironmentClient::CreateLiveForm(TVK_HANDLE* form_handle, TVK_HANDLE* window) {
  if (!form_handle || !window) return kFailed;
  auto form = std::make_unique<formfile::RunningForm>();
  ++live_form_count_;
  form->SetName(next_live_name_.empty() ? "Form" + std::to_string(live_form_count_)
                                        : std::exchange(next_live_name_, {}));
  LiveState state{next_window_, next_window_ + 1, false, std::exchange(next_live_source_, nullptr)};
  next_window_ += 2;
  live_state_[form.get()] = state;
  live_forms_.push_back(std::move(form));
  *form_handle = state.form_handle;
  *window = state.window;
  return kDone;
}

int32_t EnvironmentClient::SetLiveFormProperty(const char* name, TVK_VARIANT* value,
                                               TVK_HANDLE form_handle) {
  formfile::RunningForm* form = FindLiveForm(form_handle);
  if (!form || !name || !value) return kFailed;
  formfile::FormProperty property = formfile::PropertyFromVariant(name, *value);
  if (formfile::SameName(property.name, "Name") &&
      property.kind == formfile::PropertyKind::kString) {
    form->SetName(property.text.str());
  }
  formfile::SetProperty(form->Properties(), std::move(property));
  return kDone;
}

int32_t EnvironmentClient::CreateClientCtrl(const char* class_name, TVK_HANDLE* control,
                                            TVK_HANDLE form_handle, TVK_HANDLE parent) {
  formfile::RunningForm* form = FindLiveForm(form_handle);
  if (!form || !class_name || !*class_name || !control) return kFailed;
  formfile::RunningControl* container = nullptr;
  if (parent != 0) {
    container = form->FindControl(parent);
    if (!container) return kFailed;
  }
  auto created = std::make_unique<formfile::RunningControl>();
  created->class_name = class_name;
  created->handle = NextControlHandle();
  // Named after its class until the library names it, as a new control is.
  std::string base = LibraryClassName(class_name);
  base = base.substr(base.rfind('.') == std::string::npos ? 0 : base.rfind('.') + 1);
  created->name = base + std::to_string(created->handle);
  *control = created->handle;
  form_of_control_[created->handle] = form;
  form->AddControl(std::move(created), container);
  return kDone;
}

int32_t EnvironmentClient::SetClientCtrlProperty(const char* name, TVK_VARIANT* value,
                                                 TVK_HANDLE control) {
  formfile::RunningControl* target = FindControl(control).second;
  if (!target || !name || !value) return kFailed;
  formfile::FormProperty property = formfile::PropertyFromVariant(name, *value);
  if (formfile::SameName(property.name, "Name") &&
      property.kind == formfile::PropertyKind::kString) {
    target->name = property.text;
  }
  formfile::SetProperty(target->properties, std::move(property));
  return kDone;
}

int32_t EnvironmentClient::LoadLiveFormCode(TVK_HANDLE form_handle, const char* code_path) {
  formfile::RunningForm* form = FindLiveForm(form_handle);
  if (!form || !code_path) return kFailed;
  std::ifstream in(code_path, std::ios::binary);
  if (!in) return kFailed;
  std::string code((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return kFailed;
  form->SetCode(formfile::FormFileReader::CodeText(code));
  return kDone;
}

int32_t EnvironmentClient::BindLiveGrid(const char* grid_name, const char* data_control_name) {
  if (!grid_name || !data_control_name) return kFailed;
  grid_bindings_.emplace_back(grid_name, data_control_name);
  return kDone;
}

int32_t EnvironmentClient::FinishLiveForm(TVK_HANDLE window) {
  for (auto& [form, state] : live_state_) {
    if (state.window != window || state.finished) continue;
    auto* finished = const_cast<formfile::RunningForm*>(form);
    // A grid is bound to its data control by its DataSource, unless the form names one.
    for (const auto& [grid, data_control] : grid_bindings_) {
      formfile::RunningControl* control = finished->FindControl(grid);
      if (control && !formfile::FindProperty(control->properties, "DataSource")) {
        formfile::SetProperty(control->properties,
                              {"DataSource", formfile::PropertyKind::kString, data_control});
      }
    }
    grid_bindings_.clear();
    state.finished = true;
    return static_cast<int32_t>(Save(*finished));
  }
  return kFailed;
}

void EnvironmentClient::RegenerateNextLiveFormFrom(const formfile::RunningForm& source) {
  next_live_name_ = source.Name();
  next_live_source_ = &source;
}

std::string EnvironmentClient::FileNameFor(const formfile::RunningForm& form) const {
  const text::CodePage page = PageOf(form);
  std::string_view stem = page.FileStem(form.Name());
  std::vector<const formfile::RunningForm*> sharing;
  for (const RunningEntry& entry : running_) {
    if (page.SameName(PageOf(*entry.form).FileStem(entry.form->Name()), stem)) {
      sharing.push_back(entry.form.get());
    }
  }
  auto place = std::find(sharing.begin(), sharing.end(), &form);
  if (sharing.size() < 2 || place == sharing.end()) return std::string(stem) + ".FRM";
  // By name, and forms of one name in the order they were loaded.
  std::stable_sort(sharing.begin(), sharing.end(),
                   [](const formfile::RunningForm* a, const formfile::RunningForm* b) {
                     return text::LessAsciiName(a->Name(), b->Name());
                   });
  std::string number =
      std::to_string(std::find(sharing.begin(), sharing.end(), &form) - sharing.begin() + 1);
  std::string width = std::to_string(sharing.size());
  number.insert(0, width.size() - number.size(), '0');
  return std::string(page.Cut(stem, text::CodePage::kFileStemLength - number.size())) + number +
         ".FRM";
}

std::string EnvironmentClient::SavePath(const std::string& folder, const std::string& form_name) {
  std::string file_name = std::string(text::CodePage::Windows1252().FileStem(form_name)) + ".FRM";
  return folder.empty() ? file_name : (std::filesystem::path(folder) / file_name).string();
}

std::string EnvironmentClient::InOutputFolder(const std::string& file_name) const {
  return output_folder_.empty() ? file_name
                                : (std::filesystem::path(output_folder_) / file_name).string();
}

std::string EnvironmentClient::PathInOutputFolder(const std::string& file_name) const {
  std::error_code ignored;
  std::filesystem::path folder(output_folder_.empty() ? "." : output_folder_);
  for (const auto& entry : std::filesystem::directory_iterator(folder, ignored)) {
    std::string name = entry.path().filename().string();
    if (page_.SameName(name, file_name)) return InOutputFolder(name);
  }
  return InOutputFolder(file_name);
}

bool EnvironmentClient::MayWrite(const std::string& path, const std::string& existing) {
  std::error_code ignored;
  bool saved_before = std::any_of(
      saved_paths_.begin(), saved_paths_.end(),
      [&](const std::string& saved) { return page_.SameName(saved, path) || saved == existing; });
  if (saved_before || (!replace_existing_ && std::filesystem::exists(existing, ignored))) {
    refusal_ = fmt::format("{} exists{} and is not replaced", existing,
                           saved_before ? ", saved earlier in this run," : "");
    return false;
  }
  return true;
}

text::CodePage EnvironmentClient::PageOf(const formfile::RunningForm& form) const {
  return form.HasUtf8Mark() ? text::CodePage::Utf8() : page_;
}

const EnvironmentClient::RunningEntry* EnvironmentClient::EntryOf(
    const formfile::RunningForm& form) const {
  for (const RunningEntry& entry : running_) {
    if (entry.form.get() == &form) return &entry;
  }
  return nullptr;
}

namespace {

// A file written under a new spelling replaces the one of the same name but for case; on a
// folder that ignores case both names are the one file, which stays.
void DropOldSpelling(const std::string& path, const std::string& existing) {
  std::error_code ignored;
  if (existing == path || !std::filesystem::exists(existing, ignored) ||
      std::filesystem::equivalent(existing, path, ignored)) {
    return;
  }
  RemoveFile(existing);
}

std::optional<std::string> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

}  // namespace

Status EnvironmentClient::CopyResources(const std::vector<RegeneratedForm::ResourceCopy>& copies) {
  for (const auto& copy : copies) {
    const std::string path = InOutputFolder(copy.file_name);
    const std::string existing = PathInOutputFolder(copy.file_name);
    std::optional<std::string> bytes = ReadBytes(copy.from);
    if (!bytes) {
      refusal_ = fmt::format("{} cannot be read", copy.from);
      return kExitCannotCreate;
    }
    if (Status status = WriteFileAtomically(path, *bytes); status != kOk) return status;
    DropOldSpelling(path, existing);
  }
  return kOk;
}

Status EnvironmentClient::Save(formfile::RunningForm& form) {
  std::error_code ignored;
  std::filesystem::create_directories(output_folder_.empty() ? "." : output_folder_, ignored);
  const LiveState& state = live_state_[&form];
  const std::string file_name = FileNameFor(state.source ? *state.source : form);
  const std::string path = InOutputFolder(file_name);
  const std::string existing = PathInOutputFolder(file_name);
  if (!MayWrite(path, existing)) return kExitCannotCreate;
  std::vector<RegeneratedForm::ResourceCopy> copies;
  if (state.source) {
    const RunningEntry* entry = EntryOf(*state.source);
    RegeneratedForm::Place place{
        entry ? std::filesystem::path(entry->path).parent_path().string() : std::string(),
        file_name.substr(0, file_name.size() - 4), PageOf(*state.source)};
    RegeneratedForm::Outcome outcome = RegeneratedForm::Restore(form, *state.source, place);
    changes_.insert(changes_.end(), outcome.changes.begin(), outcome.changes.end());
    for (const auto& copy : outcome.copies) {
      if (!MayWrite(InOutputFolder(copy.file_name), PathInOutputFolder(copy.file_name))) {
        return kExitCannotCreate;
      }
    }
    copies = std::move(outcome.copies);
  }
  Status status = FormFileWriter::Save(form, path);
  if (status != kOk) return status;
  saved_paths_.push_back(path);
  DropOldSpelling(path, existing);
  return CopyResources(copies);
}

std::size_t EnvironmentClient::UnfinishedFormCount() const {
  return static_cast<std::size_t>(
      std::count_if(live_state_.begin(), live_state_.end(),
                    [](const auto& entry) { return !entry.second.finished; }));
}

Status EnvironmentClient::SaveUnfinishedForms() {
  Status first_failure = kOk;
  for (const auto& form : live_forms_) {
    LiveState& state = live_state_[form.get()];
    if (state.finished) continue;
    state.finished = true;
    Status status = Save(*form);
    if (first_failure == kOk) first_failure = status;
  }
  return first_failure;
}

}  // namespace tavik::environment
