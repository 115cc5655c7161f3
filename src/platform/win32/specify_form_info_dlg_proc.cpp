// The exported dialog procedure of template 201, for hosts that run the dialog themselves.
#include "tavikfw/form_info_dialog_proc.h"

#include "base/string_table.h"
#include "host/form_info_dialog.h"
#include "platform/message_boxes.h"
#include "platform/platform.h"
#include "platform/save_file_picker.h"
#include "platform/settings_file.h"
#include "platform/win32/dialog_colors.h"
#include "platform/win32/dialog_items.h"
#include "platform/win32/form_info_dialog_ids.h"

namespace {

namespace ids = tavik::form_info_items;

constexpr std::size_t kMaxText = 80;
constexpr const char* kSection = "Visual Basic";
constexpr const char* kConnectKey = "ConnectString";
constexpr const char* kDatabaseKey = "DatabaseString";

// The form of the one dialog that may run at a time.
void* specified_form = nullptr;

std::string Item(HWND dialog, int id) {
  return tavik::ItemText(dialog, id, kMaxText);
}

std::optional<tavik::PickedFile> PickFile() {
  tavik::SaveFilePicker* picker = tavik::CurrentPlatform().save_file_picker;
  if (!picker) return std::nullopt;
  return picker->PickSaveFile(tavik::StringTable::Text(tavik::StringTable::kSaveFormTitle));
}

void OnInitDialog(HWND dialog, LPARAM form) {
  specified_form = reinterpret_cast<void*>(form);
  tavik::PlaceOnScreen(dialog);
  if (tavik::SettingsFile* settings = tavik::CurrentPlatform().settings) {
    const std::string connect = settings->ReadString(kSection, kConnectKey, "").substr(0, kMaxText);
    const std::string database =
        settings->ReadString(kSection, kDatabaseKey, "").substr(0, kMaxText);
    if (!connect.empty()) tavik::SetItemText(dialog, ids::kConnect, connect);
    if (!database.empty()) tavik::SetItemText(dialog, ids::kDatabase, database);
  }
  ::SetFocus(::GetDlgItem(dialog, ids::kConnect));
}

INT_PTR OnOK(HWND dialog) {
  std::string filespec = Item(dialog, ids::kFilespec);
  if (filespec.empty()) {
    const std::optional<tavik::PickedFile> chosen = PickFile();
    if (!chosen) return 1;
    tavik::SetItemText(dialog, ids::kFilespec, chosen->path);
    filespec = chosen->path;
  }
  if (!specified_form) return 1;
  const tavik::FormInfoFields fields{filespec, Item(dialog, ids::kConnect),
                                     Item(dialog, ids::kDatabase), Item(dialog, ids::kFormName),
                                     Item(dialog, ids::kCaption)};
  tavik::FillFormDescription(specified_form, fields);
  if (fields.form_name.empty()) {
    if (tavik::MessageBoxes* boxes = tavik::CurrentPlatform().message_boxes) {
      boxes->ShowMessage(tavik::StringTable::Text(tavik::StringTable::kParameterErrorCaption),
                         tavik::StringTable::Text(tavik::StringTable::kNoFormNameDialogProc));
    }
    return 0;
  }
  if (tavik::SettingsFile* settings = tavik::CurrentPlatform().settings) {
    settings->WriteString(kSection, kConnectKey, Item(dialog, ids::kConnect));
    settings->WriteString(kSection, kDatabaseKey, Item(dialog, ids::kDatabase));
  }
  ::EndDialog(dialog, 1);
  return 1;
}

INT_PTR OnCommand(HWND dialog, int id) {
  switch (id) {
    case ids::kOk:
      return OnOK(dialog);
    case ids::kCancel:
      ::EndDialog(dialog, 0);
      return 1;
    case ids::kBrowse:
      if (const std::optional<tavik::PickedFile> chosen = PickFile()) {
        tavik::SetItemText(dialog, ids::kFilespec, chosen->path);
      }
      return 1;
    default:
      return 0;
  }
}

}  // namespace

extern "C" TAVIKFW_API INT_PTR CALLBACK SpecifyFormInfoDlgProc(HWND dialog, UINT message,
                                                               WPARAM word, LPARAM long_value) {
  try {
    if (message == WM_INITDIALOG) {
      OnInitDialog(dialog, long_value);
      return 0;
    }
    if (message == WM_COMMAND && HIWORD(word) == BN_CLICKED) return OnCommand(dialog, LOWORD(word));
    if (INT_PTR brush = tavik::AnswerDialogColors(message, word)) return brush;
  } catch (...) {
    // Nothing may unwind into the dialog manager; the dialog stays as it is.
  }
  return 0;
}
