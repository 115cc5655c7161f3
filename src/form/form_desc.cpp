// The form description: texts, properties, controls, procedures and valid-value lists.
#include "form/form_desc.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <new>
#include <vector>

#include <fmt/format.h>

#include "controls/timer_ctrl.h"
#include "entity/entity_desc.h"
#include "form/control_stream.h"
#include "form/ctrl_pos_item.h"
#include "form/vb_fragment.h"
#include "formfile/container_classes.h"
#include "text/code_page.h"

namespace tavik {

CFormDesc::CFormDesc() = default;
CFormDesc::~CFormDesc() = default;

std::unique_ptr<CEntity> CFormDesc::AllocateEntity() {
  return std::make_unique<CEntityDesc>(*this);
}

Status CFormDesc::Init(TVK_HANDLE form_handle, void* form_manager,
                       FORMMGROBJDESC* form_manager_desc, CClntDesc* client,
                       std::uint16_t version) {
  if (Status status = CForm::Init()) return status;
  client_ = client;
  property_section_ = &properties_.AddSection(format_ids::kControl);
  if (global_declarations_.Init("GlobalDeclarations", nullptr, nullptr) != kOk) return kNoMemory;
  control_group_ = std::make_unique<CCtrlGroup>(2, 0.0f, 0.0f);
  version_ = version;
  reference_count_ = 1;
  form_managers_.emplace_back(form_manager, form_manager_desc);
  form_handle_ = form_handle;
  return kOk;
}

std::string CFormDesc::MakeEntityName(std::string_view entity_name) {
  std::string name = VbNameMaker::Clean(entity_name);
  if (name.empty()) return name;
  return entity_names_.Unique(name, kMaxEntityNameLength);
}

const std::string& CFormDesc::ListName(std::string_view list_id) {
  auto [given, is_new] = list_names_given_.try_emplace(std::string(list_id));
  // "_List" follows the name.
  if (is_new) {
    given->second = list_names_.Unique(VbNameMaker::Clean(list_id), VbNameMaker::kMaxLength - 5);
  }
  return given->second;
}

Status CFormDesc::SetFormName(std::string_view name) {
  // A longer name is cut, as Visual Basic would refuse it.
  form_name_ = name.substr(0, VbNameMaker::MaxFormNameLength(version_));
  return AddProperty(Value::String(form_name_), "Name");
}

Status CFormDesc::SetFormCaptionString(std::string_view caption) {
  caption_ = caption;
  return AddProperty(Value::String(caption_), "Caption");
}

std::string CFormDesc::GetFileName() const {
  if (!filespec_.empty()) return filespec_;
  return std::string(text::CodePage::Windows1252().FileStem(form_name_)) + ".FRM";
}

void CFormDesc::AddFormMgrObj(void* form_manager, FORMMGROBJDESC* desc) {
  form_managers_.emplace_back(form_manager, desc);
}

void CFormDesc::RemoveFormMgrObj(void* form_manager) {
  std::erase_if(form_managers_,
                [form_manager](const auto& entry) { return entry.first == form_manager; });
}

void* CFormDesc::GetFormMgrObj() const {
  for (const auto& entry : form_managers_) {
    if (entry.first) return entry.first;
  }
  return nullptr;
}

FORMMGROBJDESC* CFormDesc::GetFormMgrDesc() const {
  for (const auto& entry : form_managers_) {
    if (entry.first) return entry.second;
  }
  return nullptr;
}

Status CFormDesc::SetCtrl(std::unique_ptr<CCtrlDesc> control) {
  if (control->GetCtrlHandle() < next_unstreamed_) put_behind_stream_ = true;
  std::unique_ptr<CCtrlDesc> replaced = controls_.Put(std::move(control));
  if (replaced && static_cast<CCtrlDesc*>(timer_) == replaced.get()) timer_ = nullptr;
  return kOk;
}

CCtrlDesc* CFormDesc::GetCtrl(CtrlHandle handle) const {
  return controls_.FirstAt(handle);
}

void CFormDesc::RemoveCtrl(const CCtrlDesc* control) {
  if (!control) return;
  std::unique_ptr<CCtrlDesc> removed = controls_.Take(control);
  if (removed && removed.get() == static_cast<CCtrlDesc*>(timer_)) timer_ = nullptr;
}

void CFormDesc::ChangeCtrlHandle(CCtrlDesc& control, CtrlHandle handle) {
  if (handle < next_unstreamed_) put_behind_stream_ = true;
  for (CtrlMap* controls : {&controls_, &data_controls_}) {
    if (controls->Move(control, handle)) return;
  }
  control.SetCtrlHandle(handle);
}

void CFormDesc::RemoveGroupCtrls(const CCtrlGroup& group) {
  // The group behind a container holds the container's own children, which go with it.
  bool after_container = false;
  for (const auto& item : group.GetItems()) {
    if (item->GetType() == CPosListItem::kGroupItem) {
      if (!after_container) RemoveGroupCtrls(static_cast<const CCtrlGroup&>(*item));
      after_container = false;
      continue;
    }
    CCtrlDesc* control = static_cast<const CCtrlPosItem&>(*item).GetCtrl();
    after_container = control->HasChildren();
    RemoveCtrl(control);
  }
}

// A data control of the same handle is replaced and goes.
void CFormDesc::SetDataCtrl(std::unique_ptr<CCtrlDesc> control) {
  data_controls_.Put(std::move(control));
}

CCtrlDesc* CFormDesc::GetDataCtrl(CtrlHandle handle) const {
  return data_controls_.FirstAt(handle);
}

void CFormDesc::RemoveDataCtrl(const CCtrlDesc* control) {
  if (!control) return;
  (void)data_controls_.Take(control);  // a control the list does not hold is none of its own
}

void CFormDesc::ClearFormCtrls() {
  controls_.clear();
  timer_ = nullptr;
}

void CFormDesc::ClearFormDataCtrls(int keep) {
  if (!keep) {
    data_controls_.clear();
    return;
  }
  for (auto& [handle, control] : data_controls_) control->SetCompareFlag(0);
}

Status CFormDesc::AddProperty(Value value, std::string_view name) {
  if (CNxProperty* existing = property_section_->GetProperty(name)) {
    existing->Set(existing->GetId(), std::move(value));
    return kOk;
  }
  std::int32_t id = next_property_id_++;
  property_section_->AddProperty(CNxProperty(id, std::move(value), name),
                                 CNxPropertySection::Position::kEnd);
  property_section_->SetPropertyName(id, name);
  return kOk;
}

std::optional<Value> CFormDesc::GetProperty(std::string_view name) const {
  const CNxProperty* property = property_section_->GetProperty(name);
  return property ? property->ToVariant() : std::nullopt;
}

Status CFormDesc::AddEvent(std::unique_ptr<CEventDesc> event) {
  std::string name = event->GetEventName();
  events_.Set(std::move(name), std::move(event));
  return kOk;
}

Status CFormDesc::AddProcedure(std::unique_ptr<CEventDesc> procedure) {
  std::string name = procedure->GetEventName();
  procedures_.Set(std::move(name), std::move(procedure));
  return kOk;
}

namespace {
CEventDesc* FindOrMake(StringHashMap<std::unique_ptr<CEventDesc>>& map, std::string_view name,
                       const char* class_name) {
  if (auto* found = map.Find(name)) return found->get();
  auto event = std::make_unique<CEventDesc>();
  if (event->Init(name, nullptr, class_name) != kOk) return nullptr;
  return map.Set(std::string(name), std::move(event)).get();
}
}  // namespace

CEventDesc* CFormDesc::GetEvent(std::string_view name) {
  return FindOrMake(events_, name, "Form");
}

CEventDesc* CFormDesc::MakeProcedure(std::string_view name) {
  return FindOrMake(procedures_, name, nullptr);
}

CEventDesc* CFormDesc::FindProcedure(std::string_view name) const {
  const auto* found = procedures_.Find(name);
  return found ? found->get() : nullptr;
}

void CFormDesc::RemoveProcedure(std::string_view name) {
  procedures_.Remove(name);
}

Status CFormDesc::AddGlobalDeclaration(std::string_view text) {
  global_declarations_.AddDeclarations(text);
  return kOk;
}

std::int32_t CFormDesc::GetGlobalStringIndex(std::string_view key, const void* value) {
  if (const auto* record = global_strings_.Find(key)) return record->index;
  if (!value) return -1;
  std::int32_t index = next_global_string_index_++;
  global_strings_.Set(std::string(key), GlobalStringRecord{std::string(key), value, index});
  return index;
}

Status CFormDesc::ProcessGlobalStrings() {
  Status result = kOk;
  GetValidValueLists().ForEach([&](const std::string& list_name,
                                   std::unique_ptr<CNxPropertySet>& set) {
    if (result != kOk) return;
    const std::string name = ListName(list_name);
    const CNxPropertySection* values = set->GetSection(format_ids::kValidValues);
    if (!values || values->GetPropertyList().empty()) return;
    const auto& entries = values->GetPropertyList();
    if (Status status = AddGlobalDeclaration(
            fmt::format("Dim {}_List({}) As ListItem\r\n", name, entries.size()))) {
      result = status;
      return;
    }
    std::string code;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      auto value = entries[i].ToVariant();
      if (!value || !value->IsString()) continue;
      const std::string_view display =
          entries[i].GetName().empty() ? value->AsString() : std::string_view(entries[i].GetName());
      code += VbFragment(R"(
        $list$($i$).DisplayVal = "$display$"
        $list$($i$).DataVal = "$value$"
    )",
                         {{"list", name + "_List"},
                          {"i", std::to_string(i)},
                          {"display", VbStringText(display)},
                          {"value", VbStringText(value->AsString())}});
    }
    CEventDesc* load = LoadEvent();
    if (!load) {
      result = kNoEvent;
      return;
    }
    load->Append(SubEvent::kMain, SubEventSlot::kBody, code, SubEventPlacement::kFirst);
  });
  return result;
}

namespace {

// The name block a client hands over: a zero-terminated string from malloc, ours to free.
std::string TakeNameBlock(void* block) {
  std::string name(static_cast<const char*>(block));
  std::free(block);  // NOLINT(cppcoreguidelines-no-malloc): the client used malloc
  return name;
}

}  // namespace

const std::string* CFormDesc::ReadFormName() {
  void* form_manager = GetFormMgrObj();
  if (!form_manager || !client_ || !client_->ops || !client_->ops->GetLiveFormName) return nullptr;
  void* block = nullptr;
  if (client_->ops->GetLiveFormName(client_, form_manager, &block) != 0 || !block) return nullptr;
  form_name_ = TakeNameBlock(block);
  return &form_name_;
}

Status CFormDesc::ReadFormCtrls() {
  void* form_manager = GetFormMgrObj();
  if (!form_manager) return kNullArgument;
  const CClntDescOps* ops = client_ ? client_->ops : nullptr;
  if (!ops || !ops->GetLiveCtrlCount || !ops->GetLiveCtrls) return kNoCtrlCount;
  std::uint16_t count = 0;
  if (ops->GetLiveCtrlCount(client_, form_manager, &count) != 0) return kNoCtrlCount;
  if (count == 0) return kNoCtrls;
  std::vector<TVK_HANDLE> handles;
  try {
    handles.resize(count);
  } catch (const std::bad_alloc&) {
    return kNoMemory;
  }
  if (auto status = ops->GetLiveCtrls(client_, form_manager, handles.data())) {
    return static_cast<Status>(status);
  }
  ClearFormCtrls();
  ClearFormDataCtrls(1);
  ReadCtrlList(handles, nullptr);
  return kOk;
}

// A control the client cannot describe is left out of the form, as are its children.
void CFormDesc::ReadCtrlList(std::span<const TVK_HANDLE> handles, CCtrlDesc* parent) {
  const CClntDescOps* ops = client_ ? client_->ops : nullptr;
  if (!ops || !ops->DescribeLiveCtrl) return;
  void* owner = parent ? static_cast<void*>(parent) : static_cast<void*>(this);
  std::int32_t owner_kind = parent ? 0 : 1;
  for (TVK_HANDLE handle : handles) {
    TVK_CTRLDESC described = nullptr;
    if (ops->DescribeLiveCtrl(client_, handle, owner, owner_kind, &described) != 0) continue;
    auto* control = reinterpret_cast<CCtrlDesc*>(described);
    if (!control || !formfile::IsContainerClass(control->GetClassName())) continue;
    std::uint16_t child_count = 0;
    if (!ops->GetLiveChildCount || !ops->GetLiveChildren) continue;
    if (ops->GetLiveChildCount(client_, handle, &child_count) != 0 || child_count == 0) continue;
    std::vector<TVK_HANDLE> children(child_count);
    if (ops->GetLiveChildren(client_, handle, children.data()) != 0) continue;
    ReadCtrlList(children, control);
  }
}

Status CFormDesc::AllocateVisualizer(std::int32_t edit_style, void* object) {
  if (!client_ || !client_->allocator) return kNullArgument;
  return client_->allocator(edit_style, object);
}

std::string CFormDesc::DatabaseNameCode() const {
  return VbDatabaseName(database_string_, database_in_app_folder_);
}

std::string CFormDesc::DataControlLoadCode(std::string_view data_ctrl) const {
  // A relative name in the property is the designer's; the running form opens it in the
  // application's folder, as the Load event opened it.
  const std::string database = DatabaseNameCode();
  const std::string pointed = database.starts_with("tk_AppFile(")
                                  ? VbFragment(R"(
        $data$.DatabaseName = $database$
    )",
                                               {{"data", data_ctrl}, {"database", database}})
                                  : std::string();
  return VbFragment(R"(
        $pointed$
        $data$.Connect = tvkDBConn.Connect
    )",
                    {{"pointed", pointed}, {"data", data_ctrl}});
}

}  // namespace tavik
