// A fingerprint of text handed over in pieces, the same however the text is cut.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tavik {

// What a file was given is fingerprinted as it is written and again as it is read back: a
// disk that loses or changes bytes without reporting it gives a different fingerprint. The
// text is taken 64 bytes at a time into eight lanes, each word of it added to one lane and
// the product of its halves, mixed with a key, to the next: 32-bit products the compiler
// makes four or eight at once, so a form of many megabytes costs little beside its writing.
// The key moves on with each stripe of 64 bytes and the lanes are scrambled after every
// kilobyte, so bytes moved to another place count too. The pieces are joined first, so the
// cuts of the writer and of the reader, which differ, do not count.
class TextDigest {
 public:
  // Eight lanes of eight bytes take a stripe of the text; the lanes are scrambled after a
  // block of stripes.
  static constexpr std::size_t kLanes = 8;
  static constexpr std::size_t kStripe = kLanes * 8;
  static constexpr std::size_t kStripesPerBlock = 16;

  void Add(std::string_view text);
  // The fingerprint of all the text added, with its length.
  std::uint64_t Value() const;
  std::uint64_t Size() const { return size_; }

 private:
  void MixStripes(const unsigned char* stripes, std::size_t count);

  std::uint64_t lanes_[kLanes] = {0x9E3779B97F4A7C15u, 0xC2B2AE3D27D4EB4Fu, 0x165667B19E3779F9u,
                                  0x27D4EB2F165667C5u, 0x85EBCA77C2B2AE63u, 0xFF51AFD7ED558CCDu,
                                  0xC4CEB9FE1A85EC53u, 0x94D049BB133111EBu};
  std::size_t stripe_in_block_ = 0;
  std::uint64_t size_ = 0;
  unsigned char pending_[kStripe] = {};
  std::size_t pending_size_ = 0;
};

bool operator==(const TextDigest& left, const TextDigest& right);

}  // namespace tavik
