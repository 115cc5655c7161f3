// Control property names interned at their first use.
#include "controls/shared_property_name.h"

#include "model/property_names.h"

namespace tavik {

// Threads that meet the name at once store the same copy: PropertyNames gives one per name.
const std::string& SharedPropertyName::Intern() const {
  const std::string& shared = PropertyNames::Intern(text_);
  shared_.store(&shared, std::memory_order_release);
  return shared;
}

}  // namespace tavik
