// The reverse-engineering entry: one modal dialog at a time over the registry's forms.
#include "host/reverse_engineering.h"

#include "form/form_desc.h"
#include "host/registry.h"
#include "host/reverse_engineering_dialog.h"
#include "platform/platform.h"

namespace tavik {

namespace {

// The dialog while it is open; a request that arrives meanwhile refreshes it.
CReverseEngineeringDlg* open_dialog = nullptr;

// Keeps the open dialog known, and told of forms that go, for the length of its run.
class OpenDialogScope {
 public:
  OpenDialogScope(Registry& registry, CReverseEngineeringDlg& dialog) : registry_(registry) {
    open_dialog = &dialog;
    registry_.SetFormRemovalListener([&dialog](CFormDesc* form) { dialog.OnFormRemoved(form); });
  }
  ~OpenDialogScope() {
    registry_.SetFormRemovalListener(nullptr);
    open_dialog = nullptr;
  }
  OpenDialogScope(const OpenDialogScope&) = delete;
  OpenDialogScope& operator=(const OpenDialogScope&) = delete;

 private:
  Registry& registry_;
};

}  // namespace

std::uint32_t DoReverseEngineering(Registry& registry, TVK_HANDLE form_window) {
  CFormDesc* form = registry.FindForm(form_window);
  if (!form) return kRegistryFailed;
  ReverseEngineeringFrontend* frontend = CurrentPlatform().reverse_engineering_frontend;
  TVK_HANDLE environment = frontend ? frontend->FindEnvironmentWindow() : 0;
  if (!environment) return kRegistryFailed;
  if (open_dialog) {
    open_dialog->OnRefresh(form);
    return kRegistryDone;
  }
  CReverseEngineeringDlg dialog(registry, form->GetFormMgrObj(), frontend);
  OpenDialogScope scope(registry, dialog);
  frontend->Run(dialog, environment);
  return dialog.EndValue();
}

}  // namespace tavik
