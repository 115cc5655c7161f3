// The form-information dialog's behaviour, apart from any window.
#include "host/form_info_dialog.h"

#include "base/string_table.h"
#include "form/form_desc.h"
#include "platform/message_boxes.h"
#include "platform/platform.h"
#include "platform/save_file_picker.h"
#include "platform/settings_file.h"

namespace tavik {

namespace {
constexpr const char* kSection = "Visual Basic";
constexpr const char* kConnectKey = "ConnectString";
constexpr const char* kDatabaseKey = "DatabaseString";

std::string Limited(const std::string& text) {
  return text.substr(0, CFormInfoDlg::kMaxText);
}

void ShowParameterError(int text_id) {
  if (auto* boxes = CurrentPlatform().message_boxes) {
    boxes->ShowMessage(StringTable::Text(StringTable::kParameterErrorCaption),
                       StringTable::Text(text_id));
  }
}
}  // namespace

void CFormInfoDlg::OnInitDialog(bool client_generates_live) {
  prompt_ = StringTable::Text(StringTable::kFormInfoPromptWithFile);
  if (client_generates_live) {
    ask_for_filespec_ = false;
    prompt_ = StringTable::Text(StringTable::kFormInfoPromptLive);
  }
  if (auto* settings = CurrentPlatform().settings) {
    std::string connect = Limited(settings->ReadString(kSection, kConnectKey, ""));
    std::string database = Limited(settings->ReadString(kSection, kDatabaseKey, ""));
    if (!connect.empty()) connect_string = connect;
    if (!database.empty()) database_string = database;
  }
}

void CFormInfoDlg::OnBrowse() {
  auto* picker = CurrentPlatform().save_file_picker;
  if (!picker) return;
  if (auto chosen = picker->PickSaveFile(StringTable::Text(StringTable::kSaveFormTitle))) {
    filespec = chosen->path;
  }
}

bool CFormInfoDlg::CheckFormName() {
  if (form_name.empty()) {
    ShowParameterError(StringTable::kNoFormName);
    return false;
  }
  if (form_name[0] >= '0' && form_name[0] <= '9') {
    ShowParameterError(StringTable::kFormNameStartsWithDigit);
    return false;
  }
  CFormDesc::ValidateString(form_name);
  return true;
}

bool CFormInfoDlg::EnsureFilespec() {
  if (!ask_for_filespec_ || !filespec.empty()) return true;
  auto* picker = CurrentPlatform().save_file_picker;
  auto chosen =
      picker ? picker->PickSaveFile(StringTable::Text(StringTable::kSaveFormTitle)) : std::nullopt;
  if (!chosen) return false;
  filespec = chosen->path;
  return true;
}

void CFormInfoDlg::FillForm() {
  if (ask_for_filespec_) form_->SetFilespec(filespec);
  (void)form_->SetFormName(Limited(form_name));  // a form's property is always added
  form_->SetDefaultConnectString(Limited(connect_string));
  form_->SetDefaultDatabaseString(Limited(database_string));
  form_->SetDatabaseInAppFolder(database_in_app_folder);
  (void)form_->SetFormCaptionString(Limited(caption));  // as the name
}

void CFormInfoDlg::KeepSettings() {
  if (auto* settings = CurrentPlatform().settings) {
    settings->WriteString(kSection, kConnectKey, connect_string);
    settings->WriteString(kSection, kDatabaseKey, database_string);
  }
}

void FillFormDescription(void* form, const FormInfoFields& fields) {
  auto& described = *static_cast<CFormDesc*>(form);
  described.SetFilespec(fields.filespec);
  described.SetDefaultConnectString(fields.connect_string);
  described.SetDefaultDatabaseString(fields.database_string);
  if (fields.form_name.empty()) return;
  (void)described.SetFormName(fields.form_name);         // a form's property is always added
  (void)described.SetFormCaptionString(fields.caption);  // as the name
}

bool CFormInfoDlg::OnOK() {
  if (!CheckFormName()) return false;
  if (!EnsureFilespec()) return false;
  FillForm();
  KeepSettings();
  return true;
}

}  // namespace tavik
