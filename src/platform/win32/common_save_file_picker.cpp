// The save-file picker as the common save dialog of Windows.
#include "platform/win32/common_save_file_picker.h"

#include <windows.h>

#include <commdlg.h>

#include <array>
#include <string>

namespace tavik {

namespace {
// One filter entry: its description and its pattern, each ended by a zero, and a zero after.
constexpr char kFilter[] = "VB Form Files(*.frm)\0*.frm\0";
}  // namespace

std::optional<PickedFile> CommonSaveFilePicker::PickSaveFile(std::string_view window_title) {
  std::array<char, kPathSize> path{};
  std::array<char, kTitleSize> title{};
  const std::string initial = "*.frm";
  initial.copy(path.data(), path.size() - 1);
  const std::string title_text(window_title);

  OPENFILENAMEA request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = nullptr;
  request.lpstrFilter = kFilter;
  request.nFilterIndex = 1;
  request.lpstrFile = path.data();
  request.nMaxFile = static_cast<DWORD>(path.size());
  request.lpstrFileTitle = title.data();
  request.nMaxFileTitle = static_cast<DWORD>(title.size());
  request.lpstrTitle = title_text.c_str();
  request.lpstrDefExt = "frm";
  request.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN;
  if (!::GetSaveFileNameA(&request)) return std::nullopt;
  return PickedFile{std::string(path.data()), std::string(title.data())};
}

}  // namespace tavik
