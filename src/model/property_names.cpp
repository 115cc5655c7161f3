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

// Callers mostly give the same few hundred names, from literals, shared copies, loaded
// models and temporaries alike. A thread's recent answers, found by a cheap mix of the
// name's length and its first and last bytes, save the full hash and the lock; the text is
// compared all the same, since two names may mix alike.
class RecentNames {
 public:
  const std::string* Find(std::string_view name) const {
    const std::string* shared = slots_[SlotOf(name)];
    if (shared == nullptr) return nullptr;
    // Most callers hand back a shared copy itself, which needs no comparison of text.
    if (shared->data() == name.data() && shared->size() == name.size()) return shared;
    return *shared == name ? shared : nullptr;
  }
  void Remember(std::string_view name, const std::string& shared) {
    slots_[SlotOf(name)] = &shared;
  }

 private:
  static constexpr int kSlotBits = 10;

  template <typename Word>
  static std::uint64_t Load(const char* at) {
    Word word = 0;
    std::memcpy(&word, at, sizeof(word));
    return word;
  }

  // Up to eight bytes from each end, which between them cover a name of up to sixteen.
  static std::size_t SlotOf(std::string_view name) {
    const char* at = name.data();
    const std::size_t size = name.size();
    std::uint64_t head = 0;
    std::uint64_t tail = 0;
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
    std::uint64_t mix = (head * 0x9E3779B97F4A7C15ULL) ^ (tail * 0xC2B2AE3D27D4EB4FULL) ^ size;
    mix ^= mix >> 29;
    mix *= 0xBF58476D1CE4E5B9ULL;
    return static_cast<std::size_t>(mix >> (64 - kSlotBits));
  }

  std::array<const std::string*, std::size_t{1} << kSlotBits> slots_{};
};

}  // namespace

const std::string& PropertyNames::Intern(std::string_view name) {
  thread_local RecentNames recent;
  if (const std::string* known = recent.Find(name)) return *known;
  NameSet& set = Names();
  std::lock_guard lock(set.mutex);
  auto found = set.names.find(name);
  if (found == set.names.end()) found = set.names.emplace(name).first;
  recent.Remember(name, *found);
  return *found;
}

}  // namespace tavik
