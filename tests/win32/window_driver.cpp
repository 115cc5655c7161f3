// Drives the windows of this process from another thread, by messages.
#include "window_driver.h"

#include <array>
#include <thread>

namespace tavik::win32_testing {

namespace {

constexpr auto kPollInterval = 20ms;

bool IsDialogClass(HWND window) {
  char name[16] = {};
  ::GetClassNameA(window, name, sizeof name);
  return std::string_view(name) == "#32770";
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  ::GetClassNameA(window, name, sizeof name);
  return name;
}

// Visible dialogs of this process, topmost first.
std::vector<HWND> OurDialogs() {
  std::vector<HWND> found;
  ::EnumWindows(
      [](HWND window, LPARAM list) -> BOOL {
        DWORD process = 0;
        ::GetWindowThreadProcessId(window, &process);
        if (process == ::GetCurrentProcessId() && ::IsWindowVisible(window) &&
            IsDialogClass(window)) {
          reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

template <typename Found>
auto Poll(std::chrono::milliseconds timeout, Found find) -> decltype(find()) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (auto result = find()) return result;
    if (std::chrono::steady_clock::now() > deadline) return {};
    std::this_thread::sleep_for(kPollInterval);
  }
}

}  // namespace

std::string WindowText(HWND window) {
  const int length = static_cast<int>(::SendMessageA(window, WM_GETTEXTLENGTH, 0, 0));
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int got = static_cast<int>(
      ::SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
  text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
  return text;
}

HWND FindDialog(std::string_view title) {
  for (HWND window : OurDialogs()) {
    if (WindowText(window) == title) return window;
  }
  return nullptr;
}

HWND WaitForDialog(std::string_view title, std::chrono::milliseconds timeout) {
  return Poll(timeout, [&] { return FindDialog(title); });
}

bool WaitUntilClosed(HWND window, std::chrono::milliseconds timeout) {
  return Poll(timeout, [&] { return !::IsWindow(window) || !::IsWindowVisible(window); });
}

std::string ItemText(HWND dialog, int id) {
  return WindowText(::GetDlgItem(dialog, id));
}

void TypeInto(HWND dialog, int id, std::string_view text) {
  const std::string copy(text);
  ::SendMessageA(::GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()));
}

void Click(HWND dialog, int id) {
  ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

void PressLater(HWND dialog, int id) {
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

bool IsItemVisible(HWND dialog, int id) {
  return ::IsWindowVisible(::GetDlgItem(dialog, id)) != FALSE;
}

RECT ItemRect(HWND dialog, int id) {
  RECT rect{};
  ::GetWindowRect(::GetDlgItem(dialog, id), &rect);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

RECT WindowRect(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return rect;
}

DialogColors ColorsOf(HWND dialog, RECT text_area) {
  constexpr std::array<int, 3> kIndexes = {COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_WINDOWTEXT};
  constexpr std::array<COLORREF, 3> kUnusual = {RGB(255, 224, 224), RGB(0, 0, 160), RGB(0, 0, 160)};
  std::array<COLORREF, 3> saved{};
  for (std::size_t at = 0; at < kIndexes.size(); ++at) saved[at] = ::GetSysColor(kIndexes[at]);
  ::SetSysColors(3, kIndexes.data(), kUnusual.data());
  ::RedrawWindow(dialog, nullptr, nullptr,
                 RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  std::this_thread::sleep_for(kSettleTime);
  ::MapDialogRect(dialog, &text_area);
  DialogColors colors;
  const HDC context = ::GetDC(dialog);
  colors.background = ::GetPixel(context, 2, 2);
  for (int y = text_area.top; y < text_area.bottom && !colors.black_text; ++y) {
    for (int x = text_area.left; x < text_area.right && !colors.black_text; ++x) {
      colors.black_text = ::GetPixel(context, x, y) == RGB(0, 0, 0);
    }
  }
  ::ReleaseDC(dialog, context);
  ::SetSysColors(3, kIndexes.data(), saved.data());
  return colors;
}

std::optional<MessageBoxSeen> FindMessageBox(const std::vector<std::string>& except) {
  for (HWND window : OurDialogs()) {
    MessageBoxSeen seen;
    seen.window = window;
    seen.caption = WindowText(window);
    bool excepted = false;
    for (const std::string& title : except) excepted = excepted || seen.caption == title;
    if (excepted) continue;
    const HWND ok = ::GetDlgItem(window, IDOK);
    const HWND yes = ::GetDlgItem(window, IDYES);
    if (!ok && !yes) continue;
    seen.asks_yes_no = yes != nullptr;
    // The text is the box's one static text that is not its icon.
    for (HWND child = ::GetWindow(window, GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
      if (ClassOf(child) != "Static") continue;
      std::string text = WindowText(child);
      if (!text.empty()) seen.text = std::move(text);
    }
    if (seen.text.empty()) continue;
    return seen;
  }
  return std::nullopt;
}

namespace {
// The picker's file name box: an edit of its own (edt1), or the edit inside the name combo
// box (cmb13).
HWND FileNameBox(HWND picker) {
  HWND name = ::GetDlgItem(picker, 0x480);
  if (name && ::IsWindowVisible(name)) return name;
  const HWND combo = ::GetDlgItem(picker, 0x47c);
  if (!combo) return nullptr;
  const HWND edit = ::FindWindowExA(combo, nullptr, "Edit", nullptr);
  return edit ? edit : combo;
}
}  // namespace

bool AnswerSavePicker(HWND picker, std::string_view path) {
  const HWND name = FileNameBox(picker);
  if (!name) return false;
  const std::string copy(path);
  ::SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()));
  PressLater(picker, IDOK);
  return WaitUntilClosed(picker);
}

ScreenUser::ScreenUser(std::vector<std::string> own_dialogs, std::string picker_title,
                       bool answer_yes)
    : own_dialogs_(std::move(own_dialogs)),
      picker_title_(std::move(picker_title)),
      answer_yes_(answer_yes),
      watcher_([this] { Watch(); }) {}

ScreenUser::~ScreenUser() {
  stop_ = true;
  watcher_.join();
}

void ScreenUser::AnswerNextPicker(std::optional<std::string> path) {
  std::lock_guard lock(mutex_);
  picker_answers_.push_back(std::move(path));
}

std::vector<MessageBoxSeen> ScreenUser::Messages() const {
  std::lock_guard lock(mutex_);
  return messages_;
}

std::vector<std::string> ScreenUser::PickersSeen() const {
  std::lock_guard lock(mutex_);
  return pickers_;
}

void ScreenUser::Watch() {
  std::vector<std::string> not_boxes = own_dialogs_;
  not_boxes.push_back(picker_title_);
  while (!stop_) {
    if (const HWND picker = FindDialog(picker_title_)) {
      std::optional<std::string> answer;
      {
        std::lock_guard lock(mutex_);
        const HWND name = FileNameBox(picker);
        pickers_.push_back(name ? WindowText(name) : std::string());
        if (!picker_answers_.empty()) {
          answer = std::move(picker_answers_.front());
          picker_answers_.pop_front();
        }
      }
      if (answer) {
        AnswerSavePicker(picker, *answer);
      } else {
        PressLater(picker, IDCANCEL);
        WaitUntilClosed(picker);
      }
      continue;
    }
    if (std::optional<MessageBoxSeen> box = FindMessageBox(not_boxes)) {
      {
        std::lock_guard lock(mutex_);
        messages_.push_back(*box);
      }
      PressLater(box->window, box->asks_yes_no ? (answer_yes_ ? IDYES : IDNO) : IDOK);
      WaitUntilClosed(box->window);
      continue;
    }
    std::this_thread::sleep_for(kPollInterval);
  }
}

}  // namespace tavik::win32_testing
