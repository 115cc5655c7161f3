// The words, names, literals and operators of a short expression or query as a database
// writes them in its column properties.
#include "text/expression_tokens.h"

#include "text/ascii_case.h"

namespace tavik::text {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsWordChar(char c) {
  return IsDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' ||
         static_cast<unsigned char>(c) >= 0x80;
}

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The text up to the closing character, a doubled quote taken as one; the position after
// it, or npos when it is not closed.
std::size_t ReadQuoted(std::string_view text, std::size_t at, char close, std::string& out) {
  for (std::size_t i = at + 1; i < text.size(); ++i) {
    if (text[i] != close) {
      out += text[i];
    } else if (close != ']' && i + 1 < text.size() && text[i + 1] == close) {
      out += close;
      ++i;
    } else {
      return i + 1;
    }
  }
  return std::string_view::npos;
}

std::size_t SpanOf(std::string_view text, std::size_t at, bool (*belongs)(char)) {
  std::size_t end = at;
  while (end < text.size() && belongs(text[end])) ++end;
  return end;
}

bool IsNumberChar(char c) {
  return IsDigit(c) || c == '.';
}

}  // namespace

bool ExpressionTokens::Split(std::string_view text, std::vector<Token>& tokens) {
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (IsSpace(c)) {
      ++i;
    } else if (c == '"' || c == '\'' || c == '[') {
      Token token{c == '[' ? Kind::kName : Kind::kString, {}};
      i = ReadQuoted(text, i, c == '[' ? ']' : c, token.text);
      if (i == std::string_view::npos) return false;
      tokens.push_back(std::move(token));
    } else if (IsDigit(c) || (c == '.' && i + 1 < text.size() && IsDigit(text[i + 1]))) {
      const std::size_t end = SpanOf(text, i, IsNumberChar);
      tokens.push_back({Kind::kNumber, std::string(text.substr(i, end - i))});
      i = end;
    } else if (IsWordChar(c)) {
      const std::size_t end = SpanOf(text, i, IsWordChar);
      tokens.push_back({Kind::kWord, std::string(text.substr(i, end - i))});
      i = end;
    } else {
      const std::string_view pair = text.substr(i, 2);
      const bool two = pair == "<=" || pair == ">=" || pair == "<>";
      tokens.push_back({Kind::kSymbol, std::string(text.substr(i, two ? 2 : 1))});
      i += two ? 2 : 1;
    }
  }
  return true;
}

bool ExpressionTokens::Is(const Token& token, std::string_view word) {
  return (token.kind == Kind::kWord || token.kind == Kind::kSymbol) &&
         SameAsciiName(token.text, word);
}

}  // namespace tavik::text
