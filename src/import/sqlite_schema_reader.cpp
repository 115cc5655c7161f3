// Reads the schema of a SQLite database into a model document.
#include "import/sqlite_schema_reader.h"

#include <fmt/format.h>
#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <filesystem>
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

#include "import/column_edit_style.h"
#include "import/declared_type.h"
#include "import/imported_schema.h"
#include "tavikfw/brenlo.h"

namespace tavik::import {
namespace {

using nlohmann::ordered_json;

constexpr std::string_view kSqliteHeader{"SQLite format 3\0", 16};

// How long a read waits for another program's write to finish before it gives up.
constexpr int kBusyTimeoutMilliseconds = 500;

std::string OsReason(int error) {
  if (error == 0) return "the system gave no reason";
  return std::generic_category().message(error);
}

bool IsUpperAscii(char c) {
  return c >= 'A' && c <= 'Z';
}
bool IsLowerAscii(char c) {
  return c >= 'a' && c <= 'z';
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

// A column's default as SQL text, as the form writes it into the box: a literal's value,
// TRUE and FALSE as 1 and 0, and CURRENT_DATE, CURRENT_TIME and CURRENT_TIMESTAMP in
// capitals; nothing for an expression the form cannot compute.
std::optional<std::string> ColumnDefault(std::string_view sql) {
  const Tokens tokens = Tokenize(sql);
  const TokenSpan span = WithoutOuterParentheses(tokens, {0, tokens.size()});
  if (auto literal = LiteralAt(tokens, span); literal && literal->second == span.second) {
    return std::move(literal->first);
  }
  // DEFAULT "text" names no column, so SQLite stores it as the string text (older schemas,
  // calibre's among them, write their string defaults so).
  if (tokens.size() == 1 && tokens.front().kind == Token::Kind::kQuotedName &&
      sql.starts_with('"')) {
    return tokens.front().text;
  }
  if (span.second - span.first != 1 || tokens[span.first].kind != Token::Kind::kWord) {
    return std::nullopt;
  }
  const std::string word = FoldedName(tokens[span.first].text);
  if (word == "true" || word == "false") return std::string(word == "true" ? "1" : "0");
  if (word == "current_date" || word == "current_time" || word == "current_timestamp") {
    std::string keyword = word;
    std::transform(keyword.begin(), keyword.end(), keyword.begin(),
                   [](char c) { return IsLowerAscii(c) ? static_cast<char>(c - 'a' + 'A') : c; });
    return keyword;
  }
  return std::nullopt;
}

// ---------------------------------------------------------------------------------------
// The database.

// One column of a foreign key as SQLite lists it.
struct KeyPart {
  int id;
  std::string parent;
  std::string from;
  std::optional<std::string> to;  // nothing when the key names no columns of the parent
};

using Column = ImportedSchema::Column;
using Table = ImportedSchema::Table;

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
      : path_(std::move(path)), options_(options), schema_(path_) {}

  SqliteSchemaReader::Outcome Run();

 private:
  bool Open();
  bool ReadSchemaObjects();
  bool ReadColumns(Table& table);
  // A NOT NULL column's default, which the form writes itself; a default the form cannot
  // compute is told, and the column stays required.
  void TakeDefault(const Table& table, Column& column, std::string_view sql);
  bool MarkRowidAlias(Table& table);
  bool MarkUniqueColumns(Table& table);
  bool ReadForeignKeys(std::size_t child_index);
  // Finds the columns of the key's parts in both tables; why it cannot, or empty.
  std::string ResolveKeyColumns(ImportedSchema::Link& key, std::span<const KeyPart> parts);

  // Runs a query whose rows go to on_row; false (and the failure noted) on an error, or when
  // on_row said to stop. A query run again for each table (again) is prepared once and kept.
  template <class OnRow>
  bool Query(const char* sql, const std::string& parameter, OnRow on_row, bool again = false);
  sqlite3_stmt* Prepared(const char* sql) const;
  bool DatabaseFailure(int code);
  bool Refuse(std::string message);
  bool Fail(std::int32_t status, std::string message);
  SqliteSchemaReader::Outcome Failed() const { return {status_, {}, error_, {}}; }

  std::string path_;
  const SchemaImportOptions& options_;
  Database database_;
  ImportedSchema schema_;
  // The queries run for each table, prepared once; by their text's address (a literal).
  std::unordered_map<const char*, Statement> prepared_;
  // Each table's CREATE TABLE text, by folded name.
  std::unordered_map<std::string, std::string> create_sql_;
  std::int32_t status_ = BR_LOAD_OK;
  std::string error_;
};

SqliteSchemaReader::Outcome SchemaImport::Run() {
  if (!Open() || !ReadSchemaObjects()) return Failed();
  if (std::string why = schema_.ChooseTables(options_); !why.empty()) {
    Refuse(std::move(why));
    return Failed();
  }
  for (Table& table : schema_.tables()) {
    if (!ReadColumns(table) || !MarkRowidAlias(table) || !MarkUniqueColumns(table)) {
      return Failed();
    }
  }
  for (std::size_t i = 0; i < schema_.tables().size(); ++i) {
    if (!ReadForeignKeys(i)) return Failed();
  }
  if (std::string why = schema_.Finish(); !why.empty()) {
    Refuse(std::move(why));
    return Failed();
  }
  return {BR_LOAD_OK, schema_.Document(), {}, schema_.TakeWarnings()};
}

bool SchemaImport::Fail(std::int32_t status, std::string message) {
  status_ = status;
  error_ = fmt::format("{}: {}", path_, message);
  return false;
}

bool SchemaImport::Refuse(std::string message) {
  return Fail(BR_LOAD_REFUSED, std::move(message));
}

// A journal left beside the database by a write that did not finish; SQLite must roll it
// back before anyone reads, which a reader that opened the database read-only cannot do.
bool HasHotJournal(const std::string& database) {
  std::error_code error;
  const auto size = std::filesystem::file_size(database + "-journal", error);
  return !error && size > 0;
}

bool SchemaImport::DatabaseFailure(int code) {
  const char* detail = database_ ? sqlite3_errmsg(database_.get()) : sqlite3_errstr(code);
  const int primary = code & 0xFF;
  if ((primary == SQLITE_READONLY || primary == SQLITE_BUSY) && HasHotJournal(path_)) {
    return Fail(BR_LOAD_UNREADABLE,
                fmt::format("the database has a hot journal ({}-journal): a write to it did not "
                            "finish, and a reader that opens it read-only cannot roll that back; "
                            "open the database once with a program that may write it, then try "
                            "again",
                            path_));
  }
  switch (primary) {
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
bool SchemaImport::Query(const char* sql, const std::string& parameter, OnRow on_row, bool again) {
  sqlite3_stmt* statement = again ? Prepared(sql) : nullptr;
  Statement once;
  if (statement == nullptr) {
    int code = sqlite3_prepare_v2(database_.get(), sql, -1, &statement, nullptr);
    if (again && code == SQLITE_OK) {
      prepared_.emplace(sql, Statement(statement));
    } else {
      once.reset(statement);
    }
    if (code != SQLITE_OK) return DatabaseFailure(code);
  }
  if (!parameter.empty()) {
    sqlite3_bind_text(statement, 1, parameter.c_str(), static_cast<int>(parameter.size()),
                      SQLITE_TRANSIENT);
  }
  int code = SQLITE_OK;
  while ((code = sqlite3_step(statement)) == SQLITE_ROW) {
    if (!on_row(statement)) break;
  }
  // A statement kept for the next table is made ready for it, its parameter let go.
  sqlite3_reset(statement);
  sqlite3_clear_bindings(statement);
  if (code == SQLITE_ROW) return false;
  return code == SQLITE_DONE ? true : DatabaseFailure(code);
}

sqlite3_stmt* SchemaImport::Prepared(const char* sql) const {
  const auto found = prepared_.find(sql);
  return found == prepared_.end() ? nullptr : found->second.get();
}

bool SchemaImport::ReadSchemaObjects() {
  std::vector<ImportedSchema::SchemaObject> objects;
  const bool read = Query(
      "SELECT type, name, sql FROM sqlite_schema WHERE type IN ('table', 'view') ORDER BY rowid",
      {}, [&](sqlite3_stmt* row) {
        ImportedSchema::SchemaObject object{ColumnText(row, 0), ColumnText(row, 1)};
        if (FoldedName(object.name).starts_with("sqlite_")) object.type = "internal";
        create_sql_.emplace(FoldedName(object.name), ColumnText(row, 2));
        objects.push_back(std::move(object));
        return true;
      });
  if (!read) return false;
  // Virtual tables need their module to be read, and their shadow tables are their storage.
  std::unordered_map<std::string, std::string> special_types;
  const bool listed = Query("SELECT name, type FROM pragma_table_list WHERE schema = 'main'", {},
                            [&](sqlite3_stmt* row) {
                              const std::string type = ColumnText(row, 1);
                              if (type != "virtual" && type != "shadow") return true;
                              special_types.emplace(FoldedName(ColumnText(row, 0)), type);
                              return true;
                            });
  if (!listed) return false;
  for (ImportedSchema::SchemaObject& object : objects) {
    const auto found = special_types.find(FoldedName(object.name));
    if (found != special_types.end()) object.type = found->second;
    // Virtual tables and their shadow tables are not imported, and the user is told so.
    if (found != special_types.end() && options_.tables.empty()) {
      schema_.Warn(fmt::format("table \"{}\" is left out: {}", object.name,
                               object.type == "virtual"
                                   ? "it is a virtual table, which its module fills, not a form"
                                   : "it is the storage of a virtual table, which its module "
                                     "keeps"));
    }
    schema_.AddObject(std::move(object));
  }
  return true;
}

void SchemaImport::TakeDefault(const Table& table, Column& column, std::string_view sql) {
  if (SameName(sql, "NULL")) return;  // no default: NOT NULL refuses an empty box anyway
  schema_.TakeDefault(column, fmt::format("table \"{}\", column \"{}\"", table.name, column.name),
                      sql, ColumnDefault(sql));
}

bool SchemaImport::ReadColumns(Table& table) {
  // Generated columns are computed by the database and cannot be entered on a form; the
  // hidden columns of virtual tables are none of the table's own.
  const bool read = Query(
      "SELECT name, type, \"notnull\", pk, hidden, dflt_value "
      "FROM pragma_table_xinfo(?1) WHERE hidden <> 1",
      table.name,
      [&](sqlite3_stmt* row) {
        if (sqlite3_column_int(row, 4) != 0) {
          schema_.Warn(
              fmt::format("table \"{}\", column \"{}\" is left out: the database computes it (a "
                          "generated column)",
                          table.name, ColumnText(row, 0)));
          return true;
        }
        Column column;
        column.name = ColumnText(row, 0);
        column.type = ColumnText(row, 1);
        column.key_position = sqlite3_column_int(row, 3);
        column.required = sqlite3_column_int(row, 2) != 0 || column.key_position > 0;
        if (column.required && sqlite3_column_type(row, 5) != SQLITE_NULL) {
          TakeDefault(table, column, ColumnText(row, 5));
        }
        table.columns.push_back(std::move(column));
        return true;
      },
      true);
  if (!read) return false;
  if (table.columns.empty()) {
    return Refuse(fmt::format("table \"{}\" has no columns that can be entered", table.name));
  }
  std::vector<bool> listed(table.columns.size(), false);
  for (ValueList& list : CheckedValueLists(create_sql_[FoldedName(table.name)])) {
    const auto position = table.ColumnPosition(list.column);
    if (!position || listed[*position]) continue;
    listed[*position] = true;
    std::vector<std::string> values;
    for (std::string& value : list.values) {
      if (std::find(values.begin(), values.end(), value) == values.end()) {
        values.push_back(std::move(value));
      }
    }
    ColumnEditStyle::Choose(table.columns[*position], &values, table.columns[*position].type);
  }
  for (std::size_t i = 0; i < table.columns.size(); ++i) {
    if (!listed[i]) ColumnEditStyle::Choose(table.columns[i], nullptr, table.columns[i].type);
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

// A column that a UNIQUE constraint or a unique index of it alone holds to distinct values
// can name its rows. The primary key's own index does not count: a key is seldom what a user
// calls a row by. Partial indexes hold only some rows.
bool SchemaImport::MarkUniqueColumns(Table& table) {
  return Query(
      "SELECT info.name FROM pragma_index_list(?1) AS list, pragma_index_info(list.name) AS info "
      "WHERE list.\"unique\" = 1 AND list.origin IN ('u', 'c') AND list.partial = 0 "
      "AND (SELECT count(*) FROM pragma_index_info(list.name)) = 1",
      table.name,
      [&](sqlite3_stmt* row) {
        if (const auto position = table.ColumnPosition(ColumnText(row, 0))) {
          table.columns[*position].unique = true;
        }
        return true;
      },
      true);
}

bool SchemaImport::ReadForeignKeys(std::size_t child_index) {
  std::vector<KeyPart> parts;
  // Foreign keys are numbered from the last one written; counting down keeps their order.
  const bool read = Query(
      "SELECT id, \"table\", \"from\", \"to\" FROM pragma_foreign_key_list(?1) "
      "ORDER BY id DESC, seq",
      schema_.tables()[child_index].name,
      [&](sqlite3_stmt* row) {
        KeyPart part{sqlite3_column_int(row, 0), ColumnText(row, 1), ColumnText(row, 2), {}};
        if (sqlite3_column_type(row, 3) != SQLITE_NULL) part.to = ColumnText(row, 3);
        parts.push_back(std::move(part));
        return true;
      },
      true);
  if (!read) return false;

  std::unordered_set<std::size_t> masters;
  for (std::size_t first = 0; first < parts.size();) {
    std::size_t end = first;
    while (end < parts.size() && parts[end].id == parts[first].id) ++end;
    std::vector<std::string> from_names;
    for (std::size_t i = first; i < end; ++i) from_names.push_back(parts[i].from);
    const std::string& parent_name = parts[first].parent;
    ImportedSchema::Link key{schema_.FindTable(parent_name).value_or(0), child_index, {}, {}};
    std::string why = schema_.LinkProblem(child_index, parent_name);
    if (why.empty()) why = ResolveKeyColumns(key, std::span(parts).subspan(first, end - first));
    if (why.empty()) {
      schema_.AddLink(std::move(key), from_names, masters);
      first = end;
      continue;
    }
    // A key the form cannot show as a relationship (to its own table, say) can still be a
    // lookup of the table it refers to.
    bool lookup = false;
    if (const auto master = schema_.FindTable(parent_name)) {
      ImportedSchema::Link target{*master, child_index, {}, {}};
      lookup = ResolveKeyColumns(target, std::span(parts).subspan(first, end - first)).empty() &&
               schema_.MakeLookup(target);
    }
    schema_.KeepAsPlainColumns(child_index, from_names, parent_name, why, lookup);
    first = end;
  }
  return true;
}

std::string SchemaImport::ResolveKeyColumns(ImportedSchema::Link& key,
                                            std::span<const KeyPart> parts) {
  const Table& detail = schema_.tables()[key.detail];
  const Table& master = schema_.tables()[key.master];
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

}  // namespace

SqliteSchemaReader::Outcome SqliteSchemaReader::Read(const std::string& path,
                                                     const SchemaImportOptions& options) const {
  return SchemaImport(path, options).Run();
}

}  // namespace tavik::import
