// The reverse-engineering dialog's window: the environment's main window is found by its
// class, the dialog opens over it from template "TAVIKDLG", answers the refresh request that
// reaches it by its title, and ends with the value of the button pressed.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "environment/environment_client.h"
#include "host/registry.h"
#include "host/reverse_engineering_dialog.h"
#include "platform/win32/win32_reverse_engineering_frontend.h"
#include "tavikfw/tavikfw.h"
#include "window_driver.h"

namespace {

namespace user = tavik::win32_testing;
using tavik::CReverseEngineeringDlg;
using tavik::Win32ReverseEngineeringFrontend;

constexpr const char* kTitle = "Tavik Reverse Engineering";

std::vector<std::string> ListEntries(HWND dialog, int id) {
  std::vector<std::string> entries;
  const LRESULT count = ::SendDlgItemMessageA(dialog, id, LB_GETCOUNT, 0, 0);
  for (LRESULT at = 0; at < count; ++at) {
    const LRESULT length =
        ::SendDlgItemMessageA(dialog, id, LB_GETTEXTLEN, static_cast<WPARAM>(at), 0);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    ::SendDlgItemMessageA(dialog, id, LB_GETTEXT, static_cast<WPARAM>(at),
                          reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    entries.push_back(text);
  }
  return entries;
}

// Selects the list's entry as a click would, with the notification the dialog acts on.
void Select(HWND dialog, int id, int entry) {
  ::SendDlgItemMessageA(dialog, id, LB_SETCURSEL, static_cast<WPARAM>(entry), 0);
  ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

// Keeps a dialog on the screen for a while when TAVIK_SCREENSHOT_PAUSE_MS asks, so that a
// picture of it can be taken.
void LingerForScreenshot() {
  if (const char* pause = std::getenv("TAVIK_SCREENSHOT_PAUSE_MS")) {
    std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(pause)));
  }
}

// A stand-in for the Visual Basic environment's main window.
class EnvironmentWindow {
 public:
  EnvironmentWindow() {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = ::DefWindowProcA;
    window_class.hInstance = ::GetModuleHandleA(nullptr);
    window_class.lpszClassName = Win32ReverseEngineeringFrontend::kEnvironmentWindowClass;
    ::RegisterClassA(&window_class);
    window_ = ::CreateWindowA(window_class.lpszClassName, "Environment", WS_OVERLAPPEDWINDOW, 0, 0,
                              300, 200, nullptr, nullptr, window_class.hInstance, nullptr);
  }
  ~EnvironmentWindow() { ::DestroyWindow(window_); }
  EnvironmentWindow(const EnvironmentWindow&) = delete;
  EnvironmentWindow& operator=(const EnvironmentWindow&) = delete;
  HWND window() const { return window_; }

 private:
  HWND window_;
};

TEST(ReverseEngineeringWindow, EnvironmentIsFoundByItsWindowClass) {
  Win32ReverseEngineeringFrontend frontend;
  EXPECT_EQ(frontend.FindEnvironmentWindow(), 0u);
  {
    EnvironmentWindow environment;
    ASSERT_NE(environment.window(), nullptr);
    EXPECT_EQ(frontend.FindEnvironmentWindow(), reinterpret_cast<TVK_HANDLE>(environment.window()));
  }
  EXPECT_EQ(frontend.FindEnvironmentWindow(), 0u);
}

TEST(ReverseEngineeringWindow, DialogRunsOverTheEnvironmentAndAnswersTheRefreshRequest) {
  EnvironmentWindow environment;
  Win32ReverseEngineeringFrontend frontend;
  EXPECT_FALSE(Win32ReverseEngineeringFrontend::SendRefresh(nullptr));

  for (auto [button, end_value] : {std::pair{IDCANCEL, 0u}, {IDOK, 1u}}) {
    CReverseEngineeringDlg dialog(tavik::Registry::Instance(), nullptr, &frontend);
    std::atomic<bool> appeared{false};
    HWND owner = nullptr;
    bool refresh_delivered = false;
    LRESULT forms_listed = -1;
    std::thread player([&, pressed = button] {
      const HWND window = user::WaitForDialog(kTitle);
      if (!window) return;
      appeared = true;
      owner = ::GetWindow(window, GW_OWNER);
      refresh_delivered = Win32ReverseEngineeringFrontend::SendRefresh(nullptr);
      forms_listed =
          ::SendDlgItemMessageA(window, CReverseEngineeringDlg::kFormsListId, LB_GETCOUNT, 0, 0);
      user::Click(window, pressed);
    });
    frontend.Run(dialog, reinterpret_cast<TVK_HANDLE>(environment.window()));
    player.join();

    ASSERT_TRUE(appeared) << "the dialog did not appear";
    EXPECT_EQ(owner, environment.window());
    EXPECT_TRUE(refresh_delivered);
    EXPECT_EQ(forms_listed, 0);
    EXPECT_TRUE(dialog.IsClosed());
    EXPECT_EQ(dialog.EndValue(), end_value);
    EXPECT_EQ(frontend.Window(), nullptr);
  }
}

// The whole request through the library's entry point: the running forms of the environment
// are listed, choosing a control shows its properties and the value of the first one.
TEST(ReverseEngineeringWindow, ListsTheRunningFormsTheirControlsAndProperties) {
  EnvironmentWindow main_window;
  const std::filesystem::path generated =
      std::filesystem::temp_directory_path() / "tavik_reverse_engineering";
  tavik::environment::EnvironmentClient environment(4, generated.string());
  ASSERT_TRUE(environment.Start());
  for (const char* form : {"one_entity", "parent_child"}) {
    const std::string path =
        std::string(TAVIK_SOURCE_DIR) + "/tests/golden/" + form + "/expected.FRM";
    ASSERT_NE(environment.LoadFormFile(path).form, nullptr) << path;
  }

  std::vector<std::string> forms;
  std::vector<std::string> controls;
  std::vector<std::string> first_properties;
  std::vector<std::string> second_properties;
  std::string first_value;
  user::DialogColors colors;
  std::atomic<bool> appeared{false};
  std::thread player([&] {
    const HWND dialog = user::WaitForDialog(kTitle);
    if (!dialog) return;
    appeared = true;
    colors = user::ColorsOf(dialog, {7, 5, 102, 14});  // the "Forms:" label
    forms = ListEntries(dialog, CReverseEngineeringDlg::kFormsListId);
    controls = ListEntries(dialog, CReverseEngineeringDlg::kControlsListId);
    first_properties = ListEntries(dialog, CReverseEngineeringDlg::kPropertiesListId);
    first_value = user::ItemText(dialog, CReverseEngineeringDlg::kValueId);
    LingerForScreenshot();
    Select(dialog, CReverseEngineeringDlg::kControlsListId, 1);
    second_properties = ListEntries(dialog, CReverseEngineeringDlg::kPropertiesListId);
    user::Click(dialog, IDOK);
  });
  const uint32_t result = DoReverseEngineering(environment.RunningForms().front().window);
  player.join();

  ASSERT_TRUE(appeared) << "the dialog did not appear";
  EXPECT_EQ(result, 1u);
  EXPECT_EQ(forms, (std::vector<std::string>{"CustOrders", "Orders"}));
  // Black on light grey, whatever the system's colours.
  EXPECT_EQ(colors.background, 0xC0C0C0u);
  EXPECT_TRUE(colors.black_text);
  ASSERT_GE(controls.size(), 2u);
  EXPECT_FALSE(first_properties.empty());
  EXPECT_FALSE(first_value.empty());
  EXPECT_FALSE(second_properties.empty());
  std::filesystem::remove_all(generated);
}

}  // namespace
