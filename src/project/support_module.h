// The support module of a generated project: the routines, types and constants its forms call.
#pragma once

#include <cstdint>
#include <string>

namespace tavik::project {

class SupportModule {
 public:
  // The name the module has in the project, and the file it is written to.
  static constexpr const char* kName = "TavikSupport";
  static constexpr const char* kFileName = "TAVIKSUP.BAS";

  // The module for Visual Basic 3 or 4 as it is written: lines end in carriage return and
  // line feed (the source files keep plain line feeds).
  static std::string Text(std::uint16_t version);
};

}  // namespace tavik::project
