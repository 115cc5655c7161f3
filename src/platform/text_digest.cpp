// Fingerprints of text handed over in pieces.
#include "platform/text_digest.h"

#include <algorithm>
#include <array>
#include <cstring>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define TAVIK_DIGEST_AVX2 1
#endif

namespace tavik {

namespace {

constexpr std::size_t kLanes = TextDigest::kLanes;
constexpr std::size_t kStripe = TextDigest::kStripe;
constexpr std::size_t kStripesPerBlock = TextDigest::kStripesPerBlock;

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

// Odd constants of mixed bits; a stripe takes eight of them, starting one further on than
// the stripe before, and the scramble after a block the last eight.
constexpr std::array<std::uint64_t, 32> kKey = {
    0xBE4BA423396CFEB8u, 0x1CAD21F72C81017Cu, 0xDB979083E96DD4DEu, 0x1F67B3B7A4A44072u,
    0x78E5C0CC4EE679CBu, 0x2172FFCC7DD05A82u, 0x8E2443F7744608B8u, 0x4C263A81E69035E0u,
    0xCB00C391BB52283Cu, 0xA32E531B8B65D088u, 0x4EF90DA297486471u, 0xD8ACDEA946EF1938u,
    0x3F349CE33F76FAA8u, 0x1D4F0BC7C7BBDCF9u, 0x3159B4CD4BE0518Au, 0x647378D9C97E9FC8u,
    0xC3EBD33483ACC5EAu, 0xEB6313FAFFA081C5u, 0x49DAF0B751DD0D17u, 0x9E68D429265516D3u,
    0xFCA1477D58BE162Bu, 0xCE31D07AD1B8F88Fu, 0x280416958F3ACB45u, 0x7E404BBBCAFBD7AFu,
    0xB7E2B8D5F2C8B7E1u, 0x9A4E2C6D8F1B3A57u, 0x5D3C7B1E9F2A4C69u, 0xE1F3A5B7C9D2E4F1u,
    0x3B5D7F91A3C5E7F9u, 0x8D2F4A6C8E1B3D5Fu, 0x6A8C1E3F5B7D9A2Du, 0xF2E4C6A8B1D3F5E7u};
constexpr std::size_t kScrambleKey = 24;
static_assert(kKey.size() >= kScrambleKey + 8);
constexpr std::uint32_t kScrambleMultiplier = 0x9E3779B1u;

// The sums lane by lane, for any processor.
void MixLaneByLane(std::uint64_t* lanes, std::size_t& stripe_in_block, const unsigned char* stripes,
                   std::size_t count) {
  for (; count > 0; --count, stripes += kStripe) {
    const std::uint64_t* key = kKey.data() + stripe_in_block;
    for (std::size_t lane = 0; lane < kLanes; ++lane) {
      const std::uint64_t keyed = WordAt(stripes + lane * 8) ^ key[lane];
      const std::uint64_t product = std::uint64_t{static_cast<std::uint32_t>(keyed)} *
                                    static_cast<std::uint32_t>(keyed >> 32);
      lanes[lane] += WordAt(stripes + (lane ^ 1) * 8) + product;
    }
    if (++stripe_in_block < kStripesPerBlock) continue;
    stripe_in_block = 0;
    for (std::size_t lane = 0; lane < kLanes; ++lane) {
      const std::uint64_t scrambled = lanes[lane] ^ (lanes[lane] >> 47) ^ kKey[kScrambleKey + lane];
      lanes[lane] = scrambled * kScrambleMultiplier;
    }
  }
}

#ifdef TAVIK_DIGEST_AVX2

#define TAVIK_AVX2 __attribute__((target("avx2")))

TAVIK_AVX2 __m256i Load(const void* at) {
  return _mm256_loadu_si256(static_cast<const __m256i*>(at));
}

// Four lanes of a stripe: each word added to its neighbour's lane, and the product of its
// keyed halves to its own.
TAVIK_AVX2 __m256i AddStripeHalf(__m256i sums, __m256i words, __m256i key) {
  const __m256i keyed = _mm256_xor_si256(words, key);
  const __m256i product = _mm256_mul_epu32(keyed, _mm256_srli_epi64(keyed, 32));
  const __m256i neighbours = _mm256_shuffle_epi32(words, _MM_SHUFFLE(1, 0, 3, 2));
  return _mm256_add_epi64(sums, _mm256_add_epi64(neighbours, product));
}

TAVIK_AVX2 __m256i Scrambled(__m256i sums, __m256i key) {
  const __m256i multiplier = _mm256_set1_epi64x(kScrambleMultiplier);
  const __m256i mixed = _mm256_xor_si256(_mm256_xor_si256(sums, _mm256_srli_epi64(sums, 47)), key);
  const __m256i high = _mm256_mul_epu32(_mm256_srli_epi64(mixed, 32), multiplier);
  return _mm256_add_epi64(_mm256_mul_epu32(mixed, multiplier), _mm256_slli_epi64(high, 32));
}

// The same sums four lanes to a register, where the processor has AVX2: the product of a
// word's halves is the one 64-bit multiply it has. A whole block, as nearly all the text is
// taken, goes unrolled with its keys in place, without counting its stripes.
TAVIK_AVX2 void MixFourLanesAtOnce(std::uint64_t* lanes, std::size_t& stripe_in_block,
                                   const unsigned char* stripes, std::size_t count) {
  __m256i low_lanes = Load(lanes);
  __m256i high_lanes = Load(lanes + 4);
  const __m256i low_scramble_key = Load(kKey.data() + kScrambleKey);
  const __m256i high_scramble_key = Load(kKey.data() + kScrambleKey + 4);
  while (count > 0) {
    if (stripe_in_block == 0 && count >= kStripesPerBlock) {
#pragma GCC unroll 8
      for (std::size_t stripe = 0; stripe < kStripesPerBlock; ++stripe) {
        const unsigned char* words = stripes + stripe * kStripe;
        low_lanes = AddStripeHalf(low_lanes, Load(words), Load(kKey.data() + stripe));
        high_lanes = AddStripeHalf(high_lanes, Load(words + 32), Load(kKey.data() + stripe + 4));
      }
      low_lanes = Scrambled(low_lanes, low_scramble_key);
      high_lanes = Scrambled(high_lanes, high_scramble_key);
      stripes += kStripesPerBlock * kStripe;
      count -= kStripesPerBlock;
      continue;
    }
    const std::uint64_t* key = kKey.data() + stripe_in_block;
    low_lanes = AddStripeHalf(low_lanes, Load(stripes), Load(key));
    high_lanes = AddStripeHalf(high_lanes, Load(stripes + 32), Load(key + 4));
    stripes += kStripe;
    --count;
    if (++stripe_in_block < kStripesPerBlock) continue;
    stripe_in_block = 0;
    low_lanes = Scrambled(low_lanes, low_scramble_key);
    high_lanes = Scrambled(high_lanes, high_scramble_key);
  }
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(lanes), low_lanes);
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(lanes + 4), high_lanes);
}

#undef TAVIK_AVX2

#endif

}  // namespace

void TextDigest::MixStripes(const unsigned char* stripes, std::size_t count) {
#ifdef TAVIK_DIGEST_AVX2
  static const bool kHasAvx2 = __builtin_cpu_supports("avx2") != 0;
  if (kHasAvx2) {
    MixFourLanesAtOnce(lanes_, stripe_in_block_, stripes, count);
    return;
  }
#endif
  MixLaneByLane(lanes_, stripe_in_block_, stripes, count);
}

void TextDigest::Add(std::string_view text) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  std::size_t left = text.size();
  size_ += left;
  if (pending_size_ != 0) {
    const std::size_t taken = std::min(left, kStripe - pending_size_);
    std::memcpy(pending_ + pending_size_, bytes, taken);
    pending_size_ += taken;
    bytes += taken;
    left -= taken;
    if (pending_size_ < kStripe) return;
    MixStripes(pending_, 1);
    pending_size_ = 0;
  }
  const std::size_t whole = left / kStripe;
  if (whole > 0) MixStripes(bytes, whole);
  bytes += whole * kStripe;
  left -= whole * kStripe;
  std::memcpy(pending_, bytes, left);
  pending_size_ = left;
}

std::uint64_t TextDigest::Value() const {
  TextDigest last = *this;
  std::memset(last.pending_ + last.pending_size_, 0, sizeof last.pending_ - last.pending_size_);
  last.MixStripes(last.pending_, 1);
  std::uint64_t value = size_;
  for (const std::uint64_t lane : last.lanes_) value = Mixed(value, lane);
  return value;
}

bool operator==(const TextDigest& left, const TextDigest& right) {
  return left.Size() == right.Size() && left.Value() == right.Value();
}

}  // namespace tavik
