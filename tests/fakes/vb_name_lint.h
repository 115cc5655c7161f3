// A lint of a generated form's Visual Basic: names, their uniqueness and lengths, string
// literals and line lengths, reported one fault a line.
#pragma once

#include <cctype>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <string_view>

namespace tavik::testing {

inline bool IsVbName(const std::string& name) {
  static const std::regex kName("[A-Za-z][A-Za-z0-9_]{0,39}");
  return std::regex_match(name, kName);
}

inline std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// Whether every string literal of the line is closed and followed by no word ('"' doubled
// inside, "'" outside one starts a comment).
inline bool LiteralsClosed(std::string_view line) {
  bool in_string = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '"') {
      in_string = !in_string;
      if (!in_string && i + 1 < line.size() &&
          std::isalnum(static_cast<unsigned char>(line[i + 1])))
        return false;
    }
    if (line[i] == '\'' && !in_string) return true;
  }
  return !in_string;
}

inline std::string LintVbForm(const std::string& form) {
  static const std::regex kControl(R"(\s*Begin \S+ (\S+)\r?)");
  static const std::regex kProcedure(R"((?:Sub|Function) (\w+)\s*\(.*)");
  static const std::regex kDim(R"(Dim (\S+?)(?:\(.*\))? As .*)");
  static const std::regex kLabel(R"((\S+):\r?)");
  std::ostringstream faults;
  std::set<std::string> controls, procedures, variables, labels;
  auto check = [&](std::set<std::string>& seen, const std::string& name, const std::string& line) {
    if (!IsVbName(name)) faults << "invalid name " << name << " in: " << line << "\n";
    if (!seen.insert(Upper(name)).second) faults << "second " << name << "\n";
  };
  std::istringstream lines(form);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::smatch match;
    if (line.size() > 1023) faults << "line of " << line.size() << " characters\n";
    if (!LiteralsClosed(line)) faults << "unclosed literal: " << line << "\n";
    if (std::regex_match(line, match, kControl)) {
      check(controls, match[1], line);
    } else if (std::regex_match(line, match, kProcedure)) {
      check(procedures, match[1], line);
      labels.clear();  // a line label belongs to its procedure
    } else if (std::regex_match(line, match, kDim)) {
      if (line.find('\t') == std::string::npos) check(variables, match[1], line);
    } else if (std::regex_match(line, match, kLabel)) {
      check(labels, match[1], line);
    }
  }
  return faults.str();
}

}  // namespace tavik::testing
