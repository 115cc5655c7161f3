// Visual Basic fragments: margins, tabs, placeholders and line ends.
#include "form/vb_fragment.h"
#include "formfile/block_printer.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <unordered_map>
#include <vector>

namespace tavik {

namespace {

constexpr std::size_t kBlanksPerTab = 4;

[[noreturn]] void Fail(std::string_view what, std::string_view where) {
  std::fprintf(stderr, "Visual Basic fragment: %.*s: \"%.*s\"\n", static_cast<int>(what.size()),
               what.data(), static_cast<int>(where.size()), where.data());
  std::abort();
}

// A fragment's text cut once into what it writes: literal text with its tabs and line ends
// already made, placeholders, and lines that hold nothing but a placeholder.
class Template {
 public:
  // The template keeps its own copy of the text, which its pieces' names point into.
  explicit Template(std::string_view source) : text_(source) {
    const std::string_view text = text_;
    if (text.empty() || text.front() != '\n') Fail("no line break after the opening", text);
    const std::size_t last_break = text.rfind('\n');
    const std::string_view closing = text.substr(last_break + 1);
    if (closing.find_first_not_of(' ') != std::string_view::npos) {
      Fail("the closing )\" not on a line of its own", closing);
    }
    const std::size_t margin = closing.size();
    std::string_view rest = text.substr(1, last_break);
    while (!rest.empty()) {
      const std::size_t end = rest.find('\n');
      AddLine(rest.substr(0, end), margin);
      rest.remove_prefix(end + 1);
    }
    AddPiece(Kind::kText, {}, {});
  }

  // The pieces point into text_, so a template stays where it was made.
  Template(const Template&) = delete;
  Template& operator=(const Template&) = delete;

  const std::string& Text() const { return text_; }

  std::string Fill(std::initializer_list<VbVar> variables) const {
    Variables values(variables);
    std::string out;
    out.reserve(literal_size_ + values.TotalSize());
    for (const Piece& piece : pieces_) {
      const std::string_view literal = LiteralOf(piece);
      if (piece.kind == Kind::kText) {
        out.append(literal);
        continue;
      }
      const std::string_view value = values.Of(piece.name, piece.line, piece.variable_hint);
      if (piece.kind == Kind::kWholeLine && IsLines(value)) {
        out.append(value);
        continue;
      }
      out.append(literal);
      out.append(value);
      if (piece.kind == Kind::kWholeLine) out.append("\r\n");
    }
    values.CheckAllUsed();
    return out;
  }

 private:
  // kText writes its literal; kPlaceholder its literal, then the value; kWholeLine the value
  // alone when that is a fragment or empty, else its literal (the indentation), the value and
  // a line end.
  enum class Kind : std::uint8_t { kText, kPlaceholder, kWholeLine };
  struct Piece {
    Kind kind;
    std::size_t literal_at;
    std::size_t literal_size;
    std::string_view name;  // into the template's text, which the cache keeps
    std::string_view line;  // for the message when the variable is missing
    // Where the variable stood in the call before: callers pass them in the same order.
    mutable std::size_t variable_hint = 0;
  };

  class Variables {
   public:
    explicit Variables(std::initializer_list<VbVar> variables) : variables_(variables) {
      if (variables.size() > kMaxVariables) Fail("too many variables", variables.begin()->name);
    }
    std::size_t TotalSize() const {
      std::size_t total = 0;
      for (const VbVar& variable : variables_) total += variable.value.size();
      return total;
    }
    std::string_view Of(std::string_view name, std::string_view line, std::size_t& hint) {
      if (name.empty()) return "$";
      if (hint < variables_.size() && variables_.begin()[hint].name == name) {
        used_ |= std::uint64_t{1} << hint;
        return variables_.begin()[hint].value;
      }
      for (std::size_t i = 0; i < variables_.size(); ++i) {
        if (variables_.begin()[i].name == name) {
          hint = i;
          used_ |= std::uint64_t{1} << i;
          return variables_.begin()[i].value;
        }
      }
      Fail("a placeholder without a variable", line);
    }
    void CheckAllUsed() const {
      for (std::size_t i = 0; i < variables_.size(); ++i) {
        if ((used_ & (std::uint64_t{1} << i)) == 0) {
          Fail("a variable the fragment does not use", variables_.begin()[i].name);
        }
      }
    }

   private:
    static constexpr std::size_t kMaxVariables = 64;
    std::initializer_list<VbVar> variables_;
    std::uint64_t used_ = 0;
  };

  static bool IsLines(std::string_view value) { return value.empty() || value.ends_with("\r\n"); }

  std::string_view LiteralOf(const Piece& piece) const {
    return std::string_view(literals_).substr(piece.literal_at, piece.literal_size);
  }

  void AddLine(std::string_view line, std::size_t margin) {
    const std::size_t indent = std::min(line.find_first_not_of(' '), line.size());
    if (indent < line.size()) {
      if (indent < margin) Fail("a line inside the margin", line);
      const std::string_view content = line.substr(indent);
      const bool whole_line = IsWholeLine(content);
      // The lines before a whole line are written whatever its value.
      if (whole_line) AddPiece(Kind::kText, {}, {});
      const std::size_t beyond = indent - margin;
      literals_.append(beyond / kBlanksPerTab, '\t');
      literals_.append(beyond % kBlanksPerTab, ' ');
      if (whole_line) {
        AddPiece(Kind::kWholeLine, content.substr(1, content.size() - 2), content);
        return;
      }
      AddPlaceholders(content);
    }
    literals_.append("\r\n");
  }

  static bool IsWholeLine(std::string_view content) {
    return content.size() >= 3 && content.front() == '$' && content.back() == '$' &&
           content.substr(1, content.size() - 2).find('$') == std::string_view::npos;
  }

  void AddPlaceholders(std::string_view content) {
    for (std::size_t at = 0; at < content.size();) {
      const std::size_t open = content.find('$', at);
      if (open == std::string_view::npos) {
        literals_.append(content.substr(at));
        return;
      }
      const std::size_t close = content.find('$', open + 1);
      if (close == std::string_view::npos) Fail("a placeholder without its closing $", content);
      literals_.append(content.substr(at, open - at));
      AddPiece(Kind::kPlaceholder, content.substr(open + 1, close - open - 1), content);
      at = close + 1;
    }
  }

  // The piece takes the literal text gathered since the one before it.
  void AddPiece(Kind kind, std::string_view name, std::string_view line) {
    const std::size_t taken = literal_size_;
    if (kind == Kind::kText && taken == literals_.size()) return;
    pieces_.push_back({kind, taken, literals_.size() - taken, name, line, 0});
    literal_size_ = literals_.size();
  }

  std::string text_;
  std::string literals_;
  std::size_t literal_size_ = 0;  // how much of literals_ the pieces have taken
  std::vector<Piece> pieces_;
};

// Templates parsed once per thread, found by where their text lies; the text is compared all
// the same, since a text built at run time may lie where another one did. A thread that
// meets more texts than kMaxTemplates (texts built at run time) starts over.
class TemplateCache {
 public:
  const Template& Of(std::string_view text) {
    auto [entry, added] = entries_.try_emplace(Key{text.data(), text.size()});
    if (added || entry->second->Text() != text) {
      if (entries_.size() > kMaxTemplates) {
        entries_.clear();
        entry = entries_.try_emplace(Key{text.data(), text.size()}).first;
      }
      entry->second = std::make_unique<Template>(text);
    }
    return *entry->second;
  }

 private:
  static constexpr std::size_t kMaxTemplates = 4096;
  struct Key {
    const char* at;
    std::size_t size;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& key) const {
      return std::hash<const char*>{}(key.at) ^ key.size;
    }
  };
  std::unordered_map<Key, std::unique_ptr<Template>, KeyHash> entries_;
};

}  // namespace

std::string VbFragment(std::string_view text, std::initializer_list<VbVar> variables) {
  thread_local TemplateCache cache;
  return cache.Of(text).Fill(variables);
}

std::string VbDefaultValue(std::string_view column_default) {
  if (column_default == "CURRENT_TIMESTAMP") return R"(Format$(Now, "yyyy-mm-dd hh:nn:ss"))";
  if (column_default == "CURRENT_DATE") return R"(Format$(Now, "yyyy-mm-dd"))";
  if (column_default == "CURRENT_TIME") return R"(Format$(Now, "hh:nn:ss"))";
  return "\"" + VbStringText(column_default) + "\"";
}

std::string VbDatabaseName(std::string_view database, bool in_app_folder) {
  const std::string literal = "\"" + VbStringText(database) + "\"";
  // A drive ("C:"), a root ("\data", "\\server", "/data") or nothing at all is not relative.
  const bool relative = !database.empty() && database[0] != '\\' && database[0] != '/' &&
                        !(database.size() > 1 && database[1] == ':');
  return relative && in_app_folder ? "tk_AppFile(" + literal + ")" : literal;
}

std::string VbStringText(std::string_view text) {
  // A string in code doubles its quotes as a property's text does.
  std::string result;
  result.reserve(text.size());
  formfile::BlockPrinter::AppendQuoted(result, text);
  return result;
}

}  // namespace tavik
