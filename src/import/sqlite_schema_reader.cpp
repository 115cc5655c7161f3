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

// A token is a piece of the text it was read from, which outlives it: reading a table's
// text makes no copies of its words.
struct Token {
  enum class Kind : std::uint8_t { kWord, kQuotedName, kString, kNumber, kSymbol };
  Kind kind;
  std::string_view text;  // a string or quoted name without its quotes, doubled quotes kept
  char close = 0;         // the quote that ends a string or quoted name
};

using Tokens = std::vector<Token>;

// The position of the quote that closes the one at at, doubled quotes passed over, or the
// end of the text.
std::size_t ClosingQuote(std::string_view sql, std::size_t at, char close) {
  for (std::size_t i = at + 1; i < sql.size(); ++i) {
    if (sql[i] != close) continue;
    if (close == ']' || i + 1 == sql.size() || sql[i + 1] != close) return i;
    ++i;
  }
  return sql.size();
}

// The token's value: a string's or quoted name's with doubled quotes taken as one.
std::string ValueOf(const Token& token) {
  if (token.close == 0 || token.close == ']') return std::string(token.text);
  std::string value;
  value.reserve(token.text.size());
  for (std::size_t i = 0; i < token.text.size(); ++i) {
    value += token.text[i];
    if (token.text[i] == token.close) ++i;
  }
  return value;
}

bool IsWordChar(char c) {
  return IsUpperAscii(c) || IsLowerAscii(c) || (c >= '0' && c <= '9') || c == '_' || c == '$' ||
         static_cast<unsigned char>(c) >= 0x80;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The character after the one at i, or none.
char Next(std::string_view sql, std::size_t i) {
  return i + 1 < sql.size() ? sql[i + 1] : '\0';
}

Tokens Tokenize(std::string_view sql) {
  Tokens tokens;
  // A token every four characters or so; room for them at once rather than by doubling.
  tokens.reserve(sql.size() / 4);
  std::size_t i = 0;
  while (i < sql.size()) {
    char c = sql[i];
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v') {
      ++i;
    } else if (c == '-' && Next(sql, i) == '-') {
      i = std::min(sql.find('\n', i), sql.size());
    } else if (c == '/' && Next(sql, i) == '*') {
      std::size_t end = sql.find("*/", i + 2);
      i = end == std::string_view::npos ? sql.size() : end + 2;
    } else if (c == '\'' || c == '"' || c == '`' || c == '[') {
      const char close = c == '[' ? ']' : c;
      const std::size_t end = ClosingQuote(sql, i, close);
      tokens.push_back({c == '\'' ? Token::Kind::kString : Token::Kind::kQuotedName,
                        sql.substr(i + 1, end - i - 1), close});
      i = std::min(end + 1, sql.size());
    } else if (IsDigit(c) || (c == '.' && i + 1 < sql.size() && IsDigit(sql[i + 1]))) {
      std::size_t start = i;
      while (i < sql.size() &&
             (IsWordChar(sql[i]) || sql[i] == '.' ||
              ((sql[i] == '+' || sql[i] == '-') && (sql[i - 1] == 'e' || sql[i - 1] == 'E')))) {
        ++i;
      }
      tokens.push_back({Token::Kind::kNumber, sql.substr(start, i - start)});
    } else if (IsWordChar(c)) {
      std::size_t start = i;
      while (i < sql.size() && IsWordChar(sql[i])) ++i;
      tokens.push_back({Token::Kind::kWord, sql.substr(start, i - start)});
    } else if (c == '=' && Next(sql, i) == '=') {
      tokens.push_back({Token::Kind::kSymbol, "="});
      i += 2;
    } else {
      tokens.push_back({Token::Kind::kSymbol, sql.substr(i, 1)});
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
    return ValueOf(token);
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
  if (token.kind == Token::Kind::kNumber) return std::pair(sign + ValueOf(token), at + 1);
  if (token.kind == Token::Kind::kString && sign.empty()) return std::pair(ValueOf(token), at + 1);
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

// Whether the SQL holds the keyword (in capitals) in any case, perhaps inside a longer word,
// a name or a string: a table's text without it surely has no clause it begins.
bool MayHold(std::string_view sql, std::string_view keyword) {
  return std::search(sql.begin(), sql.end(), keyword.begin(), keyword.end(), [](char a, char b) {
           return (IsLowerAscii(a) ? a - 'a' + 'A' : a) == b;
         }) != sql.end();
}

// The value lists of the table's CHECK constraints, in the order they are written.
std::vector<ValueList> CheckedValueLists(std::string_view create_sql) {
  // Most tables have no CHECK at all, and their text need not be read word by word.
  if (!MayHold(create_sql, "CHECK")) return {};
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
    return ValueOf(tokens.front());
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

// One column as SQLite's table information lists it.
struct ColumnRow {
  std::string name;
  std::string type;
  bool not_null = false;
  int key_position = 0;
  bool generated = false;
  std::optional<std::string> default_sql;
};

// What the catalogue says of one table.
struct TableCatalogue {
  std::vector<ColumnRow> columns;
  std::vector<KeyPart> key_parts;           // by key, counting down, then by column
  std::vector<std::string> unique_columns;  // each alone in a unique index of its own
  // The primary key has an index of its own: it is not the rowid (WITHOUT ROWID, or a key
  // that only looks like INTEGER PRIMARY KEY, such as INT or INTEGER ... DESC).
  bool key_has_index = false;
};

struct CloseDatabase {
  void operator()(sqlite3* database) const { sqlite3_close(database); }
};
struct FinalizeStatement {
  void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Database = std::unique_ptr<sqlite3, CloseDatabase>;
using Statement = std::unique_ptr<sqlite3_stmt, FinalizeStatement>;

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
  // The columns, indexes and foreign keys of every table imported, into catalogue_, by
  // a pragma of each table: a table-valued pragma joined to the list of tables prepares the
  // same statement for each table inside, and copies every value it gives besides.
  bool ReadCatalogue();
  bool ReadTableColumns(const std::string& table, TableCatalogue& catalogue);
  bool ReadUniqueIndexes(const std::string& table, TableCatalogue& catalogue);
  bool ReadKeyParts(const std::string& table, TableCatalogue& catalogue);
  bool ReadColumns(Table& table, const TableCatalogue& catalogue);
  // A NOT NULL column's default, which the form writes itself; a default the form cannot
  // compute is told, and the column stays required.
  void TakeDefault(const Table& table, Column& column, std::string_view sql);
  static void MarkRowidAlias(Table& table, const TableCatalogue& catalogue);
  static void MarkUniqueColumns(Table& table, const TableCatalogue& catalogue);
  void ReadForeignKeys(std::size_t child_index, std::span<const KeyPart> parts);
  // Finds the columns of the key's parts in both tables; why it cannot, or empty.
  std::string ResolveKeyColumns(ImportedSchema::Link& key, std::span<const KeyPart> parts);

  // Runs a query whose rows go to on_row; false (and the failure noted) on an error.
  template <class OnRow>
  bool Query(const char* sql, OnRow on_row);
  bool Execute(const char* sql) {
    return Query(sql, [](sqlite3_stmt* /*row*/) {});
  }
  bool DatabaseFailure(int code);
  bool Refuse(std::string message);
  bool Fail(std::int32_t status, std::string message);
  SqliteSchemaReader::Outcome Failed() const { return {status_, {}, error_, {}}; }

  std::string path_;
  const SchemaImportOptions& options_;
  Database database_;
  ImportedSchema schema_;
  std::vector<TableCatalogue> catalogue_;  // by position in schema_.tables()
  // Each table's CREATE TABLE text, by folded name.
  std::unordered_map<std::string, std::string> create_sql_;
  // The folded names of the tables that have indexes: the schema lists one of theirs, or
  // they are WITHOUT ROWID.
  std::unordered_set<std::string> indexed_tables_;
  std::int32_t status_ = BR_LOAD_OK;
  std::string error_;
};

SqliteSchemaReader::Outcome SchemaImport::Run() {
  // Every query reads in one transaction: outside one SQLite takes the file's lock, checks
  // its header and gives the lock back around each statement, a few thousand system calls
  // for a schema of a thousand tables. The schema read is one, whoever writes meanwhile.
  if (!Open() || !Execute("BEGIN") || !ReadSchemaObjects()) return Failed();
  if (std::string why = schema_.ChooseTables(options_); !why.empty()) {
    Refuse(std::move(why));
    return Failed();
  }
  if (!ReadCatalogue() || !Execute("COMMIT")) return Failed();
  for (std::size_t i = 0; i < schema_.tables().size(); ++i) {
    Table& table = schema_.tables()[i];
    if (!ReadColumns(table, catalogue_[i])) return Failed();
    MarkRowidAlias(table, catalogue_[i]);
    MarkUniqueColumns(table, catalogue_[i]);
  }
  for (std::size_t i = 0; i < schema_.tables().size(); ++i) {
    ReadForeignKeys(i, catalogue_[i].key_parts);
  }
  if (std::string why = schema_.Finish(); !why.empty()) {
    Refuse(std::move(why));
    return Failed();
  }
  return SchemaReader::Imported(schema_);
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
  // By default SQLite counts its memory under a lock on every allocation, over a million
  // of them for a schema of a thousand tables; nothing here asks for the count. Set once,
  // before SQLite starts (afterwards the setting is refused, which leaves the default).
  static const bool configured = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0) == SQLITE_OK;
  (void)configured;
  sqlite3* opened = nullptr;
  const int code =
      sqlite3_open_v2(path_.c_str(), &opened, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
  database_.reset(opened);
  if (code != SQLITE_OK) return DatabaseFailure(code);
  sqlite3_busy_timeout(database_.get(), kBusyTimeoutMilliseconds);
  return true;
}

template <class OnRow>
bool SchemaImport::Query(const char* sql, OnRow on_row) {
  sqlite3_stmt* prepared = nullptr;
  int code = sqlite3_prepare_v2(database_.get(), sql, -1, &prepared, nullptr);
  const Statement statement(prepared);
  if (code != SQLITE_OK) return DatabaseFailure(code);
  while ((code = sqlite3_step(prepared)) == SQLITE_ROW) on_row(prepared);
  return code == SQLITE_DONE ? true : DatabaseFailure(code);
}

// A pragma of one table or index, its name quoted as SQL writes a string.
std::string PragmaOf(std::string_view pragma, std::string_view name) {
  std::string sql = fmt::format("PRAGMA main.{}('", pragma);
  for (char c : name) {
    sql += c;
    if (c == '\'') sql += c;
  }
  sql += "')";
  return sql;
}

bool SchemaImport::ReadCatalogue() {
  catalogue_.resize(schema_.tables().size());
  for (std::size_t i = 0; i < schema_.tables().size(); ++i) {
    const std::string& name = schema_.tables()[i].name;
    const std::string folded = FoldedName(name);
    if (!ReadTableColumns(name, catalogue_[i])) return false;
    // A table has indexes only where the schema lists one of it, or it is WITHOUT ROWID
    // (its key is its own index); and a foreign key only where its text says REFERENCES.
    // The others' pragmas are not asked for.
    if (indexed_tables_.contains(folded) && !ReadUniqueIndexes(name, catalogue_[i])) return false;
    if (MayHold(create_sql_[folded], "REFERENCES") && !ReadKeyParts(name, catalogue_[i])) {
      return false;
    }
  }
  return true;
}

// Generated columns are computed by the database and cannot be entered on a form; the hidden
// columns of virtual tables are none of the table's own.
bool SchemaImport::ReadTableColumns(const std::string& table, TableCatalogue& catalogue) {
  enum { kName = 1, kType, kNotNull, kDefault, kKeyPosition, kHidden };
  return Query(PragmaOf("table_xinfo", table).c_str(), [&](sqlite3_stmt* row) {
    const int hidden = sqlite3_column_int(row, kHidden);
    if (hidden == 1) return;
    ColumnRow column{ColumnText(row, kName),
                     ColumnText(row, kType),
                     sqlite3_column_int(row, kNotNull) != 0,
                     sqlite3_column_int(row, kKeyPosition),
                     hidden != 0,
                     {}};
    if (sqlite3_column_type(row, kDefault) != SQLITE_NULL) {
      column.default_sql = ColumnText(row, kDefault);
    }
    catalogue.columns.push_back(std::move(column));
  });
}

// A column that a UNIQUE constraint or a unique index of it alone holds to distinct values
// can name its rows; partial indexes hold only some rows. The primary key's own index says
// the key is not the rowid.
bool SchemaImport::ReadUniqueIndexes(const std::string& table, TableCatalogue& catalogue) {
  enum { kName = 1, kUnique, kOrigin, kPartial };
  std::vector<std::string> unique_indexes;
  const bool listed = Query(PragmaOf("index_list", table).c_str(), [&](sqlite3_stmt* row) {
    const std::string origin = ColumnText(row, kOrigin);
    if (origin == "pk") {
      catalogue.key_has_index = true;
    } else if (sqlite3_column_int(row, kUnique) == 1 && (origin == "u" || origin == "c") &&
               sqlite3_column_int(row, kPartial) == 0) {
      unique_indexes.push_back(ColumnText(row, kName));
    }
  });
  if (!listed) return false;
  for (const std::string& index : unique_indexes) {
    std::vector<std::string> columns;
    const bool read = Query(PragmaOf("index_info", index).c_str(),
                            [&](sqlite3_stmt* row) { columns.push_back(ColumnText(row, 2)); });
    if (!read) return false;
    if (columns.size() == 1) catalogue.unique_columns.push_back(std::move(columns.front()));
  }
  return true;
}

// Foreign keys are numbered from the last one written; counting down keeps their order.
bool SchemaImport::ReadKeyParts(const std::string& table, TableCatalogue& catalogue) {
  enum { kId, kSequence, kParent, kFrom, kTo };
  const bool read = Query(PragmaOf("foreign_key_list", table).c_str(), [&](sqlite3_stmt* row) {
    KeyPart part{
        sqlite3_column_int(row, kId), ColumnText(row, kParent), ColumnText(row, kFrom), {}};
    if (sqlite3_column_type(row, kTo) != SQLITE_NULL) part.to = ColumnText(row, kTo);
    catalogue.key_parts.push_back(std::move(part));
  });
  std::stable_sort(catalogue.key_parts.begin(), catalogue.key_parts.end(),
                   [](const KeyPart& a, const KeyPart& b) { return a.id > b.id; });
  return read;
}

bool SchemaImport::ReadSchemaObjects() {
  std::vector<ImportedSchema::SchemaObject> objects;
  const bool read = Query(
      "SELECT type, name, sql, tbl_name FROM sqlite_schema WHERE type IN ('table', 'view', "
      "'index') ORDER BY rowid",
      [&](sqlite3_stmt* row) {
        ImportedSchema::SchemaObject object{ColumnText(row, 0), ColumnText(row, 1)};
        if (object.type == "index") {
          indexed_tables_.insert(FoldedName(ColumnText(row, 3)));
          return;
        }
        if (FoldedName(object.name).starts_with("sqlite_")) object.type = "internal";
        create_sql_.emplace(FoldedName(object.name), ColumnText(row, 2));
        objects.push_back(std::move(object));
      });
  if (!read) return false;
  // Virtual tables need their module to be read, and their shadow tables are their storage.
  std::unordered_map<std::string, std::string> special_types;
  const bool listed = Query("SELECT name, type, wr FROM pragma_table_list WHERE schema = 'main'",
                            [&](sqlite3_stmt* row) {
                              if (sqlite3_column_int(row, 2) != 0) {
                                indexed_tables_.insert(FoldedName(ColumnText(row, 0)));
                              }
                              const std::string type = ColumnText(row, 1);
                              if (type != "virtual" && type != "shadow") return;
                              special_types.emplace(FoldedName(ColumnText(row, 0)), type);
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

bool SchemaImport::ReadColumns(Table& table, const TableCatalogue& catalogue) {
  table.columns.reserve(catalogue.columns.size());
  for (const ColumnRow& row : catalogue.columns) {
    if (row.generated) {
      schema_.Warn(
          fmt::format("table \"{}\", column \"{}\" is left out: the database computes it (a "
                      "generated column)",
                      table.name, row.name));
      continue;
    }
    // Made in its place: a column has many members to move.
    Column& column = table.columns.emplace_back();
    column.name = row.name;
    column.type = row.type;
    column.key_position = row.key_position;
    column.required = row.not_null || column.key_position > 0;
    if (column.required && row.default_sql) TakeDefault(table, column, *row.default_sql);
  }
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

void SchemaImport::MarkRowidAlias(Table& table, const TableCatalogue& catalogue) {
  Column* key = nullptr;
  for (Column& column : table.columns) {
    if (column.key_position == 0) continue;
    if (key) return;  // a key of several columns
    key = &column;
  }
  if (!key || DeclaredType(key->type).affinity() != DeclaredType::Affinity::kInteger) return;
  // Whether an INTEGER PRIMARY KEY is the rowid depends on more than its declaration (the
  // table may be WITHOUT ROWID, the key declared DESC); SQLite says so by the index it
  // makes for a key that is not the rowid. The database numbers a new row itself when the
  // key is left empty.
  key->filled_by_database = !catalogue.key_has_index;
  if (key->filled_by_database) key->required = false;
}

// The primary key's own index does not count among the unique ones: a key is seldom what a
// user calls a row by.
void SchemaImport::MarkUniqueColumns(Table& table, const TableCatalogue& catalogue) {
  for (const std::string& name : catalogue.unique_columns) {
    if (const auto position = table.ColumnPosition(name)) table.columns[*position].unique = true;
  }
}

void SchemaImport::ReadForeignKeys(std::size_t child_index, std::span<const KeyPart> parts) {
  std::unordered_set<std::size_t> masters;
  for (std::size_t first = 0; first < parts.size();) {
    std::size_t end = first;
    while (end < parts.size() && parts[end].id == parts[first].id) ++end;
    std::vector<std::string> from_names;
    for (std::size_t i = first; i < end; ++i) from_names.push_back(parts[i].from);
    const std::string& parent_name = parts[first].parent;
    ImportedSchema::Link key{schema_.FindTable(parent_name).value_or(0), child_index, {}, {}};
    std::string why = schema_.LinkProblem(child_index, parent_name);
    if (why.empty()) why = ResolveKeyColumns(key, parts.subspan(first, end - first));
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
      lookup = ResolveKeyColumns(target, parts.subspan(first, end - first)).empty() &&
               schema_.MakeLookup(target);
    }
    schema_.KeepAsPlainColumns(child_index, from_names, parent_name, why, lookup);
    first = end;
  }
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

SqliteSchemaReader::Outcome SqliteSchemaReader::ReadSchema(
    const std::string& path, const SchemaImportOptions& options) const {
  return SchemaImport(path, options).Run();
}

}  // namespace tavik::import
