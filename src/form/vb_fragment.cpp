// Visual Basic fragments: margins, tabs, placeholders and line ends.
#include "form/vb_fragment.h"
#include "formfile/block_printer.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

// A fragment's text cut once into what it writes: literal text with its tabs, line ends and
// dollar signs already made, placeholders, and lines that hold nothing but a placeholder. Each
// name is looked up once a call however often it stands, and the text is measured before it is
// written, so that it is written in one piece.
class Template {
 public:
  // The template keeps its own copy of the text, which its names point into.
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

  // The names point into text_, so a template stays where it was made.
  Template(const Template&) = delete;
  Template& operator=(const Template&) = delete;

  const std::string& Text() const { return text_; }

  void AppendTo(std::string& out, std::initializer_list<VbVar> variables) const {
    if (variables.size() > kMaxNames) Fail("too many variables", variables.begin()->name.text());
    std::array<std::uint8_t, kMaxNames> variable_of;  // each name's variable
    FindVariables(variables, variable_of);
    const auto value_of = [&](const Piece& piece) {
      return variables.begin()[variable_of[piece.name]].value;
    };
    std::size_t size = literal_size_;
    for (const Piece& piece : pieces_) {
      if (piece.kind == Kind::kText) continue;
      const std::string_view value = value_of(piece);
      size += value.size();
      if (piece.kind == Kind::kWholeLine) {
        size = IsLines(value) ? size - piece.literal_size : size + 2;
      }
    }
    const std::size_t at = out.size();
    out.resize(at + size);
    char* write = out.data() + at;
    const char* literals = literals_.data();
    for (const Piece& piece : pieces_) {
      if (piece.kind == Kind::kText) {
        write = Copy(write, literals + piece.literal_at, piece.literal_size);
        continue;
      }
      const std::string_view value = value_of(piece);
      if (piece.kind == Kind::kWholeLine && IsLines(value)) {
        write = Copy(write, value.data(), value.size());
        continue;
      }
      write = Copy(write, literals + piece.literal_at, piece.literal_size);
      write = Copy(write, value.data(), value.size());
      if (piece.kind == Kind::kWholeLine) write = Copy(write, "\r\n", 2);
    }
  }

 private:
  static constexpr std::size_t kMaxNames = 64;

  // kText writes its literal; kPlaceholder its literal, then the value; kWholeLine the value
  // alone when that is a fragment or empty, else its literal (the indentation), the value and
  // a line end.
  enum class Kind : std::uint8_t { kText, kPlaceholder, kWholeLine };
  struct Piece {
    Kind kind;
    std::uint8_t name;  // which of names_ a placeholder takes
    std::uint32_t literal_at;
    std::uint32_t literal_size;
  };
  struct Name {
    std::string_view name;  // into the template's text
    std::string_view line;  // for the message when the variable is missing
    // Where the variable stood in the call before, and where its name lay: callers pass
    // them in the same order, named by the same literals.
    mutable std::size_t variable_hint = 0;
    mutable const char* variable_name_at = nullptr;
  };

  // Most pieces and values are a few words long: they are copied by words of fixed size,
  // overlapping as the size needs, instead of by a call.
  static char* Copy(char* to, const char* from, std::size_t size) {
    if (size > 2 * kWord) {
      std::memcpy(to, from, size);
    } else if (size >= kWord) {
      CopyOverlapping<kWord>(to, from, size);
    } else if (size >= kWord / 2) {
      CopyOverlapping<kWord / 2>(to, from, size);
    } else if (size >= 4) {
      CopyOverlapping<4>(to, from, size);
    } else if (size > 0) {  // an empty value may be a view of nothing, which is not read
      to[0] = from[0];
      to[size / 2] = from[size / 2];
      to[size - 1] = from[size - 1];
    }
    return to + size;
  }
  static constexpr std::size_t kWord = 16;
  // Two blocks of Size bytes, from each end: for a size from Size to twice Size.
  template <std::size_t Size>
  static void CopyOverlapping(char* to, const char* from, std::size_t size) {
    std::array<char, Size> head;
    std::array<char, Size> tail;
    std::memcpy(head.data(), from, Size);
    std::memcpy(tail.data(), from + size - Size, Size);
    std::memcpy(to, head.data(), Size);
    std::memcpy(to + size - Size, tail.data(), Size);
  }

  // Finds each name's variable, and stops the program at a name without one or a variable
  // no name takes.
  void FindVariables(std::initializer_list<VbVar> variables,
                     std::array<std::uint8_t, kMaxNames>& variable_of) const {
    std::uint64_t used = 0;
    for (std::size_t i = 0; i < names_.size(); ++i) {
      const std::size_t found = FindVariable(variables, names_[i]);
      variable_of[i] = static_cast<std::uint8_t>(found);
      used |= std::uint64_t{1} << found;
    }
    const std::uint64_t all = variables.size() == kMaxNames
                                  ? ~std::uint64_t{0}
                                  : (std::uint64_t{1} << variables.size()) - 1;
    if (used == all) return;
    for (std::size_t i = 0; i < variables.size(); ++i) {
      if ((used & (std::uint64_t{1} << i)) == 0) {
        Fail("a variable the fragment does not use", variables.begin()[i].name.text());
      }
    }
  }

  // A name the last call gave by the same literal, in the same place, is known by the
  // literal's address; any other is compared.
  static std::size_t FindVariable(std::initializer_list<VbVar> variables, const Name& name) {
    const std::size_t hint = name.variable_hint;
    if (hint < variables.size()) {
      const std::string_view given = variables.begin()[hint].name.text();
      if (given.data() == name.variable_name_at && given.size() == name.name.size()) return hint;
    }
    for (std::size_t i = 0; i < variables.size(); ++i) {
      const std::string_view given = variables.begin()[i].name.text();
      if (given == name.name) {
        name.variable_hint = i;
        name.variable_name_at = given.data();
        return i;
      }
    }
    Fail("a placeholder without a variable", name.line);
  }

  static bool IsLines(std::string_view value) { return value.empty() || value.ends_with("\r\n"); }

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
      if (close == open + 1) {
        literals_.push_back('$');  // "$$" is a dollar sign
      } else {
        AddPiece(Kind::kPlaceholder, content.substr(open + 1, close - open - 1), content);
      }
      at = close + 1;
    }
  }

  // The piece takes the literal text gathered since the one before it.
  void AddPiece(Kind kind, std::string_view name, std::string_view line) {
    const std::size_t taken = literal_size_;
    if (kind == Kind::kText && taken == literals_.size()) return;
    pieces_.push_back({kind, kind == Kind::kText ? std::uint8_t{0} : NameIndex(name, line),
                       static_cast<std::uint32_t>(taken),
                       static_cast<std::uint32_t>(literals_.size() - taken)});
    literal_size_ = literals_.size();
  }

  std::uint8_t NameIndex(std::string_view name, std::string_view line) {
    auto found = std::ranges::find(names_, name, &Name::name);
    if (found == names_.end()) {
      if (names_.size() == kMaxNames) Fail("too many placeholders", line);
      found = names_.insert(found, Name{name, line});
    }
    return static_cast<std::uint8_t>(found - names_.begin());
  }

  std::string text_;
  std::string literals_;
  std::size_t literal_size_ = 0;  // how much of literals_ the pieces have taken
  std::vector<Piece> pieces_;
  std::vector<Name> names_;  // each placeholder's name once, in the order first met
};

// Templates parsed once per thread, found by where their text lies; the text is compared all
// the same, since a text built at run time may lie where another one did. The templates met
// last are found in a small table by their address before the map is asked. A thread that
// meets more texts than kMaxTemplates (texts built at run time) starts over.
class TemplateCache {
 public:
  const Template& Of(std::string_view text) {
    const Key key{text.data(), text.size()};
    Recent& recent = recent_[KeyHash{}(key) % kRecentCount];
    if (recent.entry && recent.key == key && recent.entry->Text() == text) return *recent.entry;
    auto [entry, added] = entries_.try_emplace(key);
    if (added || entry->second->Text() != text) {
      if (entries_.size() > kMaxTemplates) {
        entries_.clear();
        recent_.fill({});
        entry = entries_.try_emplace(key).first;
      }
      entry->second = std::make_unique<Template>(text);
    }
    recent = {key, entry->second.get()};
    return *entry->second;
  }

 private:
  static constexpr std::size_t kMaxTemplates = 4096;
  static constexpr std::size_t kRecentCount = 256;
  struct Key {
    const char* at;
    std::size_t size;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& key) const {
      // Literals lie apart by more than a few bytes: the low bits alone would crowd.
      return (reinterpret_cast<std::uintptr_t>(key.at) >> 4) ^ key.size;
    }
  };
  // A slot names the template of its key, or of no key; a template replaced or dropped is
  // replaced or dropped here too, so no slot points to one gone.
  struct Recent {
    Key key{nullptr, 0};
    const Template* entry = nullptr;
  };
  std::array<Recent, kRecentCount> recent_{};
  std::unordered_map<Key, std::unique_ptr<Template>, KeyHash> entries_;
};

}  // namespace

void AppendVbFragment(std::string& out, std::string_view text,
                      std::initializer_list<VbVar> variables) {
  thread_local TemplateCache cache;
  cache.Of(text).AppendTo(out, variables);
}

std::string VbFragment(std::string_view text, std::initializer_list<VbVar> variables) {
  std::string out;
  AppendVbFragment(out, text, variables);
  return out;
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

std::string_view VbStringTextView(std::string_view text, std::string& storage) {
  if (text.find('"') == std::string_view::npos) return text;
  storage = VbStringText(text);
  return storage;
}

std::string VbStringText(std::string_view text) {
  // A string in code doubles its quotes as a property's text does.
  std::string result;
  result.reserve(text.size());
  formfile::BlockPrinter::AppendQuoted(result, text);
  return result;
}

}  // namespace tavik
