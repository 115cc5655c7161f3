// Reads the schema of a SQLite database into a model document.
#include "import/sqlite_schema_reader.h"

#include <fmt/format.h>
#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <new>
#include <optional>
#include <set>
#include <span>
#include <system_error>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "brenlo/model_parser.h"
#include "brenlo/windows1252.h"
#include "import/declared_type.h"
#include "import/master_detail_graph.h"
#include "tavikfw/brenlo.h"

namespace tavik::import {
namespace {

using nlohmann::ordered_json;

constexpr std::string_view kSqliteHeader{"SQLite format 3\0", 16};

// How long a read waits for another program's write to finish before it gives up.
constexpr int kBusyTimeoutMilliseconds = 500;

// Edit styles of the attributes the import makes.
constexpr int kCheckBoxStyle = 0;
constexpr int kComboBoxStyle = 2;
constexpr int kTextBoxStyle = 4;
constexpr int kMaskedEditStyle = 5;
constexpr int kPictureStyle = 8;

// Attribute ids are served in 16 bits; "entity times 100 plus column" reads well and is
// used whenever it fits.
constexpr std::size_t kLargestId = 0xFFFF;
constexpr std::size_t kColumnsPerEntityId = 100;

// SQLite compares names without regard to the case of ASCII letters.
char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
char UpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
bool IsUpperAscii(char c) {
  return c >= 'A' && c <= 'Z';
}
bool IsLowerAscii(char c) {
  return c >= 'a' && c <= 'z';
}

std::string Folded(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), LowerAscii);
  return out;
}

std::string OsReason(int error) {
  if (error == 0) return "the system gave no reason";
  return std::generic_category().message(error);
}

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && Folded(a) == Folded(b);
}

// "CUST_NAME" and "custName" read "Cust Name".
std::string ReadableName(std::string_view name) {
  std::string out;
  bool word_start = true;
  char previous = '\0';
  for (char c : name) {
    if (c == '_' || c == ' ' || c == '-') {
      word_start = true;
      previous = c;
      continue;
    }
    if (IsLowerAscii(previous) && IsUpperAscii(c)) word_start = true;
    if (word_start) {
      if (!out.empty()) out += ' ';
      out += UpperAscii(c);
      word_start = false;
    } else {
      out += LowerAscii(c);
    }
    previous = c;
  }
  return out.empty() ? std::string(name) : out;
}

// ---------------------------------------------------------------------------------------
// CHECK constraints that limit a column to a list of literals.

struct Token {
  enum class Kind : std::uint8_t { kWord, kQuotedName, kString, kNumber, kSymbol };
  Kind kind;
  std::string text;  // a string's or quoted name's value without its quotes
};

using Tokens = std::vector<Token>;

// The text up to the closing quote, with doubled quotes taken as one; the position after.
std::size_t ReadQuoted(std::string_view sql, std::size_t at, char close, std::string& text) {
  for (std::size_t i = at + 1; i < sql.size(); ++i) {
    if (sql[i] != close) {
      text += sql[i];
    } else if (close != ']' && i + 1 < sql.size() && sql[i + 1] == close) {
      text += close;
      ++i;
    } else {
      return i + 1;
    }
  }
  return sql.size();
}

bool IsWordChar(char c) {
  return IsUpperAscii(c) || IsLowerAscii(c) || (c >= '0' && c <= '9') || c == '_' || c == '$' ||
         static_cast<unsigned char>(c) >= 0x80;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

Tokens Tokenize(std::string_view sql) {
  Tokens tokens;
  std::size_t i = 0;
  while (i < sql.size()) {
    char c = sql[i];
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v') {
      ++i;
    } else if (sql.substr(i, 2) == "--") {
      i = std::min(sql.find('\n', i), sql.size());
    } else if (sql.substr(i, 2) == "/*") {
      std::size_t end = sql.find("*/", i + 2);
      i = end == std::string_view::npos ? sql.size() : end + 2;
    } else if (c == '\'' || c == '"' || c == '`' || c == '[') {
      Token token{c == '\'' ? Token::Kind::kString : Token::Kind::kQuotedName, {}};
      i = ReadQuoted(sql, i, c == '[' ? ']' : c, token.text);
      tokens.push_back(std::move(token));
    } else if (IsDigit(c) || (c == '.' && i + 1 < sql.size() && IsDigit(sql[i + 1]))) {
      std::size_t start = i;
      while (i < sql.size() &&
             (IsWordChar(sql[i]) || sql[i] == '.' ||
              ((sql[i] == '+' || sql[i] == '-') && (sql[i - 1] == 'e' || sql[i - 1] == 'E')))) {
        ++i;
      }
      tokens.push_back({Token::Kind::kNumber, std::string(sql.substr(start, i - start))});
    } else if (IsWordChar(c)) {
      std::size_t start = i;
      while (i < sql.size() && IsWordChar(sql[i])) ++i;
      tokens.push_back({Token::Kind::kWord, std::string(sql.substr(start, i - start))});
    } else if (sql.substr(i, 2) == "==") {
      tokens.push_back({Token::Kind::kSymbol, "="});
      i += 2;
    } else {
      tokens.push_back({Token::Kind::kSymbol, std::string(1, c)});
      ++i;
    }
  }
  return tokens;
}

using TokenSpan = std::pair<std::size_t, std::size_t>;  // [first, last) of a token vector

bool IsSymbol(const Token& token, std::string_view symbol) {
  return token.kind == Token::Kind::kSymbol && token.text == symbol;
}

bool IsKeyword(const Token& token, std::string_view keyword) {
  return token.kind == Token::Kind::kWord && SameName(token.text, keyword);
}

// The position of the parenthesis that closes the one at open, or the end.
std::size_t ClosingParenthesis(const Tokens& tokens, std::size_t open) {
  int depth = 0;
  for (std::size_t i = open; i < tokens.size(); ++i) {
    if (IsSymbol(tokens[i], "(")) ++depth;
    if (IsSymbol(tokens[i], ")") && --depth == 0) return i;
  }
  return tokens.size();
}

TokenSpan WithoutOuterParentheses(const Tokens& tokens, TokenSpan span) {
  while (span.second - span.first >= 2 && IsSymbol(tokens[span.first], "(") &&
         ClosingParenthesis(tokens, span.first) == span.second - 1) {
    span = {span.first + 1, span.second - 1};
  }
  return span;
}

std::optional<std::string> NameAt(const Tokens& tokens, std::size_t at) {
  const Token& token = tokens[at];
  if (token.kind == Token::Kind::kWord || token.kind == Token::Kind::kQuotedName) {
    return token.text;
  }
  return std::nullopt;
}

// A string or a number, with its sign; the literal and the position after it.
std::optional<std::pair<std::string, std::size_t>> LiteralAt(const Tokens& tokens, TokenSpan span) {
  std::size_t at = span.first;
  std::string sign;
  if (at < span.second && (IsSymbol(tokens[at], "-") || IsSymbol(tokens[at], "+"))) {
    if (tokens[at].text == "-") sign = "-";
    ++at;
  }
  if (at >= span.second) return std::nullopt;
  const Token& token = tokens[at];
  if (token.kind == Token::Kind::kNumber) return std::pair(sign + token.text, at + 1);
  if (token.kind == Token::Kind::kString && sign.empty()) return std::pair(token.text, at + 1);
  return std::nullopt;
}

struct ValueList {
  std::string column;
  std::vector<std::string> values;
};

// column IN (literal, ...)
std::optional<ValueList> InList(const Tokens& tokens, TokenSpan span) {
  if (span.second - span.first < 5) return std::nullopt;
  auto column = NameAt(tokens, span.first);
  if (!column || !IsKeyword(tokens[span.first + 1], "IN") ||
      !IsSymbol(tokens[span.first + 2], "(") || !IsSymbol(tokens[span.second - 1], ")") ||
      ClosingParenthesis(tokens, span.first + 2) != span.second - 1) {
    return std::nullopt;
  }
  ValueList list{*column, {}};
  std::size_t at = span.first + 3;
  const std::size_t end = span.second - 1;
  while (at < end) {
    auto literal = LiteralAt(tokens, {at, end});
    if (!literal) return std::nullopt;
    list.values.push_back(std::move(literal->first));
    at = literal->second;
    if (at < end && !IsSymbol(tokens[at++], ",")) return std::nullopt;
  }
  return list.values.empty() ? std::nullopt : std::optional(std::move(list));
}

// column = literal OR column = literal ..., each comparison perhaps in parentheses.
std::optional<ValueList> OrList(const Tokens& tokens, TokenSpan span) {
  std::vector<TokenSpan> terms;
  std::size_t start = span.first;
  int depth = 0;
  for (std::size_t i = span.first; i <= span.second; ++i) {
    if (i == span.second || (depth == 0 && IsKeyword(tokens[i], "OR"))) {
      terms.push_back(WithoutOuterParentheses(tokens, {start, i}));
      start = i + 1;
    } else if (IsSymbol(tokens[i], "(")) {
      ++depth;
    } else if (IsSymbol(tokens[i], ")")) {
      --depth;
    }
  }
  std::optional<ValueList> list;
  for (const TokenSpan& term : terms) {
    if (term.second - term.first < 3) return std::nullopt;
    auto column = NameAt(tokens, term.first);
    if (!column || !IsSymbol(tokens[term.first + 1], "=")) return std::nullopt;
    auto literal = LiteralAt(tokens, {term.first + 2, term.second});
    if (!literal || literal->second != term.second) return std::nullopt;
    if (!list) list = ValueList{*column, {}};
    if (!SameName(list->column, *column)) return std::nullopt;
    list->values.push_back(std::move(literal->first));
  }
  return list;
}

// The value lists of the table's CHECK constraints, in the order they are written.
std::vector<ValueList> CheckedValueLists(std::string_view create_sql) {
  const Tokens tokens = Tokenize(create_sql);
  std::vector<ValueList> lists;
  for (std::size_t i = 0; i + 1 < tokens.size(); ++i) {
    if (!IsKeyword(tokens[i], "CHECK") || !IsSymbol(tokens[i + 1], "(")) continue;
    const std::size_t close = ClosingParenthesis(tokens, i + 1);
    const TokenSpan expression = WithoutOuterParentheses(tokens, {i + 2, close});
    if (auto list = InList(tokens, expression)) {
      lists.push_back(std::move(*list));
    } else if (auto or_list = OrList(tokens, expression)) {
      lists.push_back(std::move(*or_list));
    }
  }
  return lists;
}

// Two values that say yes and no, written no first, are turned round: the first value of
// a check box is its checked one.
void PutYesFirst(std::vector<std::string>& flags) {
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kPairs = {{
      {"y", "n"},
      {"yes", "no"},
      {"t", "f"},
      {"true", "false"},
      {"1", "0"},
      {"on", "off"},
  }};
  const std::string first = Folded(flags[0]);
  const std::string second = Folded(flags[1]);
  for (const auto& [yes, no] : kPairs) {
    if (first == no && second == yes) std::swap(flags[0], flags[1]);
  }
}

// ---------------------------------------------------------------------------------------
// The database.

struct Column {
  std::string name;
  std::string type;  // as declared, perhaps empty
  bool required = false;
  bool filled_by_database = false;  // the rowid under another name
  int key_position = 0;             // in the primary key, from 1; 0 when not part of it
  std::string display_name;
  std::string base_name;
  std::size_t id = 0;
  std::vector<std::size_t> relations;
  std::optional<std::vector<std::string>> values;  // from a CHECK constraint
  std::string list_name;                           // of the values, unique in the model
};

struct Table {
  std::string name;
  std::string create_sql;
  bool grid = false;
  std::vector<Column> columns;

  std::optional<std::size_t> ColumnPosition(std::string_view column_name) const {
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (SameName(columns[i].name, column_name)) return i;
    }
    return std::nullopt;
  }
  Column* FindColumn(std::string_view column_name) {
    const auto position = ColumnPosition(column_name);
    return position ? &columns[*position] : nullptr;
  }
};

// One column of a foreign key as SQLite lists it.
struct KeyPart {
  int id;
  std::string parent;
  std::string from;
  std::optional<std::string> to;  // nothing when the key names no columns of the parent
};

// A foreign key as a master/detail relationship.
struct ForeignKey {
  std::size_t master = 0;  // table positions
  std::size_t detail = 0;
  std::vector<std::size_t> detail_columns;  // positions in the detail's columns, in key order
  std::vector<std::size_t> master_columns;  // the columns they refer to, in the same order
};

// A schema object as sqlite_schema and PRAGMA table_list describe it.
struct SchemaObject {
  std::string type;  // "table", "view", "virtual", "shadow", "internal"
  std::string name;
  std::string create_sql;
};

struct CloseDatabase {
  void operator()(sqlite3* database) const { sqlite3_close(database); }
};
struct FinalizeStatement {
  void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Database = std::unique_ptr<sqlite3, CloseDatabase>;
using Statement = std::unique_ptr<sqlite3_stmt, FinalizeStatement>;

// A name as SQL text: in double quotes, any double quote in it doubled.
std::string QuotedName(std::string_view name) {
  std::string quoted = "\"";
  for (char c : name) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + '"';
}

std::string ColumnText(sqlite3_stmt* statement, int index) {
  const unsigned char* text = sqlite3_column_text(statement, index);
  return text ? std::string(reinterpret_cast<const char*>(text)) : std::string();
}

// The reading of one database; every step returns false once the import failed.
class SchemaImport {
 public:
  SchemaImport(std::string path, const SchemaImportOptions& options)
      : path_(std::move(path)), options_(options) {}

  SqliteSchemaReader::Outcome Run();

 private:
  bool Open();
  bool ReadSchemaObjects();
  bool ChooseTables();
  bool ReadColumns(Table& table);
  bool MarkRowidAlias(Table& table);
  bool ReadForeignKeys(std::size_t child_index);
  // A foreign key the form cannot show as a master/detail relationship stays a plain
  // column, and the user is told which and why.
  void KeepAsPlainColumns(const Table& detail, const std::vector<std::string>& columns,
                          std::string_view master, std::string_view why);
  // Why a foreign key to the table cannot be a relationship, judged by the tables; empty
  // when it can.
  std::string KeyProblem(std::size_t detail, const std::string& master_name) const;
  // Finds the columns of the key's parts in both tables; why it cannot, or empty.
  std::string ResolveKeyColumns(ForeignKey& key, std::span<const KeyPart> parts) const;
  void LeaveOutCycles();
  void LinkKeyColumns();
  bool CheckTexts();
  bool AssignIds();
  ordered_json Document() const;

  // Runs a query whose rows go to on_row; false (and the failure noted) on an error.
  template <class OnRow>
  bool Query(const char* sql, const std::string& parameter, OnRow on_row);
  bool DatabaseFailure(int code);
  bool Refuse(std::string message);
  bool Fail(std::int32_t status, std::string message);
  SqliteSchemaReader::Outcome Failed() const { return {status_, {}, error_, {}}; }

  const SchemaObject* FindObject(std::string_view name) const;
  std::optional<std::size_t> FindTable(std::string_view name) const;

  std::string path_;
  const SchemaImportOptions& options_;
  Database database_;
  std::vector<SchemaObject> objects_;  // in the order of the schema
  std::vector<Table> tables_;          // the tables imported; entity i + 1 is tables_[i]
  // Positions in the vectors above by name, without regard to letter case.
  std::unordered_map<std::string, std::size_t> object_index_;
  std::unordered_map<std::string, std::size_t> table_index_;
  std::vector<ForeignKey> keys_;  // the relationships, once cycles are left out
  std::int32_t status_ = BR_LOAD_OK;
  std::string error_;
  std::vector<std::string> warnings_;
};

SqliteSchemaReader::Outcome SchemaImport::Run() {
  if (!Open() || !ReadSchemaObjects() || !ChooseTables()) return Failed();
  for (Table& table : tables_) {
    if (!ReadColumns(table) || !MarkRowidAlias(table)) return Failed();
  }
  for (std::size_t i = 0; i < tables_.size(); ++i) {
    if (!ReadForeignKeys(i)) return Failed();
  }
  LeaveOutCycles();
  LinkKeyColumns();
  if (!CheckTexts() || !AssignIds()) return Failed();
  return {BR_LOAD_OK, Document(), {}, std::move(warnings_)};
}

bool SchemaImport::Fail(std::int32_t status, std::string message) {
  status_ = status;
  error_ = fmt::format("{}: {}", path_, message);
  return false;
}

bool SchemaImport::Refuse(std::string message) {
  return Fail(BR_LOAD_REFUSED, std::move(message));
}

bool SchemaImport::DatabaseFailure(int code) {
  const char* detail = database_ ? sqlite3_errmsg(database_.get()) : sqlite3_errstr(code);
  switch (code & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return Fail(BR_LOAD_UNREADABLE,
                  "the database is locked by another program; try again when it is done");
    case SQLITE_NOTADB:
      return Refuse("the file is not a SQLite database");
    case SQLITE_CORRUPT:
      return Fail(BR_LOAD_UNREADABLE, fmt::format("the database is damaged: {}", detail));
    case SQLITE_NOMEM:
      throw std::bad_alloc();
    default:
      return Fail(BR_LOAD_UNREADABLE, fmt::format("cannot read the database: {}", detail));
  }
}

bool SchemaImport::Open() {
  errno = 0;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path_.c_str(), "rb"),
                                                       std::fclose);
  if (!file) {
    return Fail(BR_LOAD_UNREADABLE, fmt::format("cannot read the file: {}", OsReason(errno)));
  }
  std::array<char, kSqliteHeader.size()> header{};
  const std::size_t got = std::fread(header.data(), 1, header.size(), file.get());
  if (std::ferror(file.get()) != 0) {
    return Fail(BR_LOAD_UNREADABLE, fmt::format("cannot read the file: {}", OsReason(errno)));
  }
  if (std::string_view(header.data(), got) != kSqliteHeader) {
    return Refuse("the file is not a SQLite database (it does not begin with the SQLite header)");
  }
  file.reset();
  sqlite3* opened = nullptr;
  const int code = sqlite3_open_v2(path_.c_str(), &opened, SQLITE_OPEN_READONLY, nullptr);
  database_.reset(opened);
  if (code != SQLITE_OK) return DatabaseFailure(code);
  sqlite3_busy_timeout(database_.get(), kBusyTimeoutMilliseconds);
  return true;
}

template <class OnRow>
bool SchemaImport::Query(const char* sql, const std::string& parameter, OnRow on_row) {
  sqlite3_stmt* prepared = nullptr;
  int code = sqlite3_prepare_v2(database_.get(), sql, -1, &prepared, nullptr);
  Statement statement(prepared);
  if (code != SQLITE_OK) return DatabaseFailure(code);
  if (!parameter.empty()) {
    sqlite3_bind_text(statement.get(), 1, parameter.c_str(), static_cast<int>(parameter.size()),
                      SQLITE_TRANSIENT);
  }
  while ((code = sqlite3_step(statement.get())) == SQLITE_ROW) {
    if (!on_row(statement.get())) return false;
  }
  return code == SQLITE_DONE ? true : DatabaseFailure(code);
}

bool SchemaImport::ReadSchemaObjects() {
  const bool read = Query(
      "SELECT type, name, sql FROM sqlite_schema WHERE type IN ('table', 'view') ORDER BY rowid",
      {}, [&](sqlite3_stmt* row) {
        SchemaObject object{ColumnText(row, 0), ColumnText(row, 1), ColumnText(row, 2)};
        if (Folded(object.name).starts_with("sqlite_")) object.type = "internal";
        object_index_.emplace(Folded(object.name), objects_.size());
        objects_.push_back(std::move(object));
        return true;
      });
  if (!read) return false;
  // Virtual tables need their module to be read, and their shadow tables are their storage.
  return Query("SELECT name, type FROM pragma_table_list WHERE schema = 'main'", {},
               [&](sqlite3_stmt* row) {
                 const std::string type = ColumnText(row, 1);
                 if (type != "virtual" && type != "shadow") return true;
                 const auto found = object_index_.find(Folded(ColumnText(row, 0)));
                 if (found != object_index_.end()) objects_[found->second].type = type;
                 return true;
               });
}

const SchemaObject* SchemaImport::FindObject(std::string_view name) const {
  const auto found = object_index_.find(Folded(name));
  return found == object_index_.end() ? nullptr : &objects_[found->second];
}

std::optional<std::size_t> SchemaImport::FindTable(std::string_view name) const {
  const auto found = table_index_.find(Folded(name));
  return found == table_index_.end() ? std::nullopt : std::optional(found->second);
}

bool SchemaImport::ChooseTables() {
  std::unordered_set<std::string> chosen;
  std::unordered_set<std::string> grids;
  for (const std::string& name : options_.tables) chosen.insert(Folded(name));
  for (const std::string& name : options_.grid_tables) grids.insert(Folded(name));
  for (const auto* names : {&options_.tables, &options_.grid_tables}) {
    for (const std::string& name : *names) {
      const SchemaObject* object = FindObject(name);
      if (!object || object->type == "internal") {
        return Refuse(fmt::format("the database has no table \"{}\"", name));
      }
      if (object->type != "table") {
        return Refuse(fmt::format("\"{}\" is a {}, which cannot be imported; only tables can",
                                  object->name,
                                  object->type == "view" ? "view" : object->type + " table"));
      }
      if (!chosen.empty() && !chosen.contains(Folded(name))) {
        return Refuse(fmt::format(
            "\"{}\" is to be shown as a grid but is not among the tables to import", name));
      }
    }
  }
  for (const SchemaObject& object : objects_) {
    if (object.type != "table") continue;
    const std::string folded = Folded(object.name);
    if (!chosen.empty() && !chosen.contains(folded)) continue;
    table_index_.emplace(folded, tables_.size());
    tables_.push_back({object.name, object.create_sql, grids.contains(folded), {}});
  }
  if (tables_.empty()) return Refuse("the database has no tables to import");
  return true;
}

bool SchemaImport::ReadColumns(Table& table) {
  // Generated columns are computed by the database and cannot be entered on a form.
  const bool read =
      Query("SELECT name, type, \"notnull\", pk FROM pragma_table_xinfo(?1) WHERE hidden = 0",
            table.name, [&](sqlite3_stmt* row) {
              Column column;
              column.name = ColumnText(row, 0);
              column.type = ColumnText(row, 1);
              column.key_position = sqlite3_column_int(row, 3);
              column.required = sqlite3_column_int(row, 2) != 0 || column.key_position > 0;
              table.columns.push_back(std::move(column));
              return true;
            });
  if (!read) return false;
  if (table.columns.empty()) {
    return Refuse(fmt::format("table \"{}\" has no columns that can be entered", table.name));
  }
  std::set<std::string> display_names;
  for (Column& column : table.columns) {
    std::string readable = ReadableName(column.name);
    column.display_name = readable;
    for (int suffix = 2; !display_names.insert(column.display_name).second; ++suffix) {
      column.display_name = fmt::format("{} {}", readable, suffix);
    }
  }
  for (ValueList& list : CheckedValueLists(table.create_sql)) {
    Column* column = table.FindColumn(list.column);
    if (!column || column->values) continue;
    std::vector<std::string> values;
    for (std::string& value : list.values) {
      if (std::find(values.begin(), values.end(), value) == values.end()) {
        values.push_back(std::move(value));
      }
    }
    column->values = std::move(values);
  }
  return true;
}

bool SchemaImport::MarkRowidAlias(Table& table) {
  Column* key = nullptr;
  for (Column& column : table.columns) {
    if (column.key_position == 0) continue;
    if (key) return true;  // a key of several columns
    key = &column;
  }
  if (!key || DeclaredType(key->type).affinity() != DeclaredType::Affinity::kInteger) return true;
  // Whether an INTEGER PRIMARY KEY is the rowid depends on more than its declaration (the
  // table may be WITHOUT ROWID, the key declared DESC); SQLite's own plan for reading the
  // column says: it reads the rowid in its place.
  const std::string sql = fmt::format("EXPLAIN SELECT {} FROM {} NOT INDEXED",
                                      QuotedName(key->name), QuotedName(table.name));
  bool reads_rowid = false;
  const bool read = Query(sql.c_str(), {}, [&](sqlite3_stmt* row) {
    reads_rowid = reads_rowid || ColumnText(row, 1) == "Rowid";
    return true;
  });
  if (!read) return false;
  // The database numbers a new row itself when the key is left empty.
  key->filled_by_database = reads_rowid;
  if (reads_rowid) key->required = false;
  return true;
}

void SchemaImport::KeepAsPlainColumns(const Table& detail, const std::vector<std::string>& columns,
                                      std::string_view master, std::string_view why) {
  std::string names;
  for (const std::string& column : columns) {
    names += fmt::format("{}\"{}\"", names.empty() ? "" : ", ", column);
  }
  warnings_.push_back(
      fmt::format("{}: table \"{}\", {} {}: the foreign key to \"{}\" is kept as {}: {}", path_,
                  detail.name, columns.size() == 1 ? "column" : "columns", names, master,
                  columns.size() == 1 ? "a plain column" : "plain columns", why));
}

bool SchemaImport::ReadForeignKeys(std::size_t child_index) {
  std::vector<KeyPart> parts;
  // Foreign keys are numbered from the last one written; counting down keeps their order.
  const bool read = Query(
      "SELECT id, \"table\", \"from\", \"to\" FROM pragma_foreign_key_list(?1) "
      "ORDER BY id DESC, seq",
      tables_[child_index].name, [&](sqlite3_stmt* row) {
        KeyPart part{sqlite3_column_int(row, 0), ColumnText(row, 1), ColumnText(row, 2), {}};
        if (sqlite3_column_type(row, 3) != SQLITE_NULL) part.to = ColumnText(row, 3);
        parts.push_back(std::move(part));
        return true;
      });
  if (!read) return false;

  std::unordered_set<std::size_t> masters;
  for (std::size_t first = 0; first < parts.size();) {
    std::size_t end = first;
    while (end < parts.size() && parts[end].id == parts[first].id) ++end;
    std::vector<std::string> from_names;
    for (std::size_t i = first; i < end; ++i) from_names.push_back(parts[i].from);
    const std::string& parent_name = parts[first].parent;
    ForeignKey key{FindTable(parent_name).value_or(0), child_index, {}, {}};
    std::string why = KeyProblem(child_index, parent_name);
    if (why.empty()) why = ResolveKeyColumns(key, std::span(parts).subspan(first, end - first));
    if (why.empty() && !masters.insert(key.master).second) {
      why = fmt::format(
          "the table has a key to \"{}\" already, and a form shows a detail once "
          "under its master",
          parent_name);
    }
    if (why.empty()) {
      keys_.push_back(std::move(key));
    } else {
      KeepAsPlainColumns(tables_[child_index], from_names, parent_name, why);
    }
    first = end;
  }
  return true;
}

std::string SchemaImport::KeyProblem(std::size_t detail, const std::string& master_name) const {
  const SchemaObject* object = FindObject(master_name);
  if (!object || object->type == "internal") {
    return fmt::format("\"{}\" is not a table of the database", master_name);
  }
  if (object->type != "table") {
    return fmt::format("\"{}\" is a {}, not a table", object->name,
                       object->type == "view" ? "view" : object->type + " table");
  }
  const auto master = FindTable(master_name);
  if (!master) return fmt::format("\"{}\" is not among the tables imported", object->name);
  if (*master == detail)
    return "it refers to its own table, which a form cannot show as its own master";
  return {};
}

std::string SchemaImport::ResolveKeyColumns(ForeignKey& key, std::span<const KeyPart> parts) const {
  const Table& detail = tables_[key.detail];
  const Table& master = tables_[key.master];
  // A key that names no columns refers to the master's primary key, in the key's order.
  std::vector<std::size_t> primary_key;
  if (!parts.front().to) {
    for (std::size_t i = 0; i < master.columns.size(); ++i) {
      if (master.columns[i].key_position > 0) primary_key.push_back(i);
    }
    std::sort(primary_key.begin(), primary_key.end(), [&](std::size_t a, std::size_t b) {
      return master.columns[a].key_position < master.columns[b].key_position;
    });
    if (primary_key.size() != parts.size()) {
      return fmt::format(
          "it names no columns, and the primary key of \"{}\" has {} columns, not {}", master.name,
          primary_key.size(), parts.size());
    }
  }
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const auto from = detail.ColumnPosition(parts[i].from);
    if (!from) {
      return fmt::format("column \"{}\" is computed by the database and not imported",
                         parts[i].from);
    }
    const auto to = parts[i].to ? master.ColumnPosition(*parts[i].to) : primary_key[i];
    if (!to) return fmt::format("\"{}\" has no column \"{}\"", master.name, *parts[i].to);
    key.detail_columns.push_back(*from);
    key.master_columns.push_back(*to);
  }
  return {};
}

void SchemaImport::LeaveOutCycles() {
  std::vector<MasterDetailGraph::Link> links;
  for (const ForeignKey& key : keys_) links.push_back({key.master, key.detail});
  std::vector<bool> closing(keys_.size(), false);
  for (const auto& closed : MasterDetailGraph::CycleClosingLinks(tables_.size(), links)) {
    closing[closed.link] = true;
    const ForeignKey& key = keys_[closed.link];
    std::string cycle;
    for (std::size_t table : closed.cycle) cycle += fmt::format("\"{}\" -> ", tables_[table].name);
    std::vector<std::string> columns;
    for (std::size_t column : key.detail_columns) {
      columns.push_back(tables_[key.detail].columns[column].name);
    }
    KeepAsPlainColumns(tables_[key.detail], columns, tables_[key.master].name,
                       fmt::format("it closes a cycle of masters and their details ({}\"{}\"), "
                                   "which no form can show",
                                   cycle, tables_[key.detail].name));
  }
  std::vector<ForeignKey> kept;
  for (std::size_t i = 0; i < keys_.size(); ++i) {
    if (!closing[i]) kept.push_back(std::move(keys_[i]));
  }
  keys_ = std::move(kept);
}

void SchemaImport::LinkKeyColumns() {
  for (std::size_t k = 0; k < keys_.size(); ++k) {
    const ForeignKey& key = keys_[k];
    for (std::size_t i = 0; i < key.detail_columns.size(); ++i) {
      Column& from = tables_[key.detail].columns[key.detail_columns[i]];
      from.relations.push_back(k + 1);
      // A column in several keys takes its base name from the first of them, which is how
      // the master's key is found again.
      if (from.base_name.empty()) {
        from.base_name = tables_[key.master].columns[key.master_columns[i]].display_name;
      }
    }
  }
}

std::string NameFault(std::string_view name) {
  std::string fault = brenlo::FormTextFault(name);
  return fault.empty() ? brenlo::ModelParser::SqlNameFault(name) : fault;
}

// Names, types and listed values all end up in the form, which holds only Windows-1252;
// names end up in its SQL too.
bool SchemaImport::CheckTexts() {
  for (const Table& table : tables_) {
    if (std::string fault = NameFault(table.name); !fault.empty()) {
      return Refuse(fmt::format("the name of table \"{}\" cannot be used: {}", table.name, fault));
    }
    for (const Column& column : table.columns) {
      const std::string place = fmt::format("table \"{}\", column \"{}\"", table.name, column.name);
      if (std::string fault = NameFault(column.name); !fault.empty()) {
        return Refuse(fmt::format("{}: the name cannot be used: {}", place, fault));
      }
      if (std::string fault = brenlo::FormTextFault(column.type); !fault.empty()) {
        return Refuse(fmt::format("{}: the declared type cannot be used: {}", place, fault));
      }
      if (!column.values) continue;
      for (const std::string& value : *column.values) {
        if (std::string fault = brenlo::FormTextFault(value); !fault.empty()) {
          return Refuse(fmt::format("{}: the value '{}' of its CHECK constraint cannot be used: {}",
                                    place, value, fault));
        }
      }
    }
  }
  return true;
}

bool SchemaImport::AssignIds() {
  std::size_t widest = 0;
  std::size_t total = 0;
  for (const Table& table : tables_) {
    widest = std::max(widest, table.columns.size());
    total += table.columns.size();
  }
  const bool by_entity =
      widest < kColumnsPerEntityId && tables_.size() * kColumnsPerEntityId + widest <= kLargestId;
  if (!by_entity && total > kLargestId) {
    return Refuse(
        fmt::format("the tables have {} columns together, more than the {} a model can number",
                    total, kLargestId));
  }
  std::size_t next = 1;
  for (std::size_t t = 0; t < tables_.size(); ++t) {
    for (std::size_t c = 0; c < tables_[t].columns.size(); ++c) {
      tables_[t].columns[c].id = by_entity ? (t + 1) * kColumnsPerEntityId + c + 1 : next++;
    }
  }
  // Lists are shared in a form by name, so two columns must not give the same one.
  std::unordered_set<std::string> list_names;
  for (Table& table : tables_) {
    for (Column& column : table.columns) {
      if (!column.values && !DeclaredType(column.type).IsBoolean()) continue;
      const std::string name = table.name + "_" + column.name;
      column.list_name = name;
      for (int suffix = 2; !list_names.insert(column.list_name).second; ++suffix) {
        column.list_name = fmt::format("{}_{}", name, suffix);
      }
    }
  }
  return true;
}

// ---------------------------------------------------------------------------------------
// The document.

ordered_json ValuePairs(const std::vector<std::pair<std::string, std::string>>& pairs) {
  ordered_json list = ordered_json::array();
  for (const auto& [display, data] : pairs) list.push_back(ordered_json::array({display, data}));
  return list;
}

ordered_json Attribute(const Column& column) {
  const DeclaredType type(column.type);
  ordered_json info = ordered_json::object();
  info["ID"] = column.id;
  info["PHYSICAL_NAME"] = column.name;
  info["DISPLAY_NAME"] = column.display_name;
  info["BASE_NAME"] = column.base_name.empty() ? column.display_name : column.base_name;
  info["ROLE_NAME"] = column.display_name;
  info["REL_COUNT"] = column.relations.size();
  info["REQUIRED"] = column.required ? 1 : 0;
  for (std::size_t i = 0; i < column.relations.size(); ++i) {
    info[fmt::format("REL{}_ID", i)] = column.relations[i];
  }

  ordered_json col_prop = ordered_json::object();
  col_prop["CD_TYP"] = column.type;
  col_prop["CD_NAM"] = column.name;
  col_prop["CD_PLB"] = column.display_name;
  if (column.required) col_prop["CD_REQ"] = "Y";
  if (column.filled_by_database) col_prop["CD_RO"] = "Y";

  ordered_json edit_style = ordered_json::object();
  ordered_json attribute = ordered_json::object();
  std::vector<std::pair<std::string, std::string>> flags;
  if (column.values && column.values->size() == 2) {
    std::vector<std::string> values = *column.values;
    PutYesFirst(values);
    flags = {{values[0], values[0]}, {values[1], values[1]}};
  } else if (!column.values && type.IsBoolean()) {
    flags = {{"Yes", "1"}, {"No", "0"}};
  }

  std::optional<std::string> mask;
  if (!flags.empty()) {
    edit_style["ES_TYP"] = kCheckBoxStyle;
    edit_style["ES_VLD"] = 1;
  } else if (column.values) {
    col_prop["CD_PTR"] = 1;
    edit_style["ES_TYP"] = kComboBoxStyle;
    // Values outside the list would be refused by the database anyway.
    edit_style["ESLVAL"] = 1;
  } else if (type.IsPicture()) {
    edit_style["ES_TYP"] = kPictureStyle;
  } else if ((mask = type.DateTimeMask())) {
    edit_style["ES_TYP"] = kMaskedEditStyle;
    edit_style["ESMMSK"] = *mask;
  } else {
    edit_style["ES_TYP"] = kTextBoxStyle;
  }

  attribute["ATTRIB_INFO"] = std::move(info);
  attribute["FORM_ATTRIB_INFO"] = {{"VISIBLE", 1}};
  attribute["COL_PROP"] = std::move(col_prop);
  attribute["CP_EST"] = std::move(edit_style);
  if (!flags.empty()) {
    attribute["ES_VLD_RULE"] = {{"NAME", column.list_name}};
    attribute["ES_VLD_VALUE"] = ValuePairs(flags);
  } else if (column.values) {
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const std::string& value : *column.values) pairs.emplace_back(value, value);
    attribute["COL_VLD_RULE"] = {{"NAME", column.list_name}};
    attribute["COL_VLD_VALUE"] = ValuePairs(pairs);
  }
  return attribute;
}

ordered_json SchemaImport::Document() const {
  ordered_json entities = ordered_json::array();
  for (std::size_t i = 0; i < tables_.size(); ++i) {
    const Table& table = tables_[i];
    ordered_json properties = ordered_json::object();
    properties["ID"] = i + 1;
    properties["PHYSICAL_NAME"] = table.name;
    properties["UNIQUE_PHYS_NAME"] = table.name;
    properties["DISPLAY_STYLE"] = table.grid ? "GRID" : "FIELDS";
    properties["VISIBLE"] = 1;
    ordered_json attributes = ordered_json::array();
    for (const Column& column : table.columns) attributes.push_back(Attribute(column));
    ordered_json entity = ordered_json::object();
    entity["properties"] = std::move(properties);
    entity["attributes"] = std::move(attributes);
    entities.push_back(std::move(entity));
  }
  ordered_json relationships = ordered_json::array();
  for (std::size_t i = 0; i < keys_.size(); ++i) {
    const ForeignKey& key = keys_[i];
    ordered_json properties = ordered_json::object();
    properties["RELATION_ID"] = i + 1;
    properties["PARENT_ENTITY"] = key.master + 1;
    properties["CHILD_ENTITY"] = key.detail + 1;
    ordered_json link = ordered_json::object();
    link["properties"] = std::move(properties);
    ordered_json attribute_ids = ordered_json::array();
    for (std::size_t column : key.detail_columns) {
      attribute_ids.push_back(tables_[key.detail].columns[column].id);
    }
    link["attributes"] = std::move(attribute_ids);
    relationships.push_back(std::move(link));
  }
  ordered_json model = ordered_json::object();
  model["tavik_model"] = 1;
  model["entities"] = std::move(entities);
  model["relationships"] = std::move(relationships);
  return model;
}

}  // namespace

SqliteSchemaReader::Outcome SqliteSchemaReader::Read(const std::string& path,
                                                     const SchemaImportOptions& options) const {
  return SchemaImport(path, options).Run();
}

}  // namespace tavik::import
