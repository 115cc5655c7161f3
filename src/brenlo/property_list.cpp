// One list of named properties as the BR_ functions serve it: group by group, in arrival order.
#include "brenlo/property_list.h"

#include <algorithm>
#include <span>

namespace tavik::brenlo {
namespace {

bool SameProperty(const PropertyList::Property& a, const PropertyList::Property& b) {
  return a.is_string == b.is_string && a.number_value == b.number_value &&
         PropertyList::Group(a) == PropertyList::Group(b) &&
         PropertyList::Name(a) == PropertyList::Name(b) &&
         PropertyList::Text(a) == PropertyList::Text(b);
}

}  // namespace

const PropertyList::Property* PropertyList::Find(std::string_view group,
                                                 std::string_view name) const {
  for (const Property& property : std::span(data_, size_)) {
    if (Name(property) == name && Group(property) == group) return &property;
  }
  return nullptr;
}

bool PropertyList::operator==(const PropertyList& other) const {
  return std::equal(data_, data_ + size_, other.data_, other.data_ + other.size_, SameProperty);
}

}  // namespace tavik::brenlo
