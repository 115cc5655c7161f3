// The text of a model file, written member by member as a document's dump(2) writes it.
#include "import/model_text_writer.h"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace tavik::import {

namespace {

// The characters a plain string holds: printable ASCII but the quote and the backslash.
constexpr std::array<bool, 256> kPlain = [] {
  std::array<bool, 256> plain{};
  for (int c = ' '; c <= '~'; ++c) plain[static_cast<std::size_t>(c)] = c != '"' && c != '\\';
  return plain;
}();

}  // namespace

void ModelTextWriter::Start(std::string_view name, char open, bool list) {
  if (!levels_.empty()) Lead(name);
  Put(std::string_view(&open, 1));
  levels_.push_back({list, true});
}

void ModelTextWriter::End(char close) {
  const bool empty = levels_.back().empty;
  levels_.pop_back();
  if (!empty) {
    Put("\n");
    Indent(2 * levels_.size());
  }
  Put(std::string_view(&close, 1));
}

void ModelTextWriter::String(std::string_view text) {
  const bool plain = std::all_of(text.begin(), text.end(),
                                 [](char c) { return kPlain[static_cast<unsigned char>(c)]; });
  if (!plain) {
    Put(nlohmann::ordered_json(text).dump(-1, ' ', false,
                                          nlohmann::ordered_json::error_handler_t::replace));
    return;
  }
  char* at = Room(text.size() + 2);
  *at = '"';
  std::memcpy(at + 1, text.data(), text.size());
  at[text.size() + 1] = '"';
}

void ModelTextWriter::Grow(std::size_t size) {
  // Room the caller reserved is taken whole at once.
  out_.resize(std::max({2 * out_.size(), used_ + size + 4096, out_.capacity()}));
}

}  // namespace tavik::import
