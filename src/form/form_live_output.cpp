// Live output: the form built in the client's environment through the client's operations.
#include "form/form_desc.h"
#include "form/form_scroll_controls.h"
#include "formfile/block_printer.h"
#include "platform/file_output.h"
#include "platform/window_text.h"

namespace tavik {

Status CFormDesc::GenerateLiveForm(ScrollControls& scroll) {
  const CClntDescOps* ops = client_->ops;
  TVK_HANDLE form_handle = 0;
  TVK_HANDLE window = 0;
  if (!ops || !ops->CreateLiveForm) return kNoLiveOutput;
  if (auto status = ops->CreateLiveForm(client_, &form_handle, &window)) {
    return static_cast<Status>(status);
  }
  for (const auto& property : property_section_->GetPropertyList()) {
    // The client gets a string it may write through; the copy keeps the property as it is.
    Value copy = property.GetValue();  // NOLINT(performance-unnecessary-copy-initialization)
    TVK_VARIANT variant = copy.ToVariant();
    if (ops->SetLiveFormProperty) {
      ops->SetLiveFormProperty(client_, property.GetName().c_str(), &variant, form_handle);
    }
  }
  if (window && ReadWindowText(window) == caption_) form_window_ = window;
  std::string code_text = BuildCodeText();
  formfile::BlockPrinter code(code_text);
  TVK_HANDLE parent = 0;
  if (scroll.panel) {
    if (Status status = scroll.panel->GenerateCtrl(form_handle, &parent, 0)) return status;
  }
  for (auto& [handle, control] : controls_) {
    if (!control->GetDrawFlag()) continue;
    TVK_HANDLE control_handle = 0;
    // A control the client cannot make is left out; the client said why.
    (void)control->GenerateCtrl(form_handle, &control_handle, parent);
    control->WriteEventsToFile(code);
    control->SetDrawFlag(0);
  }
  for (auto* bar : {scroll.horizontal.get(), scroll.vertical.get()}) {
    if (!bar) continue;
    TVK_HANDLE bar_handle = 0;
    (void)bar->GenerateCtrl(form_handle, &bar_handle, 0);  // as above
    bar->WriteEventsToFile(code);
  }
  LoadLiveCode(form_handle, code_text);
  if (form_window_ && ops->FinishLiveForm) {
    return static_cast<Status>(ops->FinishLiveForm(client_, form_window_));
  }
  return kOk;
}

void CFormDesc::LoadLiveCode(TVK_HANDLE form_handle, const std::string& code_text) {
  // The client reads the code from a file; the file is ours and goes once it has been read.
  auto path = WriteTemporaryFile("tkvb", code_text);
  if (!path) return;
  if (client_->ops->LoadLiveFormCode)
    client_->ops->LoadLiveFormCode(client_, form_handle, path->c_str());
  RemoveFile(*path);
}

}  // namespace tavik
