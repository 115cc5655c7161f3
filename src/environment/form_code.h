// The code part of a form as its declarations and procedures, and two code parts joined.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavik::environment {

class FormCode {
 public:
  struct Merged {
    std::string code;
    // The opening lines of the form's procedures that gave way to different ones.
    std::vector<std::string> replaced;
  };
  // The form's own code with the generated code brought in: each generated procedure takes
  // the place of the form's procedure of the same name (names compared without case) or
  // goes at the end, and the generated declarations the form lacks follow its own. Every
  // other line of the form stays as it was, in its place. Both texts' lines end in CR LF.
  static Merged Merge(std::string_view form_code, std::string_view generated_code);
};

}  // namespace tavik::environment
