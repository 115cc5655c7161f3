// The reverse-engineering dialog as a Windows dialog from template "TAVIKDLG".
#pragma once

#include <windows.h>

#include "host/reverse_engineering_dialog.h"

namespace tavik {

// The environment's main window is the top-level window of class "OFEDT". The dialog runs
// modally over it and shows the model's lists; besides the user's actions it answers the
// refresh request (message 5024, whose long parameter is the form description to choose),
// which reaches it from anyone who finds it by its title.
class Win32ReverseEngineeringFrontend : public ReverseEngineeringFrontend {
 public:
  static constexpr const char* kEnvironmentWindowClass = "OFEDT";
  static constexpr UINT kRefreshMessage = WM_USER + 4000;
  static_assert(kRefreshMessage == CReverseEngineeringDlg::kRefreshMessage);

  TVK_HANDLE FindEnvironmentWindow() override;
  void Run(CReverseEngineeringDlg& dialog, TVK_HANDLE owner) override;
  void PutBehindDialog(TVK_HANDLE form_window) override;
  void ListsChanged(CReverseEngineeringDlg& dialog) override;

  // The open dialog window, found by its title; null when none is open.
  static HWND FindOpenDialog();
  // Asks the open dialog to list the forms again with this form chosen; false when none
  // is open.
  static bool SendRefresh(void* form);

  // The dialog window while Run shows it.
  HWND Window() const { return window_; }
  void SetWindow(HWND window) { window_ = window; }

 private:
  HWND window_ = nullptr;
};

}  // namespace tavik
