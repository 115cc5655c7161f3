// The table and columns of a lookup's row source when it is a plain query of one table.
#include "import/access_lookup_query.h"

#include "text/ascii_case.h"
#include "text/expression_tokens.h"

namespace tavik::import {
namespace {

using text::ExpressionTokens;
using Token = ExpressionTokens::Token;
using Kind = ExpressionTokens::Kind;

// Walks the tokens of the query; every step is false once the query is not a plain one.
class QueryWalk {
 public:
  explicit QueryWalk(const std::vector<Token>& tokens) : tokens_(tokens) {}

  bool Take(std::string_view word) {
    if (at_ >= tokens_.size() || !ExpressionTokens::Is(tokens_[at_], word)) return false;
    ++at_;
    return true;
  }

  std::optional<std::string> Name() {
    if (at_ >= tokens_.size()) return std::nullopt;
    const Token& token = tokens_[at_];
    if (token.kind != Kind::kWord && token.kind != Kind::kName) return std::nullopt;
    ++at_;
    return token.text;
  }

  // A column, perhaps with its table before a dot: the table (or empty) and the column.
  std::optional<std::pair<std::string, std::string>> Column() {
    auto first = Name();
    if (!first) return std::nullopt;
    if (!Take(".")) return std::pair(std::string(), *first);
    auto second = Name();
    if (!second) return std::nullopt;
    return std::pair(*first, *second);
  }

  // The query ends here, or orders its rows (which the lookup does itself).
  bool AtEnd() {
    if (Take("ORDER")) return Take("BY");
    (void)Take(";");  // the closing semicolon may be there or not
    return at_ == tokens_.size();
  }

 private:
  const std::vector<Token>& tokens_;
  std::size_t at_ = 0;
};

}  // namespace

std::optional<AccessLookupQuery> AccessLookupQuery::Parse(std::string_view row_source) {
  std::vector<Token> tokens;
  if (!ExpressionTokens::Split(row_source, tokens) || tokens.empty()) return std::nullopt;
  AccessLookupQuery query;
  QueryWalk walk(tokens);
  if (!walk.Take("SELECT")) {
    auto table = walk.Name();
    if (!table || !walk.AtEnd()) return std::nullopt;
    query.table_ = *table;
    return query;
  }
  if (!walk.Take("DISTINCTROW") && !walk.Take("DISTINCT")) (void)walk.Take("ALL");  // the default
  std::vector<std::string> tables_named;
  do {
    auto column = walk.Column();
    if (!column) return std::nullopt;
    if (!column->first.empty()) tables_named.push_back(column->first);
    query.columns_.push_back(column->second);
  } while (walk.Take(","));
  if (!walk.Take("FROM")) return std::nullopt;
  auto table = walk.Name();
  if (!table || !walk.AtEnd()) return std::nullopt;
  for (const std::string& named : tables_named) {
    if (!text::SameAsciiName(named, *table)) return std::nullopt;
  }
  query.table_ = *table;
  return query;
}

}  // namespace tavik::import
