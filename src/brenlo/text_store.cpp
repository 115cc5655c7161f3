// The texts of a loaded model, each copied once into blocks that never move.
#include "brenlo/text_store.h"

#include <cstring>

namespace tavik::brenlo {
namespace {

char* CopyEnded(char* at, std::string_view text) {
  if (!text.empty()) std::memcpy(at, text.data(), text.size());
  at[text.size()] = '\0';
  return at;
}

}  // namespace

std::string_view TextStore::KeepInNewBlock(std::string_view text) {
  const std::size_t needed = text.size() + 1;
  if (needed > kBlockSize) {
    // A text longer than a block gets a block of its own; the short texts go on filling
    // the block they were filling, since the order of the blocks does not matter.
    blocks_.push_back(std::make_unique_for_overwrite<char[]>(needed));
    return {CopyEnded(blocks_.back().get(), text), text.size()};
  }
  blocks_.push_back(std::make_unique_for_overwrite<char[]>(kBlockSize));
  free_ = blocks_.back().get();
  room_ = kBlockSize;
  return Keep(text);
}

}  // namespace tavik::brenlo
