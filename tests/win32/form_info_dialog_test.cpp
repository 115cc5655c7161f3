// The form-information dialog on the screen: its two forms (the dialog class's window and
// the exported dialog procedure), driven by messages from another thread as a user would,
// and what the form description and "TAVIK.INI" receive.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "base/string_table.h"
#include "form/form_desc.h"
#include "host/client_base.h"
#include "host/form_info_dialog.h"
#include "platform/win32/this_module.h"
#include "platform/win32/win32_form_info_frontend.h"
#include "tavikfw/form_info_dialog_proc.h"
#include "window_driver.h"

namespace {

namespace fs = std::filesystem;
namespace user = tavik::win32_testing;
using tavik::StringTable;

constexpr const char* kTitle = "Tavik Form Wizard";
constexpr const char* kPickerTitle = "Save Tavik-Generated Form File As";
constexpr const char* kErrorCaption = "Tavik for Visual Basic Parameter Entry Error";
enum Item {
  kBrowse = 3,
  kGroupBox = 1004,
  kFilespecLabel = 1005,
  kConnect = 1014,
  kDatabase = 1015,
  kPrompt = 1016,
  kFormName = 1017,
  kCaption = 1018,
  kHeading = 1019,
  kFilespec = 1020
};
// The "Connect:" label, in dialog units.
constexpr RECT kConnectLabel{8, 39, 42, 50};

std::string Setting(const char* key) {
  std::array<char, 256> value{};
  ::GetPrivateProfileStringA("Visual Basic", key, "<none>", value.data(),
                             static_cast<DWORD>(value.size()), "TAVIK.INI");
  return value.data();
}

std::string TemporaryPath(const std::string& name) {
  std::array<char, MAX_PATH> folder{};
  ::GetTempPathA(static_cast<DWORD>(folder.size()), folder.data());
  return std::string(folder.data()) + name;
}

// Where the dialog stood and what it showed when the player first saw it.
struct Layout {
  RECT window{};
  RECT group_box{}, heading{}, prompt{}, ok{}, cancel{}, browse{}, connect{};
  bool filespec_row_visible = false;
  std::string prompt_text;
};

Layout Measure(HWND dialog) {
  Layout layout;
  layout.window = user::WindowRect(dialog);
  layout.group_box = user::ItemRect(dialog, kGroupBox);
  layout.heading = user::ItemRect(dialog, kHeading);
  layout.prompt = user::ItemRect(dialog, kPrompt);
  layout.ok = user::ItemRect(dialog, IDOK);
  layout.cancel = user::ItemRect(dialog, IDCANCEL);
  layout.browse = user::ItemRect(dialog, kBrowse);
  layout.connect = user::ItemRect(dialog, kConnect);
  layout.filespec_row_visible = user::IsItemVisible(dialog, kFilespec) &&
                                user::IsItemVisible(dialog, kFilespecLabel) &&
                                user::IsItemVisible(dialog, kBrowse);
  layout.prompt_text = user::ItemText(dialog, kPrompt);
  return layout;
}

class FormInfoDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(form_.Init(0, nullptr, nullptr, &client_, 4), 0u);
    ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, "TAVIK.INI");
    std::array<char, MAX_PATH> windows{};
    ::GetWindowsDirectoryA(windows.data(), static_cast<UINT>(windows.size()));
    settings_file_ = fs::path(windows.data()) / "TAVIK.INI";
    fs::remove(settings_file_);
  }
  void TearDown() override { fs::remove(settings_file_); }

  // Shows the dialog on this thread while the player acts on it from another; the player
  // gets the dialog window, or the test fails when it never appears.
  template <typename Show>
  auto RunWith(Show show, const std::function<void(HWND)>& player) {
    std::atomic<bool> appeared{false};
    std::thread playing([&] {
      const HWND dialog = user::WaitForDialog(kTitle);
      if (!dialog) return;
      appeared = true;
      player(dialog);
    });
    auto result = show();
    playing.join();
    EXPECT_TRUE(appeared) << "the dialog did not appear";
    return result;
  }

  tavik::DialogResult RunFrontend(bool live, const std::function<void(HWND)>& player) {
    return RunWith([&] { return frontend_.Run(dialog_, live); }, player);
  }

  INT_PTR RunProcedure(const std::function<void(HWND)>& player) {
    return RunWith(
        [&] {
          return ::DialogBoxParamA(tavik::ThisModule(), MAKEINTRESOURCEA(201), nullptr,
                                   SpecifyFormInfoDlgProc, reinterpret_cast<LPARAM>(&form_));
        },
        player);
  }

  fs::path settings_file_;
  tavik::ClientBase client_{4, /*generates_live=*/false, /*writes_files=*/true,
                            /*writes_to_virtual_space=*/false};
  tavik::CFormDesc form_;
  tavik::CFormInfoDlg dialog_{&form_};
  tavik::Win32FormInfoFrontend frontend_;
  user::ScreenUser user_{{kTitle}, kPickerTitle};
};

TEST_F(FormInfoDialogTest, AcceptedAnswersFillTheFormAndTheSettingsFile) {
  ::WritePrivateProfileStringA("Visual Basic", "ConnectString", "ODBC;DSN=Kept", "TAVIK.INI");
  ::WritePrivateProfileStringA("Visual Basic", "DatabaseString", "kept.mdb", "TAVIK.INI");
  Layout layout;
  std::string shown_connect;
  std::string shown_database;
  user::DialogColors colors;
  const tavik::DialogResult result = RunFrontend(false, [&](HWND dialog) {
    layout = Measure(dialog);
    colors = user::ColorsOf(dialog, kConnectLabel);
    shown_connect = user::ItemText(dialog, kConnect);
    shown_database = user::ItemText(dialog, kDatabase);
    user::TypeInto(dialog, kDatabase, "orders.mdb");
    user::TypeInto(dialog, kFormName, "Order Entry-Form");
    user::TypeInto(dialog, kCaption, "Orders \"today\"");
    user::TypeInto(dialog, kFilespec, "C:\\forms\\ORDERS.FRM");
    user::Click(dialog, IDOK);
  });

  EXPECT_EQ(result, tavik::DialogResult::kAccepted);
  EXPECT_EQ(shown_connect, "ODBC;DSN=Kept");
  EXPECT_EQ(shown_database, "kept.mdb");
  EXPECT_TRUE(layout.filespec_row_visible);
  EXPECT_EQ(layout.prompt_text, StringTable::Text(StringTable::kFormInfoPromptWithFile));
  // Black on light grey, whatever the system's colours.
  EXPECT_EQ(colors.background, 0xC0C0C0u);
  EXPECT_TRUE(colors.black_text);
  // Centred across the screen, a third of the free height from the top.
  const int width = layout.window.right - layout.window.left;
  const int height = layout.window.bottom - layout.window.top;
  EXPECT_EQ(layout.window.left, (::GetSystemMetrics(SM_CXSCREEN) - width) / 2);
  EXPECT_EQ(layout.window.top, (::GetSystemMetrics(SM_CYSCREEN) - height) / 3);

  // The caption and strings reaching the form are the dialog model's, which the command line
  // and the goldens run through on Linux.
  EXPECT_EQ(form_.GetFormName(), "Order_Entry_Form");
  EXPECT_EQ(form_.GetFilespec(), "C:\\forms\\ORDERS.FRM");
  EXPECT_EQ(Setting("ConnectString"), "ODBC;DSN=Kept");
  EXPECT_EQ(Setting("DatabaseString"), "orders.mdb");
  EXPECT_TRUE(user_.Messages().empty());
}

// Refused names keeping the dialog open, and Cancel writing nothing, are the host case
// refusals_then_cancel's.

// A client that generates live has no file to name: the filespec row goes and the dialog
// shrinks by the space the group box gave up.
TEST_F(FormInfoDialogTest, LiveClientDialogHidesTheFilespecRowAndShrinks) {
  Layout file;
  RunFrontend(false, [&](HWND dialog) {
    file = Measure(dialog);
    user::Click(dialog, IDCANCEL);
  });
  Layout live;
  const tavik::DialogResult result = RunFrontend(true, [&](HWND dialog) {
    live = Measure(dialog);
    user::TypeInto(dialog, kFormName, "Orders");
    user::Click(dialog, IDOK);
  });

  EXPECT_EQ(result, tavik::DialogResult::kAccepted);
  EXPECT_FALSE(live.filespec_row_visible);
  EXPECT_EQ(live.prompt_text, StringTable::Text(StringTable::kFormInfoPromptLive));
  const int dx = file.group_box.left - file.browse.left;
  const int dy = file.group_box.top - file.connect.top;
  ASSERT_GT(dx, 0);
  ASSERT_GT(dy, 0);
  EXPECT_EQ(live.group_box.left, file.browse.left);
  EXPECT_EQ(live.group_box.top, file.connect.top);
  EXPECT_EQ(live.group_box.right - live.group_box.left, file.group_box.right - file.group_box.left);
  for (auto [moved, before] : {std::pair{live.heading, file.heading}, {live.prompt, file.prompt}}) {
    EXPECT_EQ(moved.left, before.left - dx);
    EXPECT_EQ(moved.top, before.top - dy);
  }
  for (auto [moved, before] : {std::pair{live.ok, file.ok}, {live.cancel, file.cancel}}) {
    EXPECT_EQ(moved.left, before.left - dx);
    EXPECT_EQ(moved.top, before.top);
  }
  EXPECT_EQ(live.window.right - live.window.left, file.window.right - file.window.left - dx);
  EXPECT_EQ(live.window.bottom - live.window.top, file.window.bottom - file.window.top - dy);
  EXPECT_TRUE(user_.PickersSeen().empty());
  EXPECT_EQ(form_.GetFormName(), "Orders");
  EXPECT_EQ(form_.GetFilespec(), "");
}

TEST_F(FormInfoDialogTest, EmptyFilespecAsksThePickerAndBrowseFillsIt) {
  const std::string picked = TemporaryPath("PICKED.FRM");
  const std::string browsed = TemporaryPath("BROWSED.FRM");
  std::string after_cancelled_picker = "<not seen>";
  std::string after_browse;
  user_.AnswerNextPicker(browsed);
  user_.AnswerNextPicker(std::nullopt);
  user_.AnswerNextPicker(picked);
  const tavik::DialogResult result = RunFrontend(false, [&](HWND dialog) {
    user::TypeInto(dialog, kFormName, "Orders");
    user::Click(dialog, kBrowse);
    after_browse = user::ItemText(dialog, kFilespec);
    user::TypeInto(dialog, kFilespec, "");
    user::Click(dialog, IDOK);
    if (::IsWindowVisible(dialog)) after_cancelled_picker = user::ItemText(dialog, kFilespec);
    user::Click(dialog, IDOK);
  });

  EXPECT_EQ(result, tavik::DialogResult::kAccepted);
  EXPECT_EQ(after_browse, browsed);
  EXPECT_EQ(after_cancelled_picker, "");
  // Each picker opened on "*.frm".
  EXPECT_EQ(user_.PickersSeen(), (std::vector<std::string>{"*.frm", "*.frm", "*.frm"}));
  EXPECT_EQ(form_.GetFilespec(), picked);
}

// The exported procedure checks only that a name was given, and asks for a file first.
TEST_F(FormInfoDialogTest, ExportedDialogProcedureFillsTheFormItWasGiven) {
  ::WritePrivateProfileStringA("Visual Basic", "DatabaseString", "kept.mdb", "TAVIK.INI");
  bool open_after_refusal = false;
  std::string shown_database;
  user::DialogColors colors;
  const INT_PTR result = RunProcedure([&](HWND dialog) {
    shown_database = user::ItemText(dialog, kDatabase);
    colors = user::ColorsOf(dialog, kConnectLabel);
    user::TypeInto(dialog, kFilespec, "C:\\forms\\DIGITS.FRM");
    user::TypeInto(dialog, kConnect, "ODBC;DSN=Orders");
    user::Click(dialog, IDOK);
    open_after_refusal = ::IsWindowVisible(dialog) != FALSE;
    user::TypeInto(dialog, kFormName, "2 Orders");
    user::TypeInto(dialog, kCaption, "Digits");
    user::Click(dialog, IDOK);
  });

  EXPECT_EQ(result, 1);
  EXPECT_EQ(shown_database, "kept.mdb");
  EXPECT_EQ(colors.background, 0xC0C0C0u);
  EXPECT_TRUE(colors.black_text);
  EXPECT_TRUE(open_after_refusal);
  const std::vector<user::MessageBoxSeen> messages = user_.Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].caption, kErrorCaption);
  EXPECT_EQ(messages[0].text, StringTable::Text(StringTable::kNoFormNameDialogProc));
  EXPECT_EQ(form_.GetFormName(), "2 Orders");
  EXPECT_EQ(form_.GetFormCaptionString(), "Digits");
  EXPECT_EQ(form_.GetFilespec(), "C:\\forms\\DIGITS.FRM");
  EXPECT_EQ(form_.GetDefaultConnectString(), "ODBC;DSN=Orders");
  EXPECT_EQ(form_.GetDefaultDatabaseString(), "kept.mdb");
  EXPECT_EQ(Setting("ConnectString"), "ODBC;DSN=Orders");
  EXPECT_EQ(Setting("DatabaseString"), "kept.mdb");

  const INT_PTR cancelled = RunProcedure([](HWND dialog) { user::Click(dialog, IDCANCEL); });
  EXPECT_EQ(cancelled, 0);
}

}  // namespace
