// SQL names: plain identifiers as they are, everything else in brackets.
#include "model/sql_name.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "text/ascii_case.h"

namespace tavik {

namespace {

// The words the data control's database engine reserves in SQL statements, upper case and
// sorted; a column or table of that name must be bracketed.
// clang-format off
constexpr std::array<std::string_view, 304> kReservedWords = {
    "ABSOLUTE", "ACTION", "ADD", "ADMINDB", "ALL", "ALLOCATE", "ALPHANUMERIC", "ALTER", "AND",
    "ANY", "ARE", "AS", "ASC", "ASSERTION", "AT", "AUTHORIZATION", "AUTOINCREMENT", "AVG", "BAND",
    "BEGIN", "BETWEEN", "BINARY", "BIT", "BIT_LENGTH", "BNOT", "BOR", "BOTH", "BXOR", "BY",
    "BYTE", "CASCADE", "CASCADED", "CASE", "CAST", "CATALOG", "CHAR", "CHARACTER",
    "CHARACTER_LENGTH", "CHAR_LENGTH", "CHECK", "CLOSE", "CLUSTERED", "COALESCE", "COLLATE",
    "COLLATION", "COLUMN", "COMMIT", "COMP", "COMPRESSION", "CONNECT", "CONNECTION", "CONSTRAINT",
    "CONSTRAINTS", "CONTAINER", "CONTAINS", "CONTINUE", "CONVERT", "CORRESPONDING", "COUNT",
    "COUNTER", "CREATE", "CREATEDB", "CROSS", "CURRENCY", "CURRENT", "CURRENT_DATE",
    "CURRENT_TIME", "CURRENT_TIMESTAMP", "CURRENT_USER", "CURSOR", "DATABASE", "DATE", "DATETIME",
    "DAY", "DEALLOCATE", "DEC", "DECIMAL", "DECLARE", "DEFAULT", "DEFERRABLE", "DEFERRED",
    "DELETE", "DESC", "DESCRIBE", "DESCRIPTOR", "DIAGNOSTICS", "DISALLOW", "DISCONNECT",
    "DISTINCT", "DISTINCTROW", "DOCUMENT", "DOMAIN", "DOUBLE", "DROP", "ELSE", "END", "EQV",
    "ESCAPE", "EXCEPT", "EXCEPTION", "EXCLUSIVECONNECT", "EXEC", "EXECUTE", "EXISTS", "EXTERNAL",
    "EXTRACT", "FALSE", "FETCH", "FIRST", "FLOAT", "FLOAT4", "FLOAT8", "FOR", "FOREIGN", "FOUND",
    "FROM", "FULL", "GENERAL", "GET", "GLOBAL", "GO", "GOTO", "GRANT", "GROUP", "GUID", "HAVING",
    "HOUR", "IDENTITY", "IEEEDOUBLE", "IEEESINGLE", "IGNORE", "IMAGE", "IMMEDIATE", "IMP", "IN",
    "INDEX", "INDEXCREATEDB", "INDICATOR", "INHERITABLE", "INITIALLY", "INNER", "INPUT",
    "INSENSITIVE", "INSERT", "INT", "INTEGER", "INTEGER1", "INTEGER2", "INTEGER4", "INTERSECT",
    "INTERVAL", "INTO", "IS", "ISOLATION", "JOIN", "KEY", "LANGUAGE", "LAST", "LEADING", "LEFT",
    "LEVEL", "LIKE", "LOCAL", "LOGICAL", "LOGICAL1", "LONG", "LONGBINARY", "LONGCHAR", "LONGTEXT",
    "LOWER", "MATCH", "MAX", "MEMO", "MIN", "MINUTE", "MOD", "MODULE", "MONEY", "MONTH", "NAMES",
    "NATIONAL", "NATURAL", "NCHAR", "NEXT", "NO", "NOT", "NOTE", "NULL", "NULLIF", "NUMBER",
    "NUMERIC", "OBJECT", "OCTET_LENGTH", "OF", "OLEOBJECT", "ON", "ONLY", "OPEN", "OPTION", "OR",
    "ORDER", "OUTER", "OUTPUT", "OVERLAPS", "OWNERACCESS", "PAD", "PARAMETERS", "PARTIAL",
    "PASSWORD", "PERCENT", "PIVOT", "POSITION", "PRECISION", "PREPARE", "PRESERVE", "PRIMARY",
    "PRIOR", "PRIVILEGES", "PROC", "PROCEDURE", "PUBLIC", "READ", "REAL", "REFERENCES",
    "RELATIVE", "RESTRICT", "REVOKE", "RIGHT", "ROLLBACK", "ROWS", "SCHEMA", "SCROLL", "SECOND",
    "SECTION", "SELECT", "SELECTSCHEMA", "SELECTSECURITY", "SESSION", "SESSION_USER", "SET",
    "SHORT", "SINGLE", "SIZE", "SMALLINT", "SOME", "SPACE", "SQL", "SQLCODE", "SQLERROR",
    "SQLSTATE", "STDEV", "STDEVP", "STRING", "SUBSTRING", "SUM", "SYSTEM_USER", "TABLE",
    "TABLEID", "TEMPORARY", "TEXT", "THEN", "TIME", "TIMESTAMP", "TIMEZONE_HOUR",
    "TIMEZONE_MINUTE", "TO", "TOP", "TRAILING", "TRANSACTION", "TRANSFORM", "TRANSLATE",
    "TRANSLATION", "TRIM", "TRUE", "UNION", "UNIQUE", "UNIQUEIDENTIFIER", "UNKNOWN", "UPDATE",
    "UPDATEIDENTITY", "UPDATEOWNER", "UPDATESECURITY", "UPPER", "USAGE", "USER", "USING", "VALUE",
    "VALUES", "VAR", "VARBINARY", "VARCHAR", "VARP", "VARYING", "VIEW", "WHEN", "WHENEVER",
    "WHERE", "WITH", "WORK", "WRITE", "XOR", "YEAR", "YESNO", "ZONE"};
// clang-format on

constexpr std::size_t kLongestReservedWord = 17;  // CURRENT_TIMESTAMP
static_assert(std::all_of(kReservedWords.begin(), kReservedWords.end(), [](std::string_view word) {
  return word.size() <= kLongestReservedWord;
}));

constexpr std::uint32_t kWordHashStart = 2166136261u;
constexpr std::uint32_t WordHashStep(std::uint32_t hash, char c) {
  return (hash ^ static_cast<unsigned char>(c)) * 16777619u;
}

constexpr std::uint32_t WordHash(std::string_view word) {
  std::uint32_t hash = kWordHashStart;
  for (char c : word) hash = WordHashStep(hash, c);
  return hash;
}

// The reserved words by their hash, each slot the word's place in the list or -1, with
// room enough that a look-up mostly meets one word: every column's name is looked up.
constexpr std::size_t kWordSlots = 1024;
constexpr std::array<std::int16_t, kWordSlots> kReservedSlots = [] {
  std::array<std::int16_t, kWordSlots> slots{};
  slots.fill(-1);
  for (std::size_t word = 0; word < kReservedWords.size(); ++word) {
    std::size_t at = WordHash(kReservedWords[word]) % kWordSlots;
    while (slots[at] >= 0) at = (at + 1) % kWordSlots;
    slots[at] = static_cast<std::int16_t>(word);
  }
  return slots;
}();

bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsIdentifierChar(char c) {
  return IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '_';
}

// Whether the upper-case word of that hash is one of the reserved words.
bool IsReservedFolded(std::string_view folded, std::uint32_t hash) {
  for (std::size_t at = hash % kWordSlots; kReservedSlots[at] >= 0; at = (at + 1) % kWordSlots) {
    if (kReservedWords[static_cast<std::size_t>(kReservedSlots[at])] == folded) return true;
  }
  return false;
}

// Whether the name must be bracketed, told in one pass over it that checks its characters
// and folds and hashes it for the reserved words: every column's name is quoted.
bool NeedsBrackets(std::string_view name) {
  if (name.empty() || !IsAsciiLetter(name.front())) return true;
  const bool may_be_reserved = name.size() <= kLongestReservedWord;
  std::array<char, kLongestReservedWord> upper{};
  std::uint32_t hash = kWordHashStart;
  for (std::size_t at = 0; at < name.size(); ++at) {
    const char c = name[at];
    if (!IsIdentifierChar(c)) return true;
    if (!may_be_reserved) continue;
    upper[at] = text::AsciiUpper(c);
    hash = WordHashStep(hash, upper[at]);
  }
  return may_be_reserved && IsReservedFolded({upper.data(), name.size()}, hash);
}

}  // namespace

bool SqlName::IsReserved(std::string_view word) {
  if (word.size() > kLongestReservedWord) return false;
  std::array<char, kLongestReservedWord> upper{};
  std::transform(word.begin(), word.end(), upper.begin(), text::AsciiUpper);
  const std::string_view folded(upper.data(), word.size());
  return IsReservedFolded(folded, WordHash(folded));
}

std::string SqlName::Quoted(std::string_view name) {
  std::string quoted;
  AppendQuoted(quoted, name);
  return quoted;
}

void SqlName::AppendQuoted(std::string& text, std::string_view name) {
  if (!NeedsBrackets(name)) {
    text += name;
    return;
  }
  text += '[';
  text += name;
  text += ']';
}

}  // namespace tavik
