// What a form regenerated live from a running form takes back from the form it was read from.
#pragma once

#include <string>
#include <vector>

#include "environment/running_form.h"

namespace tavik::environment {

class RegeneratedForm {
 public:
  // The library rebuilds a read form from values it holds as variants: whole numbers,
  // singles and strings, no resources, no groups, no form header. The regenerated form
  // takes back from its source the file version, "Object" and "Attribute" lines, form class
  // and form properties, and for each control (matched by name and Index) its class as read,
  // its property groups, and every property whose value the library gave back unchanged, as
  // it was written ("8.25", "^S", "X.frx":0302). A changed value is the library's; a value it
  // did not give back is kept. A resource whose ".frx" file is not in output_folder cannot
  // come back: it becomes a note of the control. Returns the notes, for the user.
  static std::vector<std::string> Restore(RunningForm& regenerated, const RunningForm& source,
                                          const std::string& output_folder);
};

}  // namespace tavik::environment
