// The form-information dialog answered from a script: fields to type, then OK or Cancel.
#pragma once

#include <optional>
#include <string>

#include "host/form_info_dialog.h"
#include "platform/save_file_picker.h"

namespace tavik::testing {

class ScriptedFormInfo : public FormInfoFrontend, public SaveFilePicker {
 public:
  std::string form_name;
  std::string caption;
  std::optional<std::string> filespec;
  bool press_cancel = false;
  // What the picker answers; nothing means the user cancelled it.
  std::optional<std::string> picked_path;

  int runs = 0;
  int picks = 0;
  bool asked_for_filespec = false;
  std::string prompt;

  DialogResult Run(CFormInfoDlg& dialog, bool client_generates_live) override {
    ++runs;
    dialog.OnInitDialog(client_generates_live);
    asked_for_filespec = dialog.AsksForFilespec();
    prompt = dialog.Prompt();
    if (press_cancel) return DialogResult::kCancelled;
    dialog.form_name = form_name;
    dialog.caption = caption;
    if (filespec) dialog.filespec = *filespec;
    return dialog.OnOK() ? DialogResult::kAccepted : DialogResult::kCancelled;
  }

  std::optional<PickedFile> PickSaveFile(std::string_view /*window_title*/) override {
    ++picks;
    if (!picked_path) return std::nullopt;
    return PickedFile{*picked_path, *picked_path};
  }
};

}  // namespace tavik::testing
