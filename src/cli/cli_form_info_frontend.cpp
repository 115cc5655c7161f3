// Answering the form-information dialog from the command line.
#include "cli/cli_form_info_frontend.h"

#include <fmt/format.h>

#include <filesystem>
#include <iostream>
#include <utility>

#include "base/exit_status.h"
#include "environment/environment_client.h"
#include "tavikfw/brenlo.h"
#include "text/code_page.h"
#include "text/windows1252.h"

namespace tavik::cli {

namespace {

// A model's form names are Windows-1252 text.
std::string StemOf(std::string_view form_name) {
  return std::string(text::CodePage::Windows1252().FileStem(form_name));
}

}  // namespace

std::optional<std::string> CliFormInfoFrontend::Ask(std::string_view label,
                                                    std::string_view default_value) {
  if (default_value.empty()) {
    fmt::print(stderr, "{} ", label);
  } else {
    fmt::print(stderr, "{} [{}] ", label, text::Windows1252ToUtf8(default_value));
  }
  std::fflush(stderr);
  std::string reply;
  if (!std::getline(std::cin, reply)) return std::nullopt;
  if (reply.empty()) return std::string(default_value);
  auto converted = text::Utf8ToWindows1252(reply);
  if (!converted) {
    fmt::print(stderr, "{}\n", text::FormTextFault(reply));
    return Ask(label, default_value);
  }
  return converted;
}

bool CliFormInfoFrontend::AskEveryField(CFormInfoDlg& dialog) {
  fmt::print(stderr, "{}\n", text::Windows1252ToUtf8(dialog.Prompt()));
  struct Field {
    const char* label;
    std::string* text;
  };
  const Field fields[] = {{"Connect:", &dialog.connect_string},
                          {"Database:", &dialog.database_string},
                          {"Form Name:", &dialog.form_name},
                          {"Form Caption:", &dialog.caption}};
  for (const Field& field : fields) {
    auto answer = Ask(field.label, *field.text);
    if (!answer) return false;
    *field.text = *answer;
  }
  if (!dialog.AsksForFilespec()) return true;
  // No name is offered without a stem: ".FRM" alone would be written as a hidden file.
  const std::string offered = !dialog.filespec.empty() || dialog.form_name.empty()
                                  ? dialog.filespec
                                  : StemOf(dialog.form_name) + ".FRM";
  auto file = Ask("Filespec:", offered);
  if (!file) return false;
  std::filesystem::path typed(*file);
  if (!file->empty() && typed.extension().empty() && !typed.stem().empty()) *file += ".FRM";
  dialog.filespec = *file;
  return true;
}

bool CliFormInfoFrontend::MayWrite(const std::string& file) {
  const OutputGuard::Verdict verdict = guard_.Judge(file, "form file");
  if (verdict.status == 0) {
    guard_.AcceptReplacing(file);
    return true;
  }
  if (verdict.only_exists && options_.interactive) {
    fmt::print(stderr, "{} is there already. Replace it? [y/N] ", file);
    std::fflush(stderr);
    std::string reply;
    if (!std::getline(std::cin, reply)) {
      unanswered_ = true;
      return false;
    }
    const bool replace = reply == "y" || reply == "Y" || reply == "yes";
    if (replace) guard_.AcceptReplacing(file);
    return replace;
  }
  fmt::print(stderr, "tavikfw generate: {}\n", verdict.message);
  if (verdict.status != kExitUsage) refused_status_ = verdict.status;
  return false;
}

std::string CliFormInfoFrontend::FormFile(const CFormInfoDlg& dialog) const {
  if (!options_.live_folder) return dialog.filespec;
  return environment::EnvironmentClient::SavePath(*options_.live_folder, dialog.form_name);
}

DialogResult CliFormInfoFrontend::Run(CFormInfoDlg& dialog, bool client_generates_live) {
  if (model_to_unload_) BR_UnloadModel(*std::exchange(model_to_unload_, std::nullopt));
  dialog_ = &dialog;
  dialog.OnInitDialog(client_generates_live);
  if (options_.connect) dialog.connect_string = *options_.connect;
  if (options_.database) dialog.database_string = *options_.database;
  dialog.database_in_app_folder = options_.from_database;
  if (options_.caption) dialog.caption = *options_.caption;
  if (options_.output && dialog.AsksForFilespec()) dialog.filespec = *options_.output;
  if (options_.name) dialog.form_name = *options_.name;
  for (;;) {
    if (options_.interactive && !AskEveryField(dialog)) {
      unanswered_ = true;  // the terminal ended: nothing was answered, nothing is written
      return DialogResult::kCancelled;
    }
    if (dialog.OnOK() && MayWrite(FormFile(dialog))) return DialogResult::kAccepted;
    if (unanswered_) return DialogResult::kCancelled;
    // The dialog stays open: only a terminal can answer it again.
    if (options_.interactive) continue;
    if (dialog.form_name.empty()) {
      fmt::print(stderr, "tavikfw generate: name the form with --name\n");
    }
    unanswered_ = true;
    return DialogResult::kCancelled;
  }
}

std::optional<PickedFile> CliFormInfoFrontend::PickSaveFile(std::string_view /*window_title*/) {
  std::string name = dialog_ ? StemOf(dialog_->form_name) : std::string();
  return PickedFile{name + ".FRM", name + ".FRM"};
}

}  // namespace tavik::cli
