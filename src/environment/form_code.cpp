// Joining a form's code with generated code, procedure by procedure.
#include "environment/form_code.h"

#include <optional>
#include <tuple>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "text/ascii_case.h"

namespace tavik::environment {

namespace {

std::string_view Trim(std::string_view text) {
  auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The first word of the text and what follows it, without the blanks between.
std::pair<std::string_view, std::string_view> SplitWord(std::string_view text) {
  auto end = text.find_first_of(" \t(");
  if (end == std::string_view::npos) return {text, {}};
  return {text.substr(0, end), Trim(text.substr(end))};
}

bool IsWord(std::string_view text, std::string_view word) {
  return text::SameAsciiName(text, word);
}

// The name of the procedure a line opens ("Sub Form_Load", "Property Get Total"), in lower
// case; nothing for any other line.
std::optional<std::string> OpenedProcedure(std::string_view line) {
  auto [word, rest] = SplitWord(Trim(line));
  while (IsWord(word, "Public") || IsWord(word, "Private") || IsWord(word, "Static") ||
         IsWord(word, "Friend")) {
    std::tie(word, rest) = SplitWord(rest);
  }
  std::string kind(word);
  if (IsWord(word, "Property")) {
    auto [accessor, after] = SplitWord(rest);
    kind += " " + std::string(accessor);
    rest = after;
  } else if (!IsWord(word, "Sub") && !IsWord(word, "Function")) {
    return std::nullopt;
  }
  auto name = SplitWord(rest).first;
  if (name.empty()) return std::nullopt;
  return text::AsciiLowered(kind + " " + std::string(name));
}

bool ClosesProcedure(std::string_view line) {
  auto [word, rest] = SplitWord(Trim(line));
  if (!IsWord(word, "End")) return false;
  auto what = SplitWord(rest).first;
  return IsWord(what, "Sub") || IsWord(what, "Function") || IsWord(what, "Property");
}

// A code part cut into its declarations and its procedures, each with the text from its
// opening line to its closing one; the lines between procedures go with the next one.
struct Parts {
  struct Procedure {
    std::string key;     // lower case, "sub form_load"
    std::string shown;   // its opening line, for the report
    std::string before;  // the lines between the previous procedure and this one
    std::string text;
  };
  std::string declarations;
  std::vector<Procedure> procedures;
  std::string after;  // what follows the last procedure
};

// Takes the comment lines that end the declarations off them: they speak of the first
// procedure.
std::string TrailingComments(std::string& declarations) {
  std::size_t start = declarations.size();
  while (start > 0) {
    std::size_t previous = start >= 3 ? declarations.rfind("\r\n", start - 3) : std::string::npos;
    std::size_t line = previous == std::string::npos ? 0 : previous + 2;
    if (!Trim(std::string_view(declarations).substr(line, start - line)).starts_with('\'')) break;
    start = line;
  }
  std::string comments = declarations.substr(start);
  declarations.resize(start);
  return comments;
}

Parts Cut(std::string_view code) {
  Parts parts;
  std::string* pending = &parts.declarations;
  Parts::Procedure* open = nullptr;
  while (!code.empty()) {
    auto end = code.find("\r\n");
    std::string_view line = code.substr(0, end == std::string_view::npos ? code.size() : end + 2);
    code.remove_prefix(line.size());
    const std::string_view bare = line.substr(0, line.find_first_of("\r\n"));
    if (open) {
      open->text += line;
      if (ClosesProcedure(bare)) {
        open = nullptr;
        pending = &parts.after;
      }
      continue;
    }
    if (auto key = OpenedProcedure(bare)) {
      std::string before = pending == &parts.declarations ? TrailingComments(parts.declarations)
                                                          : std::exchange(parts.after, {});
      parts.procedures.push_back(
          {*key, std::string(Trim(bare)), std::move(before), std::string(line)});
      open = &parts.procedures.back();
      if (ClosesProcedure(bare)) open = nullptr;
      continue;
    }
    *pending += line;
  }
  return parts;
}

bool IsBlank(std::string_view code) {
  return Trim(code).find_first_not_of("\r\n") == std::string_view::npos;
}

}  // namespace

FormCode::Merged FormCode::Merge(std::string_view form_code, std::string_view generated_code) {
  Merged merged;
  if (IsBlank(generated_code)) {
    merged.code = form_code;
    return merged;
  }
  Parts form = Cut(form_code);
  Parts generated = Cut(generated_code);
  std::unordered_map<std::string, const Parts::Procedure*> generated_by_key;
  for (const auto& procedure : generated.procedures) {
    generated_by_key.emplace(procedure.key, &procedure);
  }
  // The declarations the form lacks, line by line.
  std::unordered_set<std::string_view> declared;
  for (std::string_view rest = form.declarations; !rest.empty();) {
    auto end = rest.find("\r\n");
    declared.insert(Trim(rest.substr(0, end)));
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 2);
  }
  merged.code = form.declarations;
  for (std::string_view rest = generated.declarations; !rest.empty();) {
    auto end = rest.find("\r\n");
    std::string_view line = rest.substr(0, end == std::string_view::npos ? rest.size() : end + 2);
    rest.remove_prefix(line.size());
    if (!Trim(line.substr(0, line.find('\r'))).empty() &&
        !declared.contains(Trim(line.substr(0, line.find('\r'))))) {
      merged.code += line;
    }
  }
  for (const auto& procedure : form.procedures) {
    merged.code += procedure.before;
    auto found = generated_by_key.find(procedure.key);
    if (found == generated_by_key.end()) {
      merged.code += procedure.text;
      continue;
    }
    merged.code += found->second->text;
    if (found->second->text != procedure.text) merged.replaced.push_back(procedure.shown);
    generated_by_key.erase(found);
  }
  merged.code += form.after;
  for (const auto& procedure : generated.procedures) {
    if (!generated_by_key.contains(procedure.key)) continue;
    merged.code += procedure.before;
    merged.code += procedure.text;
  }
  return merged;
}

}  // namespace tavik::environment
