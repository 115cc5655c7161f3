// Checks Visual Basic code against a module: every name the code uses but does not define
// must be built into that Visual Basic version or defined by the module, routines with a
// parameter list that accepts the call.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace tavik::formfile {
class RunningForm;
}

namespace tavik::project {

class RoutineScanner {
 public:
  struct Routine {
    bool is_function = false;
    int required = 0;  // parameters without Optional
    int most = 0;      // all parameters; -1 with a ParamArray
  };
  // What a form or module defines; names in upper case (Visual Basic ignores case).
  struct Definitions {
    std::unordered_map<std::string, Routine> routines;
    std::unordered_set<std::string> names;  // constants, types, variables, controls, labels
  };
  // A name used that the code does not define and Visual Basic does not have built in.
  struct Use {
    std::string name;       // as written
    int arguments = 0;      // as called; -1 when used without an argument list
    bool as_value = false;  // inside an expression, so it must be a function or a value
    std::size_t line = 0;   // from 1
  };

  // The code of a form or a module as the form-file reader gives it, without the form block
  // and the "Attribute" lines; a form's block defines the names of the form and its controls.
  struct Code {
    std::string text;
    std::vector<std::string> block_names;
    std::size_t first_line = 1;  // the line of the file where the code begins
  };
  static Code FormCode(const formfile::RunningForm& form);
  static Code ModuleCode(std::string_view module_text);

  // Everything the code defines.
  static Definitions Defined(const Code& code);
  // The uses of names that neither the code nor this Visual Basic version defines.
  static std::vector<Use> ExternalUses(const Code& code, std::uint16_t version);
  // One message per use that the module does not define, or defines with parameters that
  // do not accept the call; known_names are defined elsewhere in the project (forms).
  static std::vector<std::string> Check(const Code& code, const Definitions& module,
                                        std::uint16_t version,
                                        const std::unordered_set<std::string>& known_names = {});
};

}  // namespace tavik::project
