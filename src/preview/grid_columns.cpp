// The column headings of a grid as the form's code names them.
#include "preview/grid_columns.h"

#include <optional>

#include "formfile/form_property.h"

namespace tavik::preview {

namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

// Takes prefix (case ignored) off the front of text.
bool Take(std::string_view& text, std::string_view prefix) {
  if (text.size() < prefix.size() || !formfile::SameName(text.substr(0, prefix.size()), prefix)) {
    return false;
  }
  text.remove_prefix(prefix.size());
  text = Trimmed(text);
  return true;
}

// A quoted string at the front of text, taken off.
std::optional<std::string> TakeQuoted(std::string_view& text) {
  if (text.empty() || text.front() != '"') return std::nullopt;
  const std::size_t close = text.find('"', 1);
  if (close == std::string_view::npos) return std::nullopt;
  std::string quoted(text.substr(1, close - 1));
  text.remove_prefix(close + 1);
  text = Trimmed(text);
  return quoted;
}

std::optional<std::string> HeadingOf(std::string_view statement) {
  if (Take(statement, "DataField")) {
    if (!Take(statement, "=")) return std::nullopt;
    return TakeQuoted(statement);
  }
  if (!Take(statement, "Columns.Item(")) return std::nullopt;
  if (!TakeQuoted(statement) || !Take(statement, ").Caption") || !Take(statement, "=")) {
    return std::nullopt;
  }
  return TakeQuoted(statement);
}

}  // namespace

std::vector<std::string> GridColumns::Named(std::string_view code, std::string_view grid_name) {
  std::vector<std::string> headings;
  const std::string prefix = std::string(grid_name) + ".";
  std::size_t start = 0;
  while (start < code.size()) {
    std::size_t end = code.find('\n', start);
    if (end == std::string_view::npos) end = code.size();
    std::string_view statement = Trimmed(code.substr(start, end - start));
    if (Take(statement, prefix)) {
      if (std::optional<std::string> heading = HeadingOf(statement)) {
        headings.push_back(std::move(*heading));
      }
    }
    start = end + 1;
  }
  return headings;
}

}  // namespace tavik::preview
