// The reverse-engineering dialog as a Windows dialog from template "TAVIKDLG".
#include "platform/win32/win32_reverse_engineering_frontend.h"

#include <string>

#include "platform/win32/dialog_colors.h"
#include "platform/win32/dialog_items.h"
#include "platform/win32/this_module.h"

namespace tavik {

namespace {

using Dlg = CReverseEngineeringDlg;

struct Session {
  Dlg* dialog;
  Win32ReverseEngineeringFrontend* frontend;
};

// A list box filled anew: each entry keeps the index of its model entry, since the box
// sorts by itself; the model's selection is selected again.
void FillList(HWND window, int id, const std::vector<std::string>& names,
              std::optional<std::size_t> selected) {
  const HWND list = ::GetDlgItem(window, id);
  ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (std::size_t index = 0; index < names.size(); ++index) {
    const LRESULT at =
        ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(names[index].c_str()));
    if (at < 0) continue;
    ::SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(index));
    if (selected == index) ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(at), 0);
  }
  ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(list, nullptr, TRUE);
}

void ShowLists(HWND window, const Dlg& dialog) {
  const Dlg::Lists shown = dialog.Shown();
  FillList(window, Dlg::kFormsListId, shown.forms, shown.selected_form);
  FillList(window, Dlg::kControlsListId, shown.controls, shown.selected_control);
  FillList(window, Dlg::kPropertiesListId, shown.properties, shown.selected_property);
  FillList(window, Dlg::kDataFieldsListId, shown.data_fields, std::nullopt);
  SetItemText(window, Dlg::kValueId, shown.value);
}

// The model index of the list's selected entry.
std::optional<std::size_t> Selection(HWND window, int id) {
  const HWND list = ::GetDlgItem(window, id);
  const LRESULT at = ::SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (at == LB_ERR) return std::nullopt;
  return static_cast<std::size_t>(::SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(at), 0));
}

void OnListSelection(HWND window, Dlg& dialog, int id) {
  const std::optional<std::size_t> index = Selection(window, id);
  if (!index) return;
  if (id == Dlg::kFormsListId) {
    dialog.OnFormSelected(*index);
  } else if (id == Dlg::kControlsListId) {
    dialog.OnControlSelected(*index);
  } else if (id == Dlg::kPropertiesListId) {
    dialog.OnPropertySelected(*index);
  } else {
    return;
  }
  ShowLists(window, dialog);
}

void OnButton(HWND window, Dlg& dialog, int id) {
  switch (id) {
    case Dlg::kOkId:
      dialog.OnOK();
      break;
    case Dlg::kCancelId:
      dialog.OnCancel();
      break;
    case Dlg::kGenerateId:
      (void)dialog.OnGenerate();  // the dialog stays open: a failed form is generated again
      break;
    case Dlg::kSmartReId:
      dialog.OnSmartRE();
      break;
    default:
      return;
  }
  if (dialog.IsClosed()) {
    ::EndDialog(window, static_cast<INT_PTR>(dialog.EndValue()));
  } else {
    ShowLists(window, dialog);
  }
}

void OnInitDialog(HWND window, Session& session) {
  session.frontend->SetWindow(window);
  // The Data Fields list: the table column starts under its caption.
  const RECT list = ItemRect(window, Dlg::kDataFieldsListId);
  RECT units{0, 0, 4, 8};
  ::MapDialogRect(window, &units);
  const int table_column = units.right > 0 ? (list.right - list.left) / 2 * 4 / units.right : 60;
  ::SendDlgItemMessageA(window, Dlg::kDataFieldsListId, LB_SETTABSTOPS, 1,
                        reinterpret_cast<LPARAM>(&table_column));
  RECT frame{};
  ::GetWindowRect(window, &frame);
  const Dlg::Position position =
      Dlg::Place(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN),
                 frame.right - frame.left, frame.bottom - frame.top);
  ::SetWindowPos(window, nullptr, position.left, position.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  session.dialog->OnInitDialog();
  ShowLists(window, *session.dialog);
}

INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM word, LPARAM long_value) {
  try {
    if (message == WM_INITDIALOG) {
      ::SetWindowLongPtrA(window, DWLP_USER, long_value);
      OnInitDialog(window, *reinterpret_cast<Session*>(long_value));
      return TRUE;
    }
    if (INT_PTR brush = AnswerDialogColors(message, word)) return brush;
    auto* session = reinterpret_cast<Session*>(::GetWindowLongPtrA(window, DWLP_USER));
    if (!session) return FALSE;
    if (message == Win32ReverseEngineeringFrontend::kRefreshMessage) {
      session->dialog->OnRefresh(reinterpret_cast<const void*>(long_value));
      ShowLists(window, *session->dialog);
      return TRUE;
    }
    if (message == WM_COMMAND) {
      const int id = LOWORD(word);
      if (HIWORD(word) == LBN_SELCHANGE && id != Dlg::kOkId && id != Dlg::kCancelId) {
        OnListSelection(window, *session->dialog, id);
      } else if (HIWORD(word) == BN_CLICKED) {
        OnButton(window, *session->dialog, id);
      }
      return TRUE;
    }
  } catch (...) {
    // Every failure inside the dialog leaves it open as it is.
  }
  return FALSE;
}

}  // namespace

TVK_HANDLE Win32ReverseEngineeringFrontend::FindEnvironmentWindow() {
  return reinterpret_cast<TVK_HANDLE>(::FindWindowA(kEnvironmentWindowClass, nullptr));
}

void Win32ReverseEngineeringFrontend::Run(CReverseEngineeringDlg& dialog, TVK_HANDLE owner) {
  Session session{&dialog, this};
  const std::string template_name(Dlg::kTemplateName);
  ::DialogBoxParamA(ThisModule(), template_name.c_str(), reinterpret_cast<HWND>(owner), Procedure,
                    reinterpret_cast<LPARAM>(&session));
  window_ = nullptr;
}

void Win32ReverseEngineeringFrontend::PutBehindDialog(TVK_HANDLE form_window) {
  if (!window_ || !form_window) return;
  ::SetWindowPos(reinterpret_cast<HWND>(form_window), window_, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32ReverseEngineeringFrontend::ListsChanged(CReverseEngineeringDlg& dialog) {
  if (window_) ShowLists(window_, dialog);
}

HWND Win32ReverseEngineeringFrontend::FindOpenDialog() {
  const std::string title(Dlg::kTitle);
  return ::FindWindowA(nullptr, title.c_str());
}

bool Win32ReverseEngineeringFrontend::SendRefresh(void* form) {
  const HWND open = FindOpenDialog();
  if (!open) return false;
  ::SendMessageA(open, kRefreshMessage, 0, reinterpret_cast<LPARAM>(form));
  return true;
}

}  // namespace tavik
