// The form-information dialog as a Windows dialog from template 201.
#include "platform/win32/win32_form_info_frontend.h"

#include <windows.h>

#include "platform/win32/dialog_colors.h"
#include "platform/win32/dialog_items.h"
#include "platform/win32/form_info_dialog_ids.h"
#include "platform/win32/this_module.h"

namespace tavik {

namespace {

namespace ids = form_info_items;

struct Session {
  CFormInfoDlg* dialog;
  bool client_generates_live;
};

// The edit controls into the model's fields.
void Fetch(HWND window, CFormInfoDlg& dialog) {
  dialog.connect_string = ItemText(window, ids::kConnect);
  dialog.database_string = ItemText(window, ids::kDatabase);
  dialog.filespec = ItemText(window, ids::kFilespec);
  dialog.caption = ItemText(window, ids::kCaption);
  dialog.form_name = ItemText(window, ids::kFormName);
}

// The model's fields into the edit controls.
void Push(HWND window, const CFormInfoDlg& dialog) {
  SetItemText(window, ids::kConnect, dialog.connect_string);
  SetItemText(window, ids::kDatabase, dialog.database_string);
  SetItemText(window, ids::kFilespec, dialog.filespec);
  SetItemText(window, ids::kCaption, dialog.caption);
  SetItemText(window, ids::kFormName, dialog.form_name);
}

// Without the filespec row the group box takes the Browse button's column at the height of
// the first edit, the texts in it and the OK and Cancel buttons follow it, and the window
// loses the width and height that the move freed.
void HideFilespecRow(HWND window) {
  for (int id : {ids::kFilespecLabel, ids::kFilespec, ids::kBrowse}) {
    ::ShowWindow(::GetDlgItem(window, id), SW_HIDE);
  }
  const RECT group = ItemRect(window, ids::kGroupBox);
  const RECT browse = ItemRect(window, ids::kBrowse);
  const RECT connect = ItemRect(window, ids::kConnect);
  const int dx = group.left - browse.left;
  const int dy = group.top - connect.top;
  MoveItem(window, ids::kGroupBox, browse.left, connect.top);
  for (int id : {ids::kHeading, ids::kPrompt}) {
    const RECT item = ItemRect(window, id);
    MoveItem(window, id, item.left - dx, item.top - dy);
  }
  for (int id : {ids::kOk, ids::kCancel}) {
    const RECT item = ItemRect(window, id);
    MoveItem(window, id, item.left - dx, item.top);
  }
  RECT frame{};
  ::GetWindowRect(window, &frame);
  ::SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left - dx,
                 frame.bottom - frame.top - dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL OnInitDialog(HWND window, Session& session) {
  CFormInfoDlg& dialog = *session.dialog;
  dialog.OnInitDialog(session.client_generates_live);
  if (!dialog.AsksForFilespec()) HideFilespecRow(window);
  SetItemText(window, ids::kPrompt, dialog.Prompt());
  PlaceOnScreen(window);
  Push(window, dialog);
  ::SetFocus(::GetDlgItem(window, ids::kConnect));
  return FALSE;
}

BOOL OnCommand(HWND window, Session& session, int id) {
  CFormInfoDlg& dialog = *session.dialog;
  switch (id) {
    case ids::kOk:
      Fetch(window, dialog);
      if (dialog.OnOK()) {
        ::EndDialog(window, IDOK);
      } else {
        Push(window, dialog);
      }
      return TRUE;
    case ids::kCancel:
      ::EndDialog(window, IDCANCEL);
      return TRUE;
    case ids::kBrowse:
      Fetch(window, dialog);
      dialog.OnBrowse();
      Push(window, dialog);
      return TRUE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM word, LPARAM long_value) {
  try {
    if (message == WM_INITDIALOG) {
      ::SetWindowLongPtrA(window, DWLP_USER, long_value);
      return OnInitDialog(window, *reinterpret_cast<Session*>(long_value));
    }
    auto* session = reinterpret_cast<Session*>(::GetWindowLongPtrA(window, DWLP_USER));
    if (session && message == WM_COMMAND && HIWORD(word) == BN_CLICKED) {
      return OnCommand(window, *session, LOWORD(word));
    }
    if (INT_PTR brush = AnswerDialogColors(message, word)) return brush;
  } catch (...) {
    // Nothing may unwind through the window procedure; the dialog stays as it is.
  }
  return FALSE;
}

}  // namespace

DialogResult Win32FormInfoFrontend::Run(CFormInfoDlg& dialog, bool client_generates_live) {
  Session session{&dialog, client_generates_live};
  const INT_PTR result =
      ::DialogBoxParamA(ThisModule(), MAKEINTRESOURCEA(ids::kTemplate), ::GetActiveWindow(),
                        Procedure, reinterpret_cast<LPARAM>(&session));
  return result == IDOK ? DialogResult::kAccepted : DialogResult::kCancelled;
}

}  // namespace tavik
