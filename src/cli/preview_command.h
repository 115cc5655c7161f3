// `tavikfw preview`: a picture of a form file as the form shows on a Windows 95 screen.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "formfile/running_form.h"
#include "text/code_page.h"

namespace tavik::cli {

struct PreviewOptions {
  std::string form_path;
  std::optional<std::string> form_name;  // UTF-8, as given
  std::string output;                    // ".svg" or ".png"
  bool force = false;                    // the picture may replace one that is there
  std::optional<std::string> encoding;   // the form's code page; Windows-1252 when not given
};

class PreviewCommand {
 public:
  explicit PreviewCommand(PreviewOptions options) : options_(std::move(options)) {}
  // 0, printing the picture's path; 64 for a usage fault (an output that is not .svg or
  // .png or is the form file itself, a form of another name); 73 for an output that is
  // there (without --force), read-only or a symbolic link, or a code page not known; 65 when
  // the form file is refused and 66
  // when it cannot be read (nothing is written then); else the status of writing the picture.
  int Run();

  // Writes NAME.svg and NAME.png of a form saved in page into folder, for `inspect
  // --preview`, its pictures read from the .frx files beside form_path; 0 or the status of
  // the first picture that could not be written.
  static int WriteInto(const std::string& folder, const formfile::RunningForm& form,
                       const text::CodePage& page, const std::string& form_path);

 private:
  PreviewOptions options_;
};

}  // namespace tavik::cli
