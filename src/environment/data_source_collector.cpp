// Working out a data control's record source, its tables and the fields bound to it.
#include "environment/data_source_collector.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>

#include "text/ascii_case.h"

namespace tavik::environment {

namespace {

constexpr int kMaxVariableDepth = 8;

std::string_view Trim(std::string_view text) {
  auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// Letters beyond ASCII are name characters too, in whatever code page the form was saved.
bool IsNameCharacter(char c) {
  auto byte = static_cast<unsigned char>(c);
  return std::isalnum(byte) || c == '_' || byte >= 0x80;
}

bool IsName(std::string_view text) {
  return !text.empty() && !std::isdigit(static_cast<unsigned char>(text[0])) &&
         std::all_of(text.begin(), text.end(), IsNameCharacter);
}

// A line continued on the next ("... & _"): the mark is a blank and an underscore at its end.
bool IsContinued(std::string_view line) {
  return line.size() >= 2 && line.back() == '_' &&
         (line[line.size() - 2] == ' ' || line[line.size() - 2] == '\t');
}

// The object a "With" line opens, or nothing.
std::optional<std::string_view> WithObject(std::string_view line) {
  if (line.size() < 5 || !formfile::SameName(line.substr(0, 4), "With") ||
      (line[4] != ' ' && line[4] != '\t')) {
    return std::nullopt;
  }
  return Trim(line.substr(5));
}

// The statements of the code as a person reads them: continued lines joined, and inside a
// "With" block, ".Member" written out as "Object.Member".
std::vector<std::string> CodeLines(std::string_view code) {
  std::vector<std::string> lines;
  std::vector<std::string> with_objects;
  std::string statement;
  while (!code.empty()) {
    auto end = code.find('\n');
    std::string_view line = code.substr(0, end);
    while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    code = end == std::string_view::npos ? std::string_view() : code.substr(end + 1);
    line = Trim(line);
    if (IsContinued(line)) {
      statement += line.substr(0, line.size() - 1);
      continue;
    }
    statement += line;
    if (auto object = WithObject(statement)) {
      std::string name(*object);
      if (!name.empty() && name[0] == '.' && !with_objects.empty())
        name = with_objects.back() + name;
      with_objects.push_back(std::move(name));
    } else if (formfile::SameName(statement, "End With") && !with_objects.empty()) {
      with_objects.pop_back();
    } else if (!statement.empty() && statement[0] == '.' && !with_objects.empty()) {
      statement.insert(0, with_objects.back());
    }
    lines.push_back(std::move(statement));
    statement.clear();
  }
  if (!statement.empty()) lines.push_back(std::move(statement));
  return lines;
}

// The right-hand side of "target = ..." when the line assigns to target, else nothing.
std::optional<std::string_view> AssignedValue(std::string_view line, std::string_view target) {
  if (line.size() <= target.size() || !formfile::SameName(line.substr(0, target.size()), target)) {
    return std::nullopt;
  }
  std::string_view rest = Trim(line.substr(target.size()));
  if (rest.empty() || rest[0] != '=') return std::nullopt;
  return Trim(rest.substr(1));
}

// The text of a Visual Basic string expression: literals and string variables joined by
// "&", as far as it can be known; it stops at the first term it cannot follow.
class StringExpression {
 public:
  explicit StringExpression(const std::vector<std::string>& lines) : lines_(lines) {}

  std::string Evaluate(std::string_view expression, int depth) const {
    std::string text;
    for (std::string_view term : Terms(expression)) {
      term = Trim(term);
      if (term.size() >= 2 && term.front() == '"' && term.back() == '"') {
        text += Literal(term);
      } else if (IsName(term) && depth < kMaxVariableDepth) {
        auto value = VariableValue(term);
        if (!value) break;
        text += Evaluate(*value, depth + 1);
      } else {
        break;
      }
    }
    return text;
  }

 private:
  // The terms joined by "&" outside string literals.
  static std::vector<std::string_view> Terms(std::string_view expression) {
    std::vector<std::string_view> terms;
    bool quoted = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < expression.size(); ++i) {
      if (expression[i] == '"') quoted = !quoted;
      if (!quoted && expression[i] == '&') {
        terms.push_back(expression.substr(start, i - start));
        start = i + 1;
      }
    }
    terms.push_back(expression.substr(start));
    return terms;
  }

  static std::string Literal(std::string_view term) {
    std::string text;
    std::string_view inner = term.substr(1, term.size() - 2);
    for (std::size_t i = 0; i < inner.size(); ++i) {
      text += inner[i];
      if (inner[i] == '"' && i + 1 < inner.size() && inner[i + 1] == '"') ++i;
    }
    return text;
  }

  std::optional<std::string_view> VariableValue(std::string_view name) const {
    for (std::string_view line : lines_) {
      if (auto value = AssignedValue(line, name)) return value;
    }
    return std::nullopt;
  }

  const std::vector<std::string>& lines_;
};

// The words of an SQL statement: names, [bracketed names], quoted literals, single marks.
// A qualified name ("o.ID", "[Order Details].[Unit Price]") is one word.
struct Token {
  std::string text;  // the last part of a name, without brackets
  bool word = false;
  std::string qualifier;  // the parts before it ("o", "Order Details"), empty when none
};

bool IsPlainNameCharacter(char c) {
  return IsNameCharacter(c) || c == '$' || c == '#';
}

// One part of a name at i, bracketed or plain; i moves past it.
std::string NamePart(std::string_view sql, std::size_t& i) {
  if (sql[i] == '[') {
    auto end = sql.find(']', i);
    if (end == std::string_view::npos) end = sql.size();
    std::string part(sql.substr(i + 1, end - i - 1));
    i = std::min(end + 1, sql.size());
    return part;
  }
  std::size_t start = i;
  while (i < sql.size() && IsPlainNameCharacter(sql[i])) ++i;
  return std::string(sql.substr(start, i - start));
}

Token QualifiedName(std::string_view sql, std::size_t& i) {
  Token token{NamePart(sql, i), true, {}};
  while (i + 1 < sql.size() && sql[i] == '.' &&
         (sql[i + 1] == '[' || IsPlainNameCharacter(sql[i + 1]))) {
    ++i;
    if (!token.qualifier.empty() || !token.text.empty()) {
      token.qualifier += (token.qualifier.empty() ? "" : ".") + token.text;
    }
    token.text = NamePart(sql, i);
  }
  return token;
}

std::vector<Token> Tokens(std::string_view sql) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (i < sql.size()) {
    char c = sql[i];
    if (std::isspace(static_cast<unsigned char>(c))) {
      ++i;
    } else if (c == '[' || IsPlainNameCharacter(c)) {
      tokens.push_back(QualifiedName(sql, i));
    } else if (c == '\'' || c == '"') {
      auto end = sql.find(c, i + 1);
      if (end == std::string_view::npos) end = sql.size();
      tokens.push_back({std::string(sql.substr(i, end - i + 1)), false, {}});
      i = end + 1;
    } else {
      tokens.push_back({std::string(1, c), false, {}});
      ++i;
    }
  }
  return tokens;
}

bool IsKeyword(const Token& token, std::string_view keyword) {
  return token.word && formfile::SameName(token.text, keyword);
}

bool IsAnyKeyword(const Token& token, std::initializer_list<std::string_view> keywords) {
  return std::any_of(keywords.begin(), keywords.end(),
                     [&](std::string_view keyword) { return IsKeyword(token, keyword); });
}

// The items of a list separated by commas (and, for tables, JOIN), outside parentheses.
std::vector<std::vector<Token>> SplitItems(const std::vector<Token>& tokens, bool joins) {
  std::vector<std::vector<Token>> items(1);
  int depth = 0;
  for (const Token& token : tokens) {
    if (token.text == "(") ++depth;
    if (token.text == ")") --depth;
    bool separator = (depth <= 0 && token.text == ",") || (joins && IsKeyword(token, "JOIN"));
    if (separator) {
      items.emplace_back();
    } else if (!(joins &&
                 IsAnyKeyword(token, {"INNER", "LEFT", "RIGHT", "OUTER", "CROSS", "FULL"}))) {
      items.back().push_back(token);
    }
  }
  return items;
}

struct Statement {
  std::vector<Token> columns;
  std::vector<Token> tables;
};

// The select list and the table list of a SELECT statement; nothing for any other text.
std::optional<Statement> ParseSelect(std::string_view sql) {
  std::vector<Token> tokens = Tokens(sql);
  if (tokens.empty() || !IsKeyword(tokens[0], "SELECT")) return std::nullopt;
  Statement statement;
  int depth = 0;
  std::size_t i = 1;
  for (; i < tokens.size(); ++i) {
    if (tokens[i].text == "(") ++depth;
    if (tokens[i].text == ")") --depth;
    if (depth == 0 && IsKeyword(tokens[i], "FROM")) break;
    statement.columns.push_back(tokens[i]);
  }
  for (++i; i < tokens.size(); ++i) {
    if (IsAnyKeyword(tokens[i], {"WHERE", "GROUP", "ORDER", "HAVING", "UNION"}) ||
        tokens[i].text == ";") {
      break;
    }
    statement.tables.push_back(tokens[i]);
  }
  return statement;
}

}  // namespace

bool DataSourceCollector::IsDataControl(std::string_view class_name) {
  std::string_view kind = class_name.substr(class_name.rfind('.') + 1);
  bool intrinsic = kind.size() == class_name.size() || formfile::SameName(class_name, "VB.Data");
  return (intrinsic && formfile::SameName(kind, "Data")) ||
         formfile::SameName(class_name, "MSAdodcLib.Adodc") ||
         formfile::SameName(class_name, "MSRDC.MSRDC");
}

std::string DataSourceCollector::RecordSourceOf(const formfile::RunningForm& form,
                                                const formfile::RunningControl& data_control) {
  if (auto property = formfile::StringProperty(data_control.properties, "RecordSource");
      property && !property->empty()) {
    return *property;
  }
  // A remote data control's statement is its SQL.
  if (auto property = formfile::StringProperty(data_control.properties, "SQL");
      property && !property->empty()) {
    return *property;
  }
  std::vector<std::string> lines = CodeLines(form.Code());
  StringExpression expression(lines);
  for (const char* member : {".RecordSource", ".SQL"}) {
    const std::string target = data_control.name + member;
    for (std::string_view line : lines) {
      if (auto value = AssignedValue(line, target)) return expression.Evaluate(*value, 0);
    }
  }
  return {};
}

std::vector<DataSourceCollector::Table> DataSourceCollector::TablesOf(
    std::string_view record_source) {
  std::vector<Table> tables;
  std::optional<Statement> statement = ParseSelect(record_source);
  if (!statement) {
    // A table or query named by itself, perhaps in brackets.
    std::string_view name = Trim(record_source);
    if (name.size() >= 2 && name.front() == '[' && name.back() == ']') {
      name = name.substr(1, name.size() - 2);
    }
    if (!name.empty()) tables.push_back({std::string(name), {}});
    return tables;
  }
  for (const auto& item : SplitItems(statement->tables, /*joins=*/true)) {
    std::vector<Token> reference;
    for (const Token& token : item) {
      if (IsKeyword(token, "ON")) break;
      if (token.word) reference.push_back(token);
    }
    if (reference.empty()) continue;
    Table table{reference[0].text, {}};
    std::size_t alias = (reference.size() > 2 && IsKeyword(reference[1], "AS")) ? 2 : 1;
    if (reference.size() > alias) table.alias = reference[alias].text;
    tables.push_back(std::move(table));
  }
  return tables;
}

namespace {

// The name a select-list item gives its column, and the table or alias that qualifies it.
struct Column {
  std::string name;
  std::string qualifier;
};

std::optional<Column> ColumnOf(const std::vector<Token>& item) {
  std::vector<Token> words;
  for (const Token& token : item) {
    if (token.word) words.push_back(token);
  }
  if (words.empty()) return std::nullopt;
  Column result{words[0].text, words[0].qualifier};
  if (words.size() >= 3 && IsKeyword(words[words.size() - 2], "AS"))
    result.name = words.back().text;
  return result;
}

}  // namespace

std::vector<std::string> DataSourceCollector::ColumnsOf(std::string_view record_source) {
  std::vector<std::string> columns;
  std::optional<Statement> statement = ParseSelect(record_source);
  if (!statement) return columns;
  for (const auto& item : SplitItems(statement->columns, /*joins=*/false)) {
    if (auto column = ColumnOf(item); column && !column->name.empty()) {
      columns.push_back(column->name);
    }
  }
  return columns;
}

std::string DataSourceCollector::TableOfField(std::string_view record_source,
                                              const std::vector<Table>& tables,
                                              std::string_view field) {
  if (tables.empty()) return {};
  if (std::optional<Statement> statement = ParseSelect(record_source)) {
    for (const auto& item : SplitItems(statement->columns, /*joins=*/false)) {
      std::optional<Column> column = ColumnOf(item);
      if (!column || column->qualifier.empty() || !formfile::SameName(column->name, field))
        continue;
      for (const Table& table : tables) {
        if (formfile::SameName(table.alias, column->qualifier) ||
            formfile::SameName(table.name, column->qualifier)) {
          return table.name;
        }
      }
    }
  }
  return tables.front().name;
}

namespace {

constexpr std::size_t kBindingsExtent = 4096;  // how far into a binding block a name is sought

// The bytes a ".frx" reference points at ("X.frx":01A0), read from the form's folder.
std::string ResourceBytes(std::string_view reference, const std::string& folder) {
  auto colon = reference.rfind(':');
  if (colon == std::string_view::npos || folder.empty()) return {};
  std::string_view file = Trim(reference.substr(0, colon));
  if (!file.empty() && file.front() == '"') file = file.substr(1, file.size() - 2);
  std::uint32_t offset = 0;
  std::string_view digits = reference.substr(colon + 1);
  if (std::from_chars(digits.data(), digits.data() + digits.size(), offset, 16).ec != std::errc()) {
    return {};
  }
  std::ifstream in(std::filesystem::path(folder) / std::string(file), std::ios::binary);
  if (!in.seekg(offset)) return {};
  std::string bytes(kBindingsExtent, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

bool HoldsName(std::string_view bytes, std::string_view name) {
  std::string wide;  // the name as UTF-16 stores it
  for (char c : name) wide += {c, '\0'};
  auto same = [](char a, char b) { return text::AsciiLower(a) == text::AsciiLower(b); };
  for (std::string_view sought : {name, std::string_view(wide)}) {
    if (std::search(bytes.begin(), bytes.end(), sought.begin(), sought.end(), same) !=
        bytes.end()) {
      return true;
    }
  }
  return false;
}

}  // namespace

std::string DataSourceCollector::BoundDataSource(const formfile::RunningForm& form,
                                                 const formfile::RunningControl& control,
                                                 const std::string& resource_folder) {
  if (auto data_source = formfile::StringProperty(control.properties, "DataSource"))
    return *data_source;
  const formfile::FormProperty* bindings = formfile::FindProperty(control.properties, "Bindings");
  if (!bindings || bindings->kind != formfile::PropertyKind::kResource) return {};
  std::vector<const formfile::RunningControl*> data_controls;
  form.ForEachControl([&](formfile::RunningControl& candidate) {
    if (IsDataControl(candidate.class_name)) data_controls.push_back(&candidate);
  });
  std::string bytes = ResourceBytes(bindings->text, resource_folder);
  for (const formfile::RunningControl* data_control : data_controls) {
    if (HoldsName(bytes, data_control->name)) return data_control->name;
  }
  // Without its binding block, a grid on a form of one data control is bound to that.
  return data_controls.size() == 1 ? data_controls.front()->name : std::string();
}

std::vector<DataSourceCollector::DataSource> DataSourceCollector::Collect(
    const formfile::RunningForm& form, const std::string& resource_folder) {
  std::vector<DataSource> sources;
  form.ForEachControl([&](formfile::RunningControl& control) {
    if (!IsDataControl(control.class_name)) return;
    DataSource source{control.name, RecordSourceOf(form, control), {}};
    std::vector<Table> tables = TablesOf(source.record_source);
    auto add = [&](const std::string& field) {
      bool known = std::any_of(source.fields.begin(), source.fields.end(),
                               [&](const Field& f) { return formfile::SameName(f.field, field); });
      if (!known)
        source.fields.push_back({field, TableOfField(source.record_source, tables, field)});
    };
    form.ForEachControl([&](formfile::RunningControl& bound) {
      if (!formfile::SameName(BoundDataSource(form, bound, resource_folder), control.name)) return;
      auto field = formfile::StringProperty(bound.properties, "DataField");
      if (field && !field->empty()) {
        add(*field);
      } else {
        for (const std::string& column : ColumnsOf(source.record_source)) add(column);
      }
    });
    sources.push_back(std::move(source));
  });
  return sources;
}

}  // namespace tavik::environment
