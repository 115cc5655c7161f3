// A rule a field's value keeps, as a database writes it beside the column, made into the
// condition a form checks before it saves the record.
#include "text/value_rule.h"

#include <vector>

#include "text/expression_tokens.h"

namespace tavik::text {
namespace {

using Token = ExpressionTokens::Token;
using Kind = ExpressionTokens::Kind;

// A literal as Visual Basic text, and whether it is a number.
struct Literal {
  std::string code;
  bool number = false;
};

std::string QuotedString(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + '"';
}

// Reads the rule's tokens from the front; every step is nothing once the rule is not one
// the form checks.
class RuleReader {
 public:
  RuleReader(std::vector<Token> tokens, std::string_view value)
      : tokens_(std::move(tokens)), value_(value) {}

  // The condition that holds when the value keeps the rule, and whether an empty value
  // keeps it.
  std::optional<std::pair<std::string, bool>> Holding() {
    if (Take("Not")) {
      if (Take("Null")) return End(std::pair(Text() + " <> \"\"", false));
      auto inner = Holding();
      if (!inner) return std::nullopt;
      return std::pair("Not (" + inner->first + ")", true);
    }
    if (Take("Is")) {
      if (!Take("Not") || !Take("Null")) return std::nullopt;
      return End(std::pair(Text() + " <> \"\"", false));
    }
    if (Take("Between")) return Between();
    if (Take("In")) return InList();
    if (Take("Like")) {
      auto pattern = ReadLiteral();
      if (!pattern || pattern->number) return std::nullopt;
      return End(std::pair(Text() + " Like " + pattern->code, true));
    }
    for (const char* op : {"<=", ">=", "<>", "<", ">", "="}) {
      if (!Take(op)) continue;
      auto literal = ReadLiteral();
      if (!literal) return std::nullopt;
      return End(std::pair(Compared(*literal) + " " + op + " " + literal->code, true));
    }
    return std::nullopt;
  }

 private:
  bool Take(std::string_view word) {
    if (at_ >= tokens_.size() || !ExpressionTokens::Is(tokens_[at_], word)) return false;
    ++at_;
    return true;
  }

  std::optional<std::pair<std::string, bool>> End(std::pair<std::string, bool> holding) const {
    if (at_ != tokens_.size()) return std::nullopt;
    return holding;
  }

  std::optional<Literal> ReadLiteral() {
    const bool negative = Take("-");
    if (!negative) (void)Take("+");  // a plus sign, when written, changes nothing
    if (at_ >= tokens_.size()) return std::nullopt;
    const Token& token = tokens_[at_++];
    if (token.kind == Kind::kNumber) return Literal{(negative ? "-" : "") + token.text, true};
    if (token.kind == Kind::kString && !negative) return Literal{QuotedString(token.text), false};
    return std::nullopt;
  }

  std::string Text() const { return std::string(value_); }
  // The value as a number when it is compared with one.
  std::string Compared(const Literal& literal) const {
    return literal.number ? "Val(" + Text() + ")" : Text();
  }

  std::optional<std::pair<std::string, bool>> Between() {
    auto low = ReadLiteral();
    if (!low || !Take("And")) return std::nullopt;
    auto high = ReadLiteral();
    if (!high || high->number != low->number) return std::nullopt;
    const std::string compared = Compared(*low);
    return End(
        std::pair(compared + " >= " + low->code + " And " + compared + " <= " + high->code, true));
  }

  std::optional<std::pair<std::string, bool>> InList() {
    if (!Take("(")) return std::nullopt;
    std::string holding;
    do {
      auto literal = ReadLiteral();
      if (!literal) return std::nullopt;
      if (!holding.empty()) holding += " Or ";
      holding += Compared(*literal) + " = " + literal->code;
    } while (Take(","));
    if (!Take(")")) return std::nullopt;
    return End(std::pair(holding, true));
  }

  std::vector<Token> tokens_;
  std::string_view value_;
  std::size_t at_ = 0;
};

}  // namespace

std::optional<std::string> ValueRule::BreakingCondition(std::string_view rule,
                                                        std::string_view value) {
  std::vector<Token> tokens;
  if (!ExpressionTokens::Split(rule, tokens) || tokens.empty()) return std::nullopt;
  auto holding = RuleReader(std::move(tokens), value).Holding();
  if (!holding) return std::nullopt;
  const auto& [condition, empty_keeps] = *holding;
  if (condition == std::string(value) + " <> \"\"") return std::string(value) + " = \"\"";
  if (!empty_keeps) return "Not (" + condition + ")";
  return std::string(value) + " <> \"\" And Not (" + condition + ")";
}

}  // namespace tavik::text
