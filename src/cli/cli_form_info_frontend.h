// The form-information dialog answered from the options, or on the terminal.
#pragma once

#include <optional>
#include <string>

#include "cli/generate_options.h"
#include "host/form_info_dialog.h"
#include "platform/save_file_picker.h"

namespace tavik::cli {

class CliFormInfoFrontend : public FormInfoFrontend, public SaveFilePicker {
 public:
  // Texts in the options have been converted to Windows-1252 already.
  explicit CliFormInfoFrontend(const GenerateOptions& options) : options_(options) {}

  DialogResult Run(CFormInfoDlg& dialog, bool client_generates_live) override;
  // Without a terminal, the form name cut to 8 characters plus ".FRM"; on one, asked with
  // that as the default.
  std::optional<PickedFile> PickSaveFile(std::string_view window_title) override;

  // True when an answer was missing and nobody could be asked.
  bool LeftUnanswered() const { return unanswered_; }

 private:
  std::optional<std::string> Ask(std::string_view label, std::string_view default_value);

  const GenerateOptions& options_;
  CFormInfoDlg* dialog_ = nullptr;
  bool unanswered_ = false;
};

}  // namespace tavik::cli
