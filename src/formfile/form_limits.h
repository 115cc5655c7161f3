// Visual Basic's limits on a form, which it will not load or compile a form beyond, and what
// a written form exceeds of them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "formfile/form_tally.h"

namespace tavik::formfile {

class FormLimits {
 public:
  // Beyond these a form cannot be used: control names on one form (a control array's
  // elements share a name and count once, as Visual Basic counts them), twips a scroll bar
  // reaches (its Max is an Integer), and bytes of one procedure.
  static constexpr std::size_t kMaxControlNames = 254;
  static constexpr long kMaxScrollRange = 32767;
  static constexpr std::size_t kMaxProcedureBytes = 65536;
  // Characters of a form's or control's name; in Visual Basic 3 of a procedure's too.
  static constexpr std::size_t kMaxNameLength = 40;

  // What fewer controls and smaller panels and procedures, for each command: the options
  // it takes that make a form smaller.
  static constexpr std::string_view kGenerateRemedy =
      "make a model of fewer tables (tavikfw import --table) or with some shown as grids "
      "(its --grid) and generate from it";
  static constexpr std::string_view kProjectRemedy =
      "choose fewer tables (--table) or show some as grids (--grid)";

  // What a written form exceeds, from what its printer counted.
  struct Reading {
    std::vector<std::string> warnings;  // each with the figure and the remedy
    bool loads = true;                  // within the control names Visual Basic loads
    std::set<std::string, std::less<>>
        classes;  // the classes of its controls, as the file names them
  };
  // The form as printed for that Visual Basic version.
  static Reading Judge(const FormTally& tally, std::uint16_t version, std::string_view remedy);
};

}  // namespace tavik::formfile
