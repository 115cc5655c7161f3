// `tavikfw preview`: a picture of a form file as the form shows on a Windows 95 screen.
#include "cli/preview_command.h"

#include <fmt/format.h>

#include <filesystem>

#include "cli/command_line.h"
#include "cli/output_guard.h"
#include "formfile/form_file_reader.h"
#include "preview/form_preview.h"

namespace tavik::cli {

namespace {

using preview::FormPreview;
using preview::PictureFormat;

int WritePicture(const formfile::RunningForm& form, const text::CodePage& page,
                 const std::string& path, PictureFormat format, const std::string& form_path) {
  std::string error;
  const int status = FormPreview::Write(form, page, path, format, error,
                                        std::filesystem::absolute(form_path).parent_path());
  if (status == FormPreview::kRenderFailed) {
    fmt::print(stderr, "tavikfw preview: {}: {}\n", path, error);
  }
  return status;
}

}  // namespace

int PreviewCommand::Run() {
  const std::optional<PictureFormat> format = FormPreview::FormatOf(options_.output);
  if (!format) {
    fmt::print(stderr, "tavikfw preview: -o: {} does not end in .svg or .png\n", options_.output);
    return kExitUsage;
  }
  const std::optional<text::CodePage> page =
      text::CodePage::Named(options_.encoding.value_or(std::string(text::CodePage::kDefault)));
  if (!page) {
    fmt::print(stderr, "tavikfw preview: --encoding: no code page is named {}\n",
               *options_.encoding);
    return kExitUsage;
  }
  OutputGuard guard("tavikfw preview");
  guard.AddInput(options_.form_path, "form file");
  guard.SetForce(options_.force);
  if (int status = guard.Check(options_.output, "picture")) return status;
  formfile::FormFileReader::Outcome read = formfile::FormFileReader::ReadFile(options_.form_path);
  if (!read.form) {
    const std::string message = page->ToUtf8(read.fault.message);
    if (read.fault.line > 0) {
      fmt::print(stderr, "tavikfw preview: {}, line {}: {}\n", options_.form_path, read.fault.line,
                 message);
    } else {
      fmt::print(stderr, "tavikfw preview: {} {}\n", options_.form_path, message);
    }
    return read.unreadable ? kExitModelUnreadable : kExitModelRefused;
  }
  if (options_.form_name) {
    const std::string name = page->ToUtf8(read.form->Name());
    if (!text::CodePage::Utf8().SameName(name, *options_.form_name)) {
      fmt::print(stderr, "tavikfw preview: {} holds the form {}, not {}\n", options_.form_path,
                 name, *options_.form_name);
      return kExitUsage;
    }
  }
  const int status = WritePicture(*read.form, *page, options_.output, *format, options_.form_path);
  if (status == 0) {
    guard.RemoveReplacedSpellings();
    fmt::print("{}\n", options_.output);
  }
  return status;
}

int PreviewCommand::WriteInto(const std::string& folder, const formfile::RunningForm& form,
                              const text::CodePage& page, const std::string& form_path) {
  const std::filesystem::path base = std::filesystem::path(folder) / page.ToUtf8(form.Name());
  for (const auto& [extension, format] :
       {std::pair{".svg", PictureFormat::kSvg}, std::pair{".png", PictureFormat::kPng}}) {
    if (const int status = WritePicture(form, page, base.string() + extension, format, form_path)) {
      return status;
    }
  }
  return 0;
}

}  // namespace tavik::cli
