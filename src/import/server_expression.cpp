// What the import reads of the SQL a database server gives back for a CHECK constraint
// or a column's default.
#include "import/server_expression.h"

#include <cstdint>

#include "import/imported_schema.h"

namespace tavik::import {
namespace {

struct Token {
  enum class Kind : std::uint8_t { kWord, kName, kString, kNumber, kSymbol };
  Kind kind;
  std::string text;  // a string's or quoted name's value without its quotes
};

bool IsWordChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '$' || static_cast<unsigned char>(c) >= 0x80;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The quoted text from at, a doubled quote taken as one (and, in MariaDB's strings, a
// backslash escaping the next character); the position after the closing quote.
std::size_t ReadQuoted(std::string_view sql, std::size_t at, std::string& text) {
  const char quote = sql[at];
  for (std::size_t i = at + 1; i < sql.size(); ++i) {
    if (quote == '\'' && sql[i] == '\\' && i + 1 < sql.size()) {
      text += sql[++i];
    } else if (sql[i] != quote) {
      text += sql[i];
    } else if (i + 1 < sql.size() && sql[i + 1] == quote) {
      text += quote;
      ++i;
    } else {
      return i + 1;
    }
  }
  return sql.size();
}

// The tokens, with casts ("::character varying", "::text[]") and parentheses left out:
// the expressions read here mean the same without them.
std::vector<Token> Tokens(std::string_view sql) {
  std::vector<Token> tokens;
  bool in_cast = false;
  for (std::size_t i = 0; i < sql.size();) {
    const char c = sql[i];
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      ++i;
    } else if (c == '\'' || c == '"' || c == '`') {
      Token token{c == '\'' ? Token::Kind::kString : Token::Kind::kName, {}};
      i = ReadQuoted(sql, i, token.text);
      in_cast = false;
      tokens.push_back(std::move(token));
    } else if (IsWordChar(c)) {
      const std::size_t start = i;
      while (i < sql.size() && (IsWordChar(sql[i]) || (IsDigit(c) && sql[i] == '.'))) ++i;
      if (in_cast) continue;  // the words of the type cast to
      tokens.push_back({IsDigit(c) ? Token::Kind::kNumber : Token::Kind::kWord,
                        std::string(sql.substr(start, i - start))});
    } else if (sql.substr(i, 2) == "::") {
      in_cast = true;
      i += 2;
    } else {
      // A cast's type ends at a symbol, but an array type's "[]" belongs to it.
      if (in_cast && sql.substr(i, 2) == "[]") {
        i += 2;
        continue;
      }
      in_cast = false;
      if (c != '(' && c != ')') tokens.push_back({Token::Kind::kSymbol, std::string(1, c)});
      ++i;
    }
  }
  return tokens;
}

bool Is(const Token& token, std::string_view word) {
  return (token.kind == Token::Kind::kWord || token.kind == Token::Kind::kSymbol) &&
         SameName(token.text, word);
}

bool IsName(const Token& token) {
  return token.kind == Token::Kind::kWord || token.kind == Token::Kind::kName;
}

// A string or a number, perhaps with a minus sign, at at; the value, and at moved past it.
std::optional<std::string> Literal(const std::vector<Token>& tokens, std::size_t& at) {
  std::string sign;
  if (at < tokens.size() && Is(tokens[at], "-")) {
    sign = "-";
    ++at;
  }
  if (at >= tokens.size()) return std::nullopt;
  const Token& token = tokens[at];
  if (token.kind == Token::Kind::kNumber || (token.kind == Token::Kind::kString && sign.empty())) {
    ++at;
    return sign + token.text;
  }
  return std::nullopt;
}

// literal, literal, ... up to the end or the closing symbol.
bool Literals(const std::vector<Token>& tokens, std::size_t at, std::string_view close,
              std::vector<std::string>& values) {
  while (at < tokens.size() && !Is(tokens[at], close)) {
    std::optional<std::string> value = Literal(tokens, at);
    if (!value) return false;
    values.push_back(std::move(*value));
    if (at < tokens.size() && Is(tokens[at], ",")) ++at;
  }
  return !values.empty() && at + (close.empty() ? 0 : 1) == tokens.size();
}

// col = literal OR col = literal ...
bool OrList(const std::vector<Token>& tokens, ServerExpression::ValueList& list) {
  for (std::size_t at = 0; at < tokens.size();) {
    if (at > 0 && !Is(tokens[at++], "OR")) return false;
    if (at + 2 > tokens.size() || !IsName(tokens[at]) || !Is(tokens[at + 1], "=")) return false;
    if (list.values.empty()) list.column = tokens[at].text;
    if (!SameName(list.column, tokens[at].text)) return false;
    at += 2;
    std::optional<std::string> value = Literal(tokens, at);
    if (!value) return false;
    list.values.push_back(std::move(*value));
  }
  return !list.values.empty();
}

}  // namespace

std::optional<ServerExpression::ValueList> ServerExpression::CheckedValues(std::string_view sql) {
  std::vector<Token> tokens = Tokens(sql);
  if (!tokens.empty() && Is(tokens.front(), "CHECK")) tokens.erase(tokens.begin());
  if (tokens.size() < 3 || !IsName(tokens[0])) return std::nullopt;
  ValueList list{tokens[0].text, {}};
  if (Is(tokens[1], "IN") && Literals(tokens, 2, {}, list.values)) return list;
  if (tokens.size() > 5 && Is(tokens[1], "=") && Is(tokens[2], "ANY") && Is(tokens[3], "ARRAY") &&
      Is(tokens[4], "[") && Literals(tokens, 5, "]", list.values)) {
    return list;
  }
  list.values.clear();
  if (OrList(tokens, list)) return list;
  return std::nullopt;
}

std::optional<std::string> ServerExpression::Default(std::string_view sql) {
  const std::vector<Token> tokens = Tokens(sql);
  std::size_t at = 0;
  if (std::optional<std::string> value = Literal(tokens, at); value && at == tokens.size()) {
    return value;
  }
  if (tokens.size() != 1 || tokens[0].kind != Token::Kind::kWord) return std::nullopt;
  const std::string word = FoldedName(tokens[0].text);
  if (word == "true" || word == "false") return std::string(word == "true" ? "1" : "0");
  if (word == "current_date" || word == "curdate") return "CURRENT_DATE";
  if (word == "current_time" || word == "curtime") return "CURRENT_TIME";
  if (word == "current_timestamp" || word == "now" || word == "localtimestamp") {
    return "CURRENT_TIMESTAMP";
  }
  return std::nullopt;
}

}  // namespace tavik::import
