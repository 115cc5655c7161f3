// Unique names in a project: 8.3 file names and Visual Basic names for its forms.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace tavik::project {

class ProjectNames {
 public:
  // Longest name Visual Basic accepts for a form or project.
  static constexpr std::size_t kLongestIdentifier = 40;

  // A file name that 16-bit Windows accepts: the wanted name's letters, digits and
  // underscores in upper case, cut to eight, with a number at its end when that stem and
  // extension are taken ("CUSTOM02.FRM"), never a device name such as CON.
  std::string FileName(std::string_view wanted, std::string_view extension);
  // A Visual Basic name: other characters become underscores, a name that does not start
  // with a letter gets "x" in front, a letter with a mark its plain letter, at most longest
  // characters, unique without regard to case.
  std::string Identifier(std::string_view wanted, std::size_t longest = kLongestIdentifier);

 private:
  // Names handed out, in upper case; and per stem the next number to try, so that a
  // thousand tables with one prefix do not try every number before theirs.
  std::unordered_set<std::string> files_;
  std::unordered_set<std::string> identifiers_;
  std::unordered_map<std::string, int> next_number_;
};

}  // namespace tavik::project
