// One list of named properties as the BR_ functions serve it: group by group, in arrival order.
#include "brenlo/property_list.h"

#include <algorithm>
#include <utility>

namespace tavik::brenlo {

std::uint32_t PropertyList::AddGroup(const std::string& name) {
  groups_.push_back(&name);
  return static_cast<std::uint32_t>(groups_.size() - 1);
}

void PropertyList::AddString(std::uint32_t group, const std::string& name, std::string_view text) {
  properties_.emplace_back(group, true, 0, &name, text);
}

void PropertyList::AddNumber(std::uint32_t group, const std::string& name, std::int32_t number) {
  properties_.emplace_back(group, false, number, &name, std::string_view());
}

const PropertyList::Property* PropertyList::Find(std::string_view group,
                                                 std::string_view name) const {
  for (const Property& property : properties_) {
    if (*property.name == name && *groups_[property.group] == group) return &property;
  }
  return nullptr;
}

bool PropertyList::operator==(const PropertyList& other) const {
  const auto same_text = [](const std::string* a, const std::string* b) { return *a == *b; };
  return properties_ == other.properties_ &&
         std::equal(groups_.begin(), groups_.end(), other.groups_.begin(), other.groups_.end(),
                    same_text);
}

}  // namespace tavik::brenlo
