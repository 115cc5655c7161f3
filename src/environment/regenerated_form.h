// What a form regenerated live from a running form takes back from the form it was read from.
#pragma once

#include <string>
#include <vector>

#include "formfile/running_form.h"
#include "text/code_page.h"

namespace tavik::environment {

class RegeneratedForm {
 public:
  // Where the source form was read and where the regenerated one is saved.
  struct Place {
    std::string source_folder;  // the folder of the source form's file
    std::string file_stem;      // the regenerated form's file name without ".FRM"
    text::CodePage page = text::CodePage::Windows1252();
  };
  // A ".frx" file to copy beside the regenerated form.
  struct ResourceCopy {
    std::string from;       // its path beside the source form
    std::string file_name;  // its name beside the regenerated form
  };
  struct Outcome {
    // One line for each thing that could not be kept as it was read.
    std::vector<std::string> changes;
    std::vector<ResourceCopy> copies;
  };

  // The library rebuilds a read form from values it holds as variants: whole numbers,
  // singles and strings, no resources, no groups, no form header. The regenerated form
  // takes back from its source the file version, "Object" and "Attribute" lines, form class,
  // layout and form properties, and for each control (matched by name and Index) its class
  // as read, its property groups, and every property whose value the library gave back
  // unchanged, as it was written ("8.25", "^S", "X.frx":0302, with any comment). A changed
  // value is the library's; a value it did not give back is kept. The code is the source's,
  // with the procedures the library generated in place of those of the same name. The
  // ".frx" files the values name are found beside the source (names compared in its code
  // page) and copied under the new form's name, the values pointing at them; a missing one
  // is kept as written and reported.
  static Outcome Restore(formfile::RunningForm& regenerated, const formfile::RunningForm& source,
                         const Place& place);
};

}  // namespace tavik::environment
