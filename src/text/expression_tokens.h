// The words, names, literals and operators of a short expression or query as a database
// writes them in its column properties.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavik::text {

class ExpressionTokens {
 public:
  enum class Kind : std::uint8_t { kWord, kName, kString, kNumber, kSymbol };
  struct Token {
    Kind kind;
    std::string text;  // a string without its quotes, a [name] without its brackets
  };

  // Strings stand in double or single quotes (a doubled quote is one), names in brackets;
  // "<=", ">=" and "<>" are one symbol. false when a quote or bracket is left open.
  static bool Split(std::string_view text, std::vector<Token>& tokens);

  // The token is the keyword or symbol, ignoring the case of ASCII letters.
  static bool Is(const Token& token, std::string_view word);
};

}  // namespace tavik::text
