// Drives the windows of this process from another thread, by messages, as a user would:
// finds dialogs and message boxes, types into edit controls and presses buttons.
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace tavik::win32_testing {

using namespace std::chrono_literals;

constexpr auto kWindowTimeout = 15s;
// Time for a window to react to what was just done to it.
constexpr auto kSettleTime = 300ms;

// A visible top-level dialog of this process with exactly this title; waits for it.
HWND WaitForDialog(std::string_view title, std::chrono::milliseconds timeout = kWindowTimeout);
// The dialog with this title if it is there now.
HWND FindDialog(std::string_view title);
// Waits until the window is gone (destroyed or hidden); false when it stays.
bool WaitUntilClosed(HWND window, std::chrono::milliseconds timeout = kWindowTimeout);

std::string WindowText(HWND window);
std::string ItemText(HWND dialog, int id);
void TypeInto(HWND dialog, int id, std::string_view text);
// Clicks the button: the dialog gets its command as from the button itself, and the call
// returns once the dialog has handled it (a modal window that the command opens must be
// answered meanwhile, by a ScreenUser).
void Click(HWND dialog, int id);
// The same, returning at once.
void PressLater(HWND dialog, int id);
bool IsItemVisible(HWND dialog, int id);
// The item's rectangle in the dialog's client coordinates.
RECT ItemRect(HWND dialog, int id);
RECT WindowRect(HWND window);

// What the dialog shows when drawn afresh under unusual system colours for dialogs and their
// texts (those of the system come back afterwards): the pixel at (2, 2) of its client area,
// and whether the text in the area (in dialog units) is drawn in black.
struct DialogColors {
  COLORREF background = CLR_INVALID;
  bool black_text = false;
};
DialogColors ColorsOf(HWND dialog, RECT text_area);

// A message box of this process.
struct MessageBoxSeen {
  HWND window = nullptr;
  std::string caption;
  std::string text;
  bool asks_yes_no = false;
};
// A message box that is open now: any dialog whose items include a text and an OK or Yes
// button, other than the windows named in `except`.
std::optional<MessageBoxSeen> FindMessageBox(const std::vector<std::string>& except = {});

// Answers the open save-file picker: types the path as the file name and saves.
bool AnswerSavePicker(HWND picker, std::string_view path);

// The user in front of the screen, on a thread of its own: answers every message box as it
// appears (OK, or Yes or No as told) and writes down what it said, and answers the save-file
// picker with the paths it was given, in turn (nothing: Cancel).
class ScreenUser {
 public:
  // own_dialogs: the titles of the dialogs under test, which are not message boxes.
  ScreenUser(std::vector<std::string> own_dialogs, std::string picker_title,
             bool answer_yes = false);
  ~ScreenUser();
  ScreenUser(const ScreenUser&) = delete;
  ScreenUser& operator=(const ScreenUser&) = delete;

  void AnswerNextPicker(std::optional<std::string> path);
  std::vector<MessageBoxSeen> Messages() const;
  // The pickers that appeared, with the text their file name box held when they did.
  std::vector<std::string> PickersSeen() const;

 private:
  void Watch();

  std::vector<std::string> own_dialogs_;
  std::string picker_title_;
  bool answer_yes_;
  mutable std::mutex mutex_;
  std::deque<std::optional<std::string>> picker_answers_;
  std::vector<MessageBoxSeen> messages_;
  std::vector<std::string> pickers_;
  std::atomic<bool> stop_{false};
  std::thread watcher_;
};

}  // namespace tavik::win32_testing
