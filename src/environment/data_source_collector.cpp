// Working out a data control's record source, its tables and the fields bound to it.
#include "environment/data_source_collector.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace tavik::environment {

namespace {

constexpr int kMaxVariableDepth = 8;

std::string_view Trim(std::string_view text) {
  auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool IsNameCharacter(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

bool IsName(std::string_view text) {
  return !text.empty() && !std::isdigit(static_cast<unsigned char>(text[0])) &&
         std::all_of(text.begin(), text.end(), IsNameCharacter);
}

std::vector<std::string_view> CodeLines(std::string_view code) {
  std::vector<std::string_view> lines;
  while (!code.empty()) {
    auto end = code.find('\n');
    std::string_view line = code.substr(0, end);
    while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(Trim(line));
    code = end == std::string_view::npos ? std::string_view() : code.substr(end + 1);
  }
  return lines;
}

// The right-hand side of "target = ..." when the line assigns to target, else nothing.
std::optional<std::string_view> AssignedValue(std::string_view line, std::string_view target) {
  if (line.size() <= target.size() || !SameName(line.substr(0, target.size()), target)) {
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
  explicit StringExpression(const std::vector<std::string_view>& lines) : lines_(lines) {}

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

  const std::vector<std::string_view>& lines_;
};

// The words of an SQL statement: names, [bracketed names], quoted literals, single marks.
struct Token {
  std::string text;  // a bracketed name without its brackets
  bool word = false;
};

std::vector<Token> Tokens(std::string_view sql) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (i < sql.size()) {
    char c = sql[i];
    if (std::isspace(static_cast<unsigned char>(c))) {
      ++i;
    } else if (c == '[') {
      auto end = sql.find(']', i);
      if (end == std::string_view::npos) end = sql.size();
      tokens.push_back({std::string(sql.substr(i + 1, end - i - 1)), true});
      i = end + 1;
    } else if (c == '\'' || c == '"') {
      auto end = sql.find(c, i + 1);
      if (end == std::string_view::npos) end = sql.size();
      tokens.push_back({std::string(sql.substr(i, end - i + 1)), false});
      i = end + 1;
    } else if (IsNameCharacter(c) || c == '.' || c == '$' || c == '#') {
      std::size_t start = i;
      while (i < sql.size() &&
             (IsNameCharacter(sql[i]) || sql[i] == '.' || sql[i] == '$' || sql[i] == '#')) {
        ++i;
      }
      tokens.push_back({std::string(sql.substr(start, i - start)), true});
    } else {
      tokens.push_back({std::string(1, c), false});
      ++i;
    }
  }
  return tokens;
}

bool IsKeyword(const Token& token, std::string_view keyword) {
  return token.word && SameName(token.text, keyword);
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
  return SameName(class_name, "Data") || SameName(class_name, "VB.Data");
}

std::string DataSourceCollector::RecordSourceOf(const RunningForm& form,
                                                const RunningControl& data_control) {
  if (auto property = StringProperty(data_control.properties, "RecordSource");
      property && !property->empty()) {
    return *property;
  }
  std::vector<std::string_view> lines = CodeLines(form.Code());
  StringExpression expression(lines);
  const std::string target = data_control.name + ".RecordSource";
  for (std::string_view line : lines) {
    if (auto value = AssignedValue(line, target)) return expression.Evaluate(*value, 0);
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
  const std::string& column = words[0].text;
  auto dot = column.rfind('.');
  Column result{dot == std::string::npos ? column : column.substr(dot + 1),
                dot == std::string::npos ? "" : column.substr(0, dot)};
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
      if (!column || column->qualifier.empty() || !SameName(column->name, field)) continue;
      for (const Table& table : tables) {
        if (SameName(table.alias, column->qualifier) || SameName(table.name, column->qualifier)) {
          return table.name;
        }
      }
    }
  }
  return tables.front().name;
}

std::vector<DataSourceCollector::DataSource> DataSourceCollector::Collect(const RunningForm& form) {
  std::vector<DataSource> sources;
  form.ForEachControl([&](RunningControl& control) {
    if (!IsDataControl(control.class_name)) return;
    DataSource source{control.name, RecordSourceOf(form, control), {}};
    std::vector<Table> tables = TablesOf(source.record_source);
    auto add = [&](const std::string& field) {
      bool known = std::any_of(source.fields.begin(), source.fields.end(),
                               [&](const Field& f) { return SameName(f.field, field); });
      if (!known)
        source.fields.push_back({field, TableOfField(source.record_source, tables, field)});
    };
    form.ForEachControl([&](RunningControl& bound) {
      auto data_source = StringProperty(bound.properties, "DataSource");
      if (!data_source || !SameName(*data_source, control.name)) return;
      auto field = StringProperty(bound.properties, "DataField");
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
