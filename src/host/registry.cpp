// Clients by process, form-manager objects and the form descriptions of running forms.
#include "host/registry.h"

#include "controls/ctrl_desc.h"
#include "controls/data_source.h"
#include "form/form_desc.h"
#include "host/data_reader.h"
#include "model/value.h"
#include "platform/current_process.h"
#include "visualizers/visualizer_allocators.h"

namespace tavik {

Registry::Registry() = default;
Registry::~Registry() = default;

Registry& Registry::Instance() {
  static Registry registry;
  return registry;
}

std::uintptr_t Registry::CurrentProcess() {
  return CurrentProcessId();
}

bool Registry::RegisterClient(CClntDesc* client) {
  if (!client) return false;
  auto data_reader = std::make_unique<CDataReader>();
  // Version-3 clients register too: everything downstream serves both versions.
  if (client->version == 3) {
    client->allocator = AllocateVB3Visualizer;
  } else if (client->version == 4) {
    client->allocator = AllocateVB4Visualizer;
  } else {
    return false;
  }
  auto [entry, inserted] = clients_.try_emplace(client->process, ClientEntry{client, nullptr});
  // The process's first client stays; a later one is not registered and gets no data reader.
  if (!inserted) return true;
  if (!data_reader->Init(*this, client->version)) {
    clients_.erase(entry);
    return false;
  }
  entry->second.data_reader = std::move(data_reader);
  client->data_reader = entry->second.data_reader.get();
  return true;
}

bool Registry::UnRegisterClient(std::uintptr_t process) {
  auto found = clients_.find(process);
  if (found == clients_.end()) return false;
  CClntDesc* client = found->second.client;
  if (client) {
    client->data_reader = nullptr;
    // Forms made for the client must not call it once it may be gone.
    for (auto& [key, form] : forms_) {
      if (form->GetClntDesc() == client) form->SetClntDesc(nullptr);
    }
  }
  clients_.erase(found);
  return client != nullptr;
}

CClntDesc* Registry::FindClient(std::uintptr_t process) const {
  auto found = clients_.find(process);
  return found == clients_.end() ? nullptr : found->second.client;
}

CDataReader* Registry::FindDataReader(std::uintptr_t process) const {
  auto found = clients_.find(process);
  return found == clients_.end() ? nullptr : found->second.data_reader.get();
}

bool Registry::RegisterObj(void* form_manager, TVK_HANDLE form_handle, std::uintptr_t process,
                           std::uint16_t version, std::int32_t extra_value) {
  if (IsObjRegistered(form_manager)) return false;
  if (!form_manager || !form_handle) return false;
  auto record = std::make_unique<FORMMGROBJDESC>(FORMMGROBJDESC{form_handle, version, extra_value});
  FORMMGROBJDESC* kept = record.get();
  auto slot = objects_.emplace(form_manager, std::move(record)).first;
  bool attached = false;
  try {
    attached = AttachToForm(form_manager, kept, process);
  } catch (...) {
    objects_.erase(slot);
    throw;
  }
  if (!attached) {
    objects_.erase(slot);
    return false;
  }
  return version == 3 || version == 4;
}

bool Registry::AttachToForm(void* form_manager, FORMMGROBJDESC* record, std::uintptr_t process) {
  std::uint16_t key = FormKey(record->form_handle);
  if (auto found = forms_.find(key); found != forms_.end()) {
    CFormDesc& form = *found->second;
    form.AddFormMgrObj(form_manager, record);
    form.SetRefCount(static_cast<std::uint16_t>(form.GetRefCount() + 1));
    return true;
  }
  auto form = std::make_unique<CFormDesc>();
  if (form->Init(record->form_handle, form_manager, record, FindClient(process), record->version) !=
      kOk) {
    return false;
  }
  forms_.emplace(key, std::move(form));
  return true;
}

bool Registry::UnRegisterObj(void* form_manager) {
  auto found = objects_.find(form_manager);
  if (found == objects_.end()) return false;
  std::unique_ptr<FORMMGROBJDESC> record = std::move(found->second);
  objects_.erase(found);
  if (!record) return false;
  DetachFromForm(form_manager, *record);
  return true;
}

void Registry::DetachFromForm(void* form_manager, const FORMMGROBJDESC& record) {
  auto found = forms_.find(FormKey(record.form_handle));
  if (found == forms_.end()) return;
  CFormDesc& form = *found->second;
  form.RemoveFormMgrObj(form_manager);
  form.SetRefCount(static_cast<std::uint16_t>(form.GetRefCount() - 1));
  if (form.GetRefCount() != 0) return;
  if (on_form_removed_) on_form_removed_(&form);
  forms_.erase(found);
}

std::uint16_t Registry::GetFormRefCount(TVK_HANDLE form_handle) const {
  const CFormDesc* form = FindForm(form_handle);
  return form ? form->GetRefCount() : 0;
}

FORMMGROBJDESC* Registry::FindObjDesc(void* form_manager) const {
  auto found = objects_.find(form_manager);
  return found == objects_.end() ? nullptr : found->second.get();
}

CFormDesc* Registry::FindForm(TVK_HANDLE form_handle) const {
  auto found = forms_.find(FormKey(form_handle));
  return found == forms_.end() ? nullptr : found->second.get();
}

CFormDesc* Registry::FindFormOfObj(void* form_manager) const {
  const FORMMGROBJDESC* record = FindObjDesc(form_manager);
  return record ? FindForm(record->form_handle) : nullptr;
}

Status Registry::MakeControl(FormContext* form, const char* class_name, std::uint16_t version,
                             TVK_HANDLE control_handle, std::unique_ptr<CCtrlDesc>& control) {
  control = std::make_unique<CCtrlDesc>();
  if (Status status = control->Init(class_name, version, form, nullptr)) {
    control.reset();
    return status;
  }
  control->SetCtrlHandle(control_handle);
  return kOk;
}

Status Registry::AddControl(void* owner, std::int32_t owner_kind, const char* class_name,
                            std::uint16_t version, TVK_HANDLE control_handle,
                            CCtrlDesc** descriptor) {
  if (!owner || !descriptor) return kNullArgument;
  auto* parent = owner_kind == 0 ? static_cast<CCtrlDesc*>(owner) : nullptr;
  FormContext* form = parent ? parent->GetFormDesc() : static_cast<CFormDesc*>(owner);
  std::unique_ptr<CCtrlDesc> control;
  if (Status status = MakeControl(form, class_name, version, control_handle, control)) {
    return status;
  }
  CCtrlDesc* made = control.get();
  if (parent) {
    // The entry form of a child that a running container reports.
    parent->AddChild(ChildEntry{2, 1, 0, -1, std::move(control)});
  } else {
    (void)form->SetCtrl(std::move(control));  // SetCtrl answers kOk always
  }
  *descriptor = made;
  return kOk;
}

Status Registry::AddDataControl(CFormDesc* form, const char* class_name, std::uint16_t version,
                                TVK_HANDLE control_handle, CCtrlDesc** descriptor) {
  if (!form || !descriptor) return kNullArgument;
  std::unique_ptr<CCtrlDesc> control;
  if (Status status = MakeControl(form, class_name, version, control_handle, control)) {
    return status;
  }
  CCtrlDesc* made = control.get();
  PutDataCtrl(*form, std::move(control));
  *descriptor = made;
  return kOk;
}

void Registry::PutDataCtrl(CFormDesc& form, std::unique_ptr<CCtrlDesc> control) {
  // Reading a form again describes its data controls again; what Smart RE attached stays.
  CCtrlDesc* replaced = form.GetDataCtrl(control->GetCtrlHandle());
  if (replaced && !control->GetDataSource()) control->SetDataSource(replaced->TakeDataSource());
  form.SetDataCtrl(std::move(control));
}

Status Registry::AddProperty(CCtrlDesc* descriptor, const TVK_VARIANT& value, const char* name) {
  if (!descriptor || !name) return kNullArgument;
  return descriptor->AddProperty(Value::FromVariant(value), name);
}

Status Registry::SetControlName(CCtrlDesc* descriptor, const char* name) {
  if (!descriptor || !name) return kNullArgument;
  descriptor->SetCtrlName(name);
  return kOk;
}

Status Registry::SetControlHandle(CCtrlDesc* descriptor, TVK_HANDLE control_handle) {
  if (!descriptor) return kOk;
  // The form keeps its controls by handle, so it moves the control itself. Every control the
  // registry makes belongs to one of its form descriptions.
  if (auto* form = static_cast<CFormDesc*>(descriptor->GetFormDesc())) {
    form->ChangeCtrlHandle(*descriptor, control_handle);
  } else {
    descriptor->SetCtrlHandle(control_handle);
  }
  return kOk;
}

}  // namespace tavik
