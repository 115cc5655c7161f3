// Fingerprints of text handed over in pieces.
#include "platform/text_digest.h"

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

}  // namespace

void TextDigest::Mix(std::uint64_t word) {
  state_ = RotatedLeft(state_ ^ (word * 0xC2B2AE3D27D4EB4Fu), 31) * 0x9E3779B185EBCA87u;
}

void TextDigest::Add(std::string_view text) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  std::size_t left = text.size();
  size_ += left;
  while (pending_size_ != 0 && pending_size_ < sizeof pending_ && left != 0) {
    pending_[pending_size_++] = *bytes++;
    --left;
  }
  if (pending_size_ == sizeof pending_) {
    Mix(WordAt(pending_));
    pending_size_ = 0;
  }
  for (; left >= 8; bytes += 8, left -= 8) Mix(WordAt(bytes));
  std::memcpy(pending_ + pending_size_, bytes, left);
  pending_size_ += left;
}

std::uint64_t TextDigest::Value() const {
  TextDigest last = *this;
  std::memset(last.pending_ + last.pending_size_, 0, sizeof last.pending_ - last.pending_size_);
  last.Mix(WordAt(last.pending_));
  last.Mix(size_);
  return last.state_;
}

bool operator==(const TextDigest& left, const TextDigest& right) {
  return left.Size() == right.Size() && left.Value() == right.Value();
}

}  // namespace tavik
