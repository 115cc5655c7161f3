// Fingerprints of text handed over in pieces.
#include "platform/text_digest.h"

#include <algorithm>
#include <cstring>

namespace tavik {

namespace {

std::uint64_t WordAt(const unsigned char* bytes) {
  std::uint64_t word = 0;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

std::uint64_t RotatedLeft(std::uint64_t value, int bits) {
  return (value << bits) | (value >> (64 - bits));
}

std::uint64_t Mixed(std::uint64_t lane, std::uint64_t word) {
  return RotatedLeft(lane ^ (word * 0xC2B2AE3D27D4EB4Fu), 31) * 0x9E3779B185EBCA87u;
}

}  // namespace

void TextDigest::MixBlock(const unsigned char* block) {
  for (std::size_t lane = 0; lane < kLanes; ++lane) {
    lanes_[lane] = Mixed(lanes_[lane], WordAt(block + lane * 8));
  }
}

void TextDigest::Add(std::string_view text) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  std::size_t left = text.size();
  size_ += left;
  if (pending_size_ != 0) {
    const std::size_t taken = std::min(left, kBlock - pending_size_);
    std::memcpy(pending_ + pending_size_, bytes, taken);
    pending_size_ += taken;
    bytes += taken;
    left -= taken;
    if (pending_size_ < kBlock) return;
    MixBlock(pending_);
    pending_size_ = 0;
  }
  for (; left >= kBlock; bytes += kBlock, left -= kBlock) MixBlock(bytes);
  std::memcpy(pending_, bytes, left);
  pending_size_ = left;
}

std::uint64_t TextDigest::Value() const {
  TextDigest last = *this;
  std::memset(last.pending_ + last.pending_size_, 0, sizeof last.pending_ - last.pending_size_);
  last.MixBlock(last.pending_);
  std::uint64_t value = size_;
  for (const std::uint64_t lane : last.lanes_) value = Mixed(value, lane);
  return value;
}

bool operator==(const TextDigest& left, const TextDigest& right) {
  return left.Size() == right.Size() && left.Value() == right.Value();
}

}  // namespace tavik
