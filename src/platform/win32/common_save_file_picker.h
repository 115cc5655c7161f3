// The save-file picker as the common save dialog of Windows.
#pragma once

#include "platform/save_file_picker.h"

namespace tavik {

class CommonSaveFilePicker : public SaveFilePicker {
 public:
  static constexpr std::size_t kPathSize = 255;
  static constexpr std::size_t kTitleSize = 20;

  // No owner window; one filter, "VB Form Files(*.frm)" for "*.frm"; initial name "*.frm",
  // default extension "frm"; the read-only box hidden, read-only files refused, the folder
  // required to exist and the user asked before a file is overwritten.
  std::optional<PickedFile> PickSaveFile(std::string_view window_title) override;
};

}  // namespace tavik
