// The process-wide set of property names.
#include "model/property_names.h"

#include <array>
#include <cstdint>
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

// Callers mostly give the same few hundred names from the same places: a literal, a
// shared copy, a loaded model's name. A thread's recent answers, found by where the name
// lies, save the hash and the lock; the text is compared all the same, since the memory a
// name lay in may hold another one by now.
class RecentNames {
 public:
  const std::string* Find(std::string_view name) const {
    const Slot& slot = slots_[SlotOf(name.data())];
    if (slot.at != name.data() || slot.shared == nullptr || *slot.shared != name) return nullptr;
    return slot.shared;
  }
  void Remember(std::string_view name, const std::string& shared) {
    slots_[SlotOf(name.data())] = {name.data(), &shared};
  }

 private:
  struct Slot {
    const char* at = nullptr;
    const std::string* shared = nullptr;
  };
  static constexpr std::size_t kSlots = 256;

  static std::size_t SlotOf(const char* at) {
    return (reinterpret_cast<std::uintptr_t>(at) >> 3) % kSlots;
  }

  std::array<Slot, kSlots> slots_{};
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
