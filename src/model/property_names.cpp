// The process-wide set of property names.
#include "model/property_names.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <unordered_set>

namespace tavik {
namespace {

struct NameHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view name) const {
    return std::hash<std::string_view>{}(name);
  }
};

struct NameSet {
  std::mutex mutex;
  // Nodes do not move when the set grows, so the references handed out stay valid.
  std::unordered_set<std::string, NameHash, std::equal_to<>> names;
};

NameSet& Names() {
  static NameSet set;
  return set;
}

// A name's length and up to eight bytes from each end. Between them the two words cover a
// name of up to sixteen bytes, so for such names equal keys mean equal names.
struct NameKey {
  std::uint64_t head = 0;
  std::uint64_t tail = 0;
  std::size_t size = 0;

  static constexpr std::size_t kCoveredSize = 16;

  explicit NameKey(std::string_view name) : size(name.size()) {
    const char* at = name.data();
    if (size >= 8) {
      head = Load<std::uint64_t>(at);
      tail = Load<std::uint64_t>(at + size - 8);
    } else if (size >= 4) {
      head = Load<std::uint32_t>(at);
      tail = Load<std::uint32_t>(at + size - 4);
    } else if (size > 0) {
      head = static_cast<unsigned char>(at[0]);
      tail = static_cast<std::uint64_t>(static_cast<unsigned char>(at[size - 1])) << 8 |
             static_cast<unsigned char>(at[size / 2]);
    }
  }

  bool SameWords(const NameKey& other) const {
    return ((head ^ other.head) | (tail ^ other.tail)) == 0;
  }

 private:
  template <typename Word>
  static std::uint64_t Load(const char* at) {
    Word word = 0;
    std::memcpy(&word, at, sizeof(word));
    return word;
  }
};

// Callers mostly give the same few hundred names, from literals, shared copies, loaded
// models and temporaries alike. A thread's recent answers, found by a cheap mix of the
// name's key, save the full hash and the lock; the text is compared all the same (by the
// keys' words for a short name), since two names may mix alike.
class RecentNames {
 public:
  const std::string* Find(std::string_view name) const {
    const NameKey key(name);
    const std::string* shared = slots_[SlotOf(key)];
    if (shared == nullptr || shared->size() != key.size) return nullptr;
    if (key.size <= NameKey::kCoveredSize)
      return key.SameWords(NameKey(*shared)) ? shared : nullptr;
    return std::memcmp(shared->data(), name.data(), key.size) == 0 ? shared : nullptr;
  }
  void Remember(std::string_view name, const std::string& shared) {
    slots_[SlotOf(NameKey(name))] = &shared;
  }

 private:
  static constexpr int kSlotBits = 10;

  static std::size_t SlotOf(const NameKey& key) {
    std::uint64_t mix =
        (key.head * 0x9E3779B97F4A7C15ULL) ^ (key.tail * 0xC2B2AE3D27D4EB4FULL) ^ key.size;
    mix ^= mix >> 29;
    mix *= 0xBF58476D1CE4E5B9ULL;
    return static_cast<std::size_t>(mix >> (64 - kSlotBits));
  }

  std::array<const std::string*, std::size_t{1} << kSlotBits> slots_{};
};

thread_local RecentNames recent_names;

// The look-up in the process's set, under its lock, for a name the thread has not met
// lately; kept apart so that the common path stays short.
[[gnu::noinline]] const std::string& InternShared(std::string_view name) {
  NameSet& set = Names();
  std::lock_guard lock(set.mutex);
  auto found = set.names.find(name);
  if (found == set.names.end()) found = set.names.emplace(name).first;
  recent_names.Remember(name, *found);
  return *found;
}

}  // namespace

const std::string& PropertyNames::Intern(std::string_view name) {
  if (const std::string* known = recent_names.Find(name)) return *known;
  return InternShared(name);
}

}  // namespace tavik
