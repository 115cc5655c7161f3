// A fingerprint of text handed over in pieces, the same however the text is cut.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tavik {

// What a file was given is fingerprinted as it is written and again as it is read back: a
// disk that loses or changes bytes without reporting it gives a different fingerprint. The
// text is taken eight bytes at a time, so a form of many megabytes costs little beside its
// writing, and the pieces are joined first, so the cuts of the writer and of the reader,
// which differ, do not count.
class TextDigest {
 public:
  void Add(std::string_view text);
  // The fingerprint of all the text added, with its length.
  std::uint64_t Value() const;
  std::uint64_t Size() const { return size_; }

 private:
  static constexpr std::size_t kLanes = 4;
  static constexpr std::size_t kBlock = kLanes * 8;

  void MixBlock(const unsigned char* block);

  std::uint64_t lanes_[kLanes] = {0x9E3779B97F4A7C15u, 0xC2B2AE3D27D4EB4Fu, 0x165667B19E3779F9u,
                                  0x27D4EB2F165667C5u};
  std::uint64_t size_ = 0;
  unsigned char pending_[kBlock] = {};
  std::size_t pending_size_ = 0;
};

bool operator==(const TextDigest& left, const TextDigest& right);

}  // namespace tavik
