// Answering the form-information dialog from the command line.
#include "cli/cli_form_info_frontend.h"

#include <fmt/format.h>

#include <iostream>

#include "base/string_table.h"
#include "brenlo/windows1252.h"

namespace tavik::cli {

std::optional<std::string> CliFormInfoFrontend::Ask(std::string_view label,
                                                    std::string_view default_value) {
  if (default_value.empty()) {
    fmt::print(stderr, "{} ", label);
  } else {
    fmt::print(stderr, "{} [{}] ", label, brenlo::Windows1252ToUtf8(default_value));
  }
  std::fflush(stderr);
  std::string reply;
  if (!std::getline(std::cin, reply)) return std::nullopt;
  if (reply.empty()) return std::string(default_value);
  auto converted = brenlo::Utf8ToWindows1252(reply);
  if (!converted) {
    fmt::print(stderr, "{}\n", brenlo::FormTextFault(reply));
    return Ask(label, default_value);
  }
  return converted;
}

DialogResult CliFormInfoFrontend::Run(CFormInfoDlg& dialog, bool client_generates_live) {
  dialog_ = &dialog;
  dialog.OnInitDialog(client_generates_live);
  if (options_.connect) dialog.connect_string = *options_.connect;
  if (options_.database) dialog.database_string = *options_.database;
  if (options_.caption) dialog.caption = *options_.caption;
  if (options_.output && dialog.AsksForFilespec()) dialog.filespec = *options_.output;
  if (options_.name) dialog.form_name = *options_.name;
  bool retry = false;
  for (;;) {
    if (options_.interactive && (retry || dialog.form_name.empty())) {
      fmt::print(stderr, "{}\n", brenlo::Windows1252ToUtf8(dialog.Prompt()));
      auto name = Ask("Form Name:", dialog.form_name);
      if (!name) return DialogResult::kCancelled;
      dialog.form_name = *name;
    }
    if (dialog.OnOK()) return DialogResult::kAccepted;
    // The dialog stays open: only a terminal can answer it again.
    if (!options_.interactive) {
      unanswered_ = true;
      return DialogResult::kCancelled;
    }
    retry = true;
  }
}

std::optional<PickedFile> CliFormInfoFrontend::PickSaveFile(std::string_view /*window_title*/) {
  std::string name = dialog_ ? dialog_->form_name.substr(0, 8) : std::string();
  PickedFile picked{name + ".FRM", name + ".FRM"};
  if (options_.interactive && !options_.output) {
    auto path = Ask("Filespec:", picked.path);
    if (!path) return std::nullopt;
    picked.path = *path;
  }
  return picked;
}

}  // namespace tavik::cli
