// Visual Basic names made from model names: valid, short enough and distinct within a set.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "text/caseless_name_set.h"

namespace tavik {

class VbNameMaker {
 public:
  // The longest name Visual Basic takes for a control, procedure, variable or line label.
  static constexpr std::size_t kMaxLength = 40;

  // Visual Basic 3 holds a procedure's name to kMaxLength too: a form's own procedure
  // (FORM "_Repopulate") and a control's events (CONTROL "_Click", "_KeyPress") must fit.
  static constexpr std::size_t kLongestFormProcedureSuffix = 11;  // "_Repopulate"
  static constexpr std::size_t kLongestButtonEventSuffix = 6;     // "_Click"
  // The longest form name of the version; the close button's name holds the form's cut
  // shorter (see CloseButtonName).
  static std::size_t MaxFormNameLength(std::uint16_t version) {
    return version == 3 ? kMaxLength - kLongestFormProcedureSuffix : kMaxLength;
  }
  // "cmd" FORM "Close", the form's name cut so that the button's name and, in Visual
  // Basic 3, its Click procedure's stay within kMaxLength.
  static std::string CloseButtonName(std::string_view form_name, std::uint16_t version);

  // Letters, digits and "_" stay, a Windows-1252 letter with a mark becomes its plain
  // letter ("Cr\xE8me" gives "Creme"); every other byte (blanks, tabs, punctuation, other
  // characters above 127) becomes "_".
  static std::string CleanChars(std::string_view name);
  // The same, made in the name itself.
  static void CleanCharsInPlace(std::string& name);
  // CleanChars, and "n" before a name that does not start with a letter.
  static std::string Clean(std::string_view name);
  // Whether Visual Basic takes the text as a name: a letter, then letters, digits and "_",
  // at most kMaxLength characters.
  static bool IsValid(std::string_view name);

  // The name cut to max_length; when this set gave that name before (Visual Basic ignores
  // case), its end is replaced by the lowest number from 2 that makes it new.
  std::string Unique(std::string_view name, std::size_t max_length = kMaxLength);

 private:
  static std::string Key(std::string_view name);
  bool Take(std::string_view name) { return used_.Add(name); }

  text::CaselessNameSet used_;
  // The next number to try for a name met before, so that many alike stay linear.
  std::unordered_map<std::string, int> next_number_;
};

}  // namespace tavik
