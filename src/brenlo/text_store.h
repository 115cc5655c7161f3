// The texts of a loaded model, each copied once into blocks that never move.
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace tavik::brenlo {

// A model of thousands of attributes holds a hundred thousand short texts: kept in large
// blocks they cost neither an allocation each nor a string object each, and the views the
// BR_ functions hand out point straight at them.
class TextStore {
 public:
  TextStore() = default;
  TextStore(const TextStore&) = delete;
  TextStore& operator=(const TextStore&) = delete;

  // A copy of text ended by a zero, valid while the store lives. Inline: it runs for
  // every string of the model.
  std::string_view Keep(std::string_view text) {
    const std::size_t needed = text.size() + 1;
    if (needed > room_) return KeepInNewBlock(text);
    char* kept = free_;
    if (!text.empty()) std::memcpy(kept, text.data(), text.size());
    kept[text.size()] = '\0';
    free_ += needed;
    room_ -= needed;
    return {kept, text.size()};
  }

 private:
  std::string_view KeepInNewBlock(std::string_view text);

  static constexpr std::size_t kBlockSize = std::size_t{64} * 1024;

  std::vector<std::unique_ptr<char[]>> blocks_;
  char* free_ = nullptr;  // where the next text goes in the newest block
  std::size_t room_ = 0;  // the bytes left there
};

}  // namespace tavik::brenlo
