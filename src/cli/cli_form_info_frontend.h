// The form-information dialog answered from the options, or on the terminal.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "cli/generate_options.h"
#include "cli/output_guard.h"
#include "host/form_info_dialog.h"
#include "platform/save_file_picker.h"

namespace tavik::cli {

class CliFormInfoFrontend : public FormInfoFrontend, public SaveFilePicker {
 public:
  // Texts in the options have been converted to Windows-1252 already; the guard refuses a
  // form file that is one of the run's inputs.
  CliFormInfoFrontend(const GenerateOptions& options, OutputGuard& guard)
      : options_(options), guard_(guard) {}

  // Fills the fields from the options; at a terminal asks every field, the value so far as
  // its default.
  DialogResult Run(CFormInfoDlg& dialog, bool client_generates_live) override;
  // The form name cut to 8 characters plus ".FRM".
  std::optional<PickedFile> PickSaveFile(std::string_view window_title) override;

  // True when an answer was missing or refused and nobody could be asked, or the terminal
  // ended before every field was answered.
  bool LeftUnanswered() const { return unanswered_; }
  // The status of a form file that must not be written (73: it is there, read-only or a
  // symbolic link), or 0.
  int RefusedStatus() const { return refused_status_; }

  // For a command that loaded the model for this run alone. The run asks for the form's
  // details once it has begun serving the model, whose session keeps it from then on; the
  // command's hold is given up there, so the model goes as soon as the run has read it,
  // before the form is generated, instead of staying to the end.
  void UnloadModelWhenAsked(std::uint32_t host_value) { model_to_unload_ = host_value; }

 private:
  std::optional<std::string> Ask(std::string_view label, std::string_view default_value);
  // False when the terminal closed before every field was answered.
  bool AskEveryField(CFormInfoDlg& dialog);
  // The file the accepted dialog has the form written to.
  std::string FormFile(const CFormInfoDlg& dialog) const;
  // Whether the form may be written to file; at a terminal a file that is there is
  // replaced only when the user says so.
  bool MayWrite(const std::string& file);

  const GenerateOptions& options_;
  OutputGuard& guard_;
  CFormInfoDlg* dialog_ = nullptr;
  bool unanswered_ = false;
  int refused_status_ = 0;
  std::optional<std::uint32_t> model_to_unload_;
};

}  // namespace tavik::cli
