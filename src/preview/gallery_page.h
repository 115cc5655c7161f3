// The page that shows the pictures of a project's forms, each with its name and table.
#pragma once

#include <string>
#include <vector>

#include "formfile/running_form.h"

namespace tavik::preview {

class GalleryPage {
 public:
  // A form whose pictures NAME.png and NAME.svg lie beside the page; the name in UTF-8.
  void Add(const std::string& name, const formfile::RunningForm& form);
  // The HTML page: every form's picture, name and table; choosing a picture opens it large.
  std::string Html() const;

  // The table a form shows: its first visible data control's RecordSource, else its caption;
  // empty when it has none.
  static std::string TableOf(const formfile::RunningForm& form);

 private:
  struct Entry {
    std::string name;
    std::string table;
  };
  std::vector<Entry> entries_;
};

}  // namespace tavik::preview
