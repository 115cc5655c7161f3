// The page that shows the pictures of a project's forms, each with its name and table.
#include "preview/gallery_page.h"

#include <fmt/format.h>

#include "preview/control_painter.h"
#include "preview/svg_writer.h"
#include "text/windows1252.h"

namespace tavik::preview {

namespace {

// A picture opens large over the page when its link is followed, and closes by the link
// back; a picture that loads is marked, so that one that did not stands out.
constexpr std::string_view kHead =
    "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
    "<title>Forms</title>\n<style>\n"
    "body { font-family: sans-serif; background: #008080; margin: 1em; }\n"
    "figure { display: inline-block; vertical-align: top; margin: 0.5em; padding: 0.5em; "
    "background: #ffffff; }\n"
    "figure img { max-width: 320px; max-height: 240px; }\n"
    "figcaption { margin-top: 0.3em; }\n"
    ".large { display: none; position: fixed; inset: 0; background: rgba(0, 0, 0, 0.8); "
    "text-align: center; overflow: auto; }\n"
    ".large:target { display: block; }\n"
    ".large img { margin: 2em auto; max-width: none; max-height: none; }\n"
    "</style>\n</head>\n<body>\n";

}  // namespace

void GalleryPage::Add(const std::string& name, const formfile::RunningForm& form) {
  entries_.push_back({name, text::Windows1252ToUtf8(TableOf(form))});
}

std::string GalleryPage::Html() const {
  std::string html(kHead);
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const std::string name = SvgWriter::Markup(entries_[i].name);
    const std::string table =
        entries_[i].table.empty() ? "no table" : "table " + SvgWriter::Markup(entries_[i].table);
    html += fmt::format(
        "<figure>\n<a href=\"#form{0}\"><img src=\"{1}.png\" alt=\"{1}\" "
        "onload=\"this.className='shown'\"></a>\n"
        "<figcaption><b>{1}</b>: {2}</figcaption>\n</figure>\n"
        "<a class=\"large\" id=\"form{0}\" href=\"#\"><img src=\"{1}.svg\" alt=\"{1}\"></a>\n",
        i, name, table);
  }
  html += "</body>\n</html>\n";
  return html;
}

std::string GalleryPage::TableOf(const formfile::RunningForm& form) {
  // A hidden data control holds the rows of a list; a form's own shows its table by name
  // when its code sets the rows it reads.
  std::string table;
  form.ForEachControl([&](const formfile::RunningControl& control) {
    if (!table.empty() || !ControlPainter::Visible(control) ||
        !formfile::SameName(ControlPainter::BaseClass(control.class_name), "Data")) {
      return;
    }
    table = formfile::StringProperty(control.properties, "RecordSource")
                .value_or(formfile::StringProperty(control.properties, "Caption").value_or(""));
  });
  return table;
}

}  // namespace tavik::preview
