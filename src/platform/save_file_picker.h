// The save-file picker: asks for the path of the form file to write.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavik {

struct PickedFile {
  std::string path;
  std::string title;  // the file name without its folder
};

class SaveFilePicker {
 public:
  virtual ~SaveFilePicker() = default;
  // Filter "VB Form Files(*.frm)" / "*.frm", initial name "*.frm", default extension "frm";
  // asks before overwriting. Nothing when the user cancelled.
  virtual std::optional<PickedFile> PickSaveFile(std::string_view window_title) = 0;
};

}  // namespace tavik
