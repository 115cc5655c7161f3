// Reads a ".FRM" form file (form block and code part) into a running form.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formfile/running_form.h"

namespace tavik::formfile {

class FormFileReader {
 public:
  struct Fault {
    int line = 0;  // 1 for the first line; 0 when the file could not be read at all
    std::string message;
  };
  struct Outcome {
    std::unique_ptr<RunningForm> form;  // none when the text was refused
    Fault fault;
    bool unreadable = false;  // the file could not be opened or read
  };

  // Blocks (controls and property groups) nest at most this deep inside the form; Visual
  // Basic itself takes about 25 levels of controls.
  static constexpr std::size_t kDeepestNesting = 100;
  // A form file larger than this is refused unread, as a model file is: no form needs it.
  static constexpr std::size_t kLargestFile = std::size_t{256} << 20;

  // Reads the text of a form file as this system and Visual Basic 3 and 4 write it: the
  // "VERSION" line, "Object" references, the form block with its nested control blocks,
  // property lines and property groups ("BeginProperty" ... "EndProperty", kept as
  // "Group.member" properties, each group's opening line recorded), then the code part,
  // whose leading "Attribute" lines are kept apart. Line ends may be CR LF, LF, CR CR LF or
  // CR alone; a leading UTF-8 byte-order mark is taken off and recorded. A truncated, unbalanced or
  // binary text, or one nested deeper than kDeepestNesting, is refused with the number of
  // the line at fault.
  static Outcome Read(std::string_view text);
  static Outcome ReadFile(const std::string& path);
  // The code part of a form, or a module's text: its leading "Attribute" lines, then the
  // code after them as CodeText gives it.
  struct CodePart {
    std::vector<std::string> attributes;
    std::string code;
    int first_line = 1;  // the line of the text where the code begins
  };
  static CodePart ReadCode(std::string_view text);
  // The code part of a form's text, found without reading its form block: it follows the
  // block's closing line, the first "End" that stands at the start of its line (the blocks
  // inside are indented, in either layout). first_line counts the lines of the whole text.
  // Nothing when the text has no such line.
  static std::optional<CodePart> ReadFormCode(std::string_view text);
  struct CodeOutcome {
    std::optional<CodePart> code;  // none when the file could not be read or has no block
    Fault fault;
  };
  static CodeOutcome ReadFileCode(const std::string& path);

  // Code as the environment keeps it: every line ended by one carriage return and line feed.
  static std::string CodeText(std::string_view text);

 private:
  // The whole text of the file at path, or nothing and the fault in outcome.
  static std::optional<std::string> ReadText(const std::string& path, Outcome& outcome);
};

}  // namespace tavik::formfile
