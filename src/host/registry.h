// The registry of clients and running forms: one client per process, one form description per
// running form window, shared by the form-manager objects registered for that window.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <unordered_map>

#include "base/status.h"
#include "tavikfw/client.h"
#include "tavikfw/variant.h"

namespace tavik {

class CCtrlDesc;
class CDataReader;
class CFormDesc;
class FormContext;

// What the registry keeps for one registered form-manager object.
struct FORMMGROBJDESC {
  TVK_HANDLE form_handle = 0;
  std::uint16_t version = 0;
  std::int32_t extra_value = 0;  // kept for the client
};

class Registry {
 public:
  // Form descriptions by the low 16 bits of their form handle, in ascending key order.
  using FormMap = std::map<std::uint16_t, std::unique_ptr<CFormDesc>>;
  // Told about a form description just before the registry destroys it.
  using FormRemovalListener = std::function<void(CFormDesc* form)>;

  Registry();
  ~Registry();
  Registry(const Registry&) = delete;
  Registry& operator=(const Registry&) = delete;

  // The registry of this loaded library.
  static Registry& Instance();
  static std::uintptr_t CurrentProcess();

  // Clients. Registration gives the client its visualizer allocator and a data reader that
  // the registry owns; false for a null client or a version other than 3 or 4. A process
  // that has a client already keeps it, and the call succeeds.
  bool RegisterClient(CClntDesc* client);
  // Destroys the client's data reader; forms made for the client are left without one.
  bool UnRegisterClient(std::uintptr_t process);
  CClntDesc* FindClient(std::uintptr_t process) const;
  CDataReader* FindDataReader(std::uintptr_t process) const;

  // Running forms. False when the object is registered already or the object or form
  // handle is null; also false for a version other than 3 or 4, though the object stays
  // registered then.
  bool RegisterObj(void* form_manager, TVK_HANDLE form_handle, std::uintptr_t process,
                   std::uint16_t version, std::int32_t extra_value);
  // The last object of a form takes the form description with it.
  bool UnRegisterObj(void* form_manager);
  bool IsObjRegistered(void* form_manager) const { return objects_.contains(form_manager); }
  // 0 when no form is registered for the handle.
  std::uint16_t GetFormRefCount(TVK_HANDLE form_handle) const;
  FORMMGROBJDESC* FindObjDesc(void* form_manager) const;
  CFormDesc* FindForm(TVK_HANDLE form_handle) const;
  CFormDesc* FindFormOfObj(void* form_manager) const;
  const FormMap& GetFormMap() const { return forms_; }
  void SetFormRemovalListener(FormRemovalListener listener) {
    on_form_removed_ = std::move(listener);
  }

  // Building a running form's control descriptors while the client describes them. An
  // owner kind of 0 makes the control a child of the parent control `owner`; any other
  // kind puts it on the form `owner`, ordered by handle.
  [[nodiscard]] static Status AddControl(void* owner, std::int32_t owner_kind,
                                         const char* class_name, std::uint16_t version,
                                         TVK_HANDLE control_handle, CCtrlDesc** descriptor);
  // A data control described again keeps the data source attached to the one it replaces.
  [[nodiscard]] static Status AddDataControl(CFormDesc* form, const char* class_name,
                                             std::uint16_t version, TVK_HANDLE control_handle,
                                             CCtrlDesc** descriptor);
  [[nodiscard]] static Status AddProperty(CCtrlDesc* descriptor, const TVK_VARIANT& value,
                                          const char* name);
  [[nodiscard]] static Status SetControlName(CCtrlDesc* descriptor, const char* name);
  [[nodiscard]] static Status SetControlHandle(CCtrlDesc* descriptor, TVK_HANDLE control_handle);

 private:
  struct ClientEntry {
    CClntDesc* client = nullptr;
    std::unique_ptr<CDataReader> data_reader;
  };

  static std::uint16_t FormKey(TVK_HANDLE form_handle) {
    return static_cast<std::uint16_t>(form_handle & 0xFFFFu);
  }
  bool AttachToForm(void* form_manager, FORMMGROBJDESC* record, std::uintptr_t process);
  void DetachFromForm(void* form_manager, const FORMMGROBJDESC& record);
  // Puts the data control on the form in place of one of equal handle, keeping its source.
  static void PutDataCtrl(CFormDesc& form, std::unique_ptr<CCtrlDesc> control);
  static Status MakeControl(FormContext* form, const char* class_name, std::uint16_t version,
                            TVK_HANDLE control_handle, std::unique_ptr<CCtrlDesc>& control);

  std::unordered_map<void*, std::unique_ptr<FORMMGROBJDESC>> objects_;
  FormMap forms_;
  std::unordered_map<std::uintptr_t, ClientEntry> clients_;
  FormRemovalListener on_form_removed_;
};

}  // namespace tavik
