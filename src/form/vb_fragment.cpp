// Visual Basic fragments: margins, tabs, placeholders and line ends.
#include "form/vb_fragment.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

namespace tavik {

namespace {

constexpr std::size_t kBlanksPerTab = 4;

[[noreturn]] void Fail(std::string_view what, std::string_view where) {
  std::fprintf(stderr, "Visual Basic fragment: %.*s: \"%.*s\"\n", static_cast<int>(what.size()),
               what.data(), static_cast<int>(where.size()), where.data());
  std::abort();
}

class Filler {
 public:
  explicit Filler(std::initializer_list<VbVar> variables)
      : variables_(variables), used_(variables.size(), false) {}

  // The value of a line that holds nothing but a placeholder, when it is a fragment or empty.
  std::optional<std::string_view> WholeLines(std::string_view line) {
    if (line.size() < 3 || line.front() != '$' || line.back() != '$') return std::nullopt;
    const std::string_view name = line.substr(1, line.size() - 2);
    if (name.find('$') != std::string_view::npos) return std::nullopt;
    const std::string_view value = Value(name, line);
    if (!value.empty() && !value.ends_with("\r\n")) return std::nullopt;
    return value;
  }

  // The line's text after its indentation, placeholders filled.
  void Fill(std::string_view line, std::string& out) {
    for (std::size_t at = 0; at < line.size();) {
      const std::size_t open = line.find('$', at);
      if (open == std::string_view::npos) {
        out.append(line.substr(at));
        return;
      }
      const std::size_t close = line.find('$', open + 1);
      if (close == std::string_view::npos) Fail("a placeholder without its closing $", line);
      out.append(line.substr(at, open - at));
      out.append(Value(line.substr(open + 1, close - open - 1), line));
      at = close + 1;
    }
  }

  void CheckAllUsed() const {
    for (std::size_t i = 0; i < used_.size(); ++i) {
      if (!used_[i]) Fail("a variable the fragment does not use", variables_.begin()[i].name);
    }
  }

 private:
  std::string_view Value(std::string_view name, std::string_view line) {
    if (name.empty()) return "$";
    for (std::size_t i = 0; i < variables_.size(); ++i) {
      if (variables_.begin()[i].name == name) {
        used_[i] = true;
        return variables_.begin()[i].value;
      }
    }
    Fail("a placeholder without a variable", line);
  }

  std::initializer_list<VbVar> variables_;
  std::vector<bool> used_;
};

}  // namespace

std::string VbFragment(std::string_view text, std::initializer_list<VbVar> variables) {
  if (text.empty() || text.front() != '\n') Fail("no line break after the opening", text);
  const std::size_t last_break = text.rfind('\n');
  const std::string_view closing = text.substr(last_break + 1);
  if (closing.find_first_not_of(' ') != std::string_view::npos) {
    Fail("the closing )\" not on a line of its own", closing);
  }
  const std::size_t margin = closing.size();
  Filler filler(variables);
  std::string out;
  std::string_view rest = text.substr(1, last_break);
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end + 1);
    const std::size_t indent = std::min(line.find_first_not_of(' '), line.size());
    if (indent < line.size()) {
      if (indent < margin) Fail("a line inside the margin", line);
      if (auto lines = filler.WholeLines(line.substr(indent))) {
        out.append(*lines);
        continue;
      }
      const std::size_t beyond = indent - margin;
      out.append(beyond / kBlanksPerTab, '\t');
      out.append(beyond % kBlanksPerTab, ' ');
      filler.Fill(line.substr(indent), out);
    }
    out.append("\r\n");
  }
  filler.CheckAllUsed();
  return out;
}

std::string VbStringText(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (char c : text) {
    result += c;
    if (c == '"') result += '"';
  }
  return result;
}

}  // namespace tavik
