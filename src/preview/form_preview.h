// Draws a form and writes its picture to a file, as SVG or PNG by the file's extension.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "formfile/running_form.h"
#include "text/code_page.h"

namespace tavik::preview {

enum class PictureFormat { kSvg, kPng };

class FormPreview {
 public:
  // Exit status when the drawing could not be rendered to PNG.
  static constexpr int kRenderFailed = 70;

  // ".svg" or ".png", case ignored; nothing for any other name.
  static std::optional<PictureFormat> FormatOf(std::string_view path);
  // The SVG document of the form, its texts measured by the text measurer in force and read
  // in the form's code page; its pictures are read from the .frx files in form_folder, where
  // the form file lies (none without it).
  static std::string Svg(const formfile::RunningForm& form,
                         const text::CodePage& page = text::CodePage::Windows1252(),
                         const std::filesystem::path& form_folder = {});
  // Writes the picture whole or not at all: 0; 73 or 74 when the file cannot be created or
  // written (shown to the user); kRenderFailed with the reason in error.
  static int Write(const formfile::RunningForm& form, const text::CodePage& page,
                   const std::string& path, PictureFormat format, std::string& error,
                   const std::filesystem::path& form_folder = {});
};

}  // namespace tavik::preview
