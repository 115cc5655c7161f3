// Checks a written form against the limits of Visual Basic, which will not load or compile a
// form beyond them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

namespace tavik::formfile {

class FormLimits {
 public:
  // Beyond these a form cannot be used: control names on one form (a control array's
  // elements share a name), twips a scroll bar reaches (its Max is an Integer), and bytes
  // of one procedure.
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

  // What one reading of a written form finds.
  struct Reading {
    std::vector<std::string> warnings;  // what the form exceeds, with the figure and the remedy
    std::size_t control_blocks = 0;     // each element of a control array counts
    std::set<std::string> classes;      // the classes of its controls, as the file names them
  };
  // The form text of that Visual Basic version, read once.
  static Reading Measure(std::string_view form_text, std::uint16_t version,
                         std::string_view remedy);
  // What the form text exceeds, each with the figure and the remedy; empty when nothing.
  static std::vector<std::string> Check(std::string_view form_text, std::uint16_t version,
                                        std::string_view remedy);
  // The same for a form file, read in pieces so that its text is never held whole.
  static std::vector<std::string> Check(std::istream& form_file, std::uint16_t version,
                                        std::string_view remedy);

 private:
  FormLimits(std::uint16_t version, std::string_view remedy) : version_(version), remedy_(remedy) {}
  void CheckNameLength(std::string_view name, std::string_view what);
  // Lines may straddle pieces: the unfinished end of one waits for the next.
  void Read(std::string_view piece);
  std::vector<std::string> Finish();
  void Line(std::string_view raw);
  // A line of the form block, and the line that may close the open procedure.
  void FormLine(std::string_view line);
  void CloseProcedure(std::string_view line);
  // Kept out of Line, which most lines leave at once.
  void OpenProcedure(std::string_view raw);
  std::vector<std::string> Warnings() const;

  std::uint16_t version_;
  std::string_view remedy_;
  std::string partial_line_;
  int depth_ = 0;
  bool form_read_ = false;
  bool in_panel_ = false;
  long panel_height_ = 0;
  long panel_width_ = 0;
  std::unordered_set<std::string> control_names_;  // in capitals
  std::size_t control_blocks_ = 0;
  std::set<std::string> classes_;
  std::optional<std::pair<std::string, std::size_t>> procedure_;  // open, and its bytes so far
  std::vector<std::pair<std::string, std::size_t>> long_procedures_;
  std::vector<std::string> long_names_;  // the warnings, in the order met
};

}  // namespace tavik::formfile
