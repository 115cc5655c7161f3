// Visual Basic names made from model names: valid, short enough and distinct within a set.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace tavik {

class VbNameMaker {
 public:
  // The longest name Visual Basic takes for a control, procedure, variable or line label.
  static constexpr std::size_t kMaxLength = 40;

  // Letters, digits and "_" stay; every other byte (blanks, tabs, punctuation, bytes of
  // characters above 127) becomes "_".
  static std::string CleanChars(std::string_view name);
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
  bool Take(const std::string& name);

  std::unordered_set<std::string> used_;
  // The next number to try for a name met before, so that many alike stay linear.
  std::unordered_map<std::string, int> next_number_;
};

}  // namespace tavik
