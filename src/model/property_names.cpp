// The process-wide set of property names.
#include "model/property_names.h"

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

}  // namespace

const std::string& PropertyNames::Intern(std::string_view name) {
  NameSet& set = Names();
  std::lock_guard lock(set.mutex);
  auto found = set.names.find(name);
  if (found == set.names.end()) found = set.names.emplace(name).first;
  return *found;
}

}  // namespace tavik
