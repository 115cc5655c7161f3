// Reading property lists through the model access library's bulk read.
#include "model/property_list_reader.h"

#include <array>
#include <cstring>

#include "model/property_names.h"

namespace tavik {

std::span<const BR_PropertyView> PropertyListReader::Read(std::uint32_t property_list) {
  const BR_PropertyView* properties = nullptr;
  std::uint32_t count = 0;
  if (BR_GetPropertyList(property_list, &properties, &count) != 0 || properties == nullptr) {
    return {};
  }
  return {properties, count};
}

// The model hands out one copy of each name for all its properties, so the process's
// shared copy of a name is remembered by the address of the model's. The text is
// compared all the same: a model loaded later may hold another name at that address.
const std::string& PropertyListReader::Name(const BR_PropertyView& property) {
  struct Slot {
    const char* model_copy = nullptr;
    const std::string* shared = nullptr;
  };
  constexpr std::size_t kSlots = 64;
  thread_local std::array<Slot, kSlots> slots;
  const char* name = property.property_name;
  const std::string_view given(name, property.property_name_length);
  const auto address = reinterpret_cast<std::uintptr_t>(name);
  Slot& slot = slots[((address >> 5) ^ (address >> 11)) % kSlots];
  if (slot.model_copy == name && *slot.shared == given) return *slot.shared;
  const std::string& shared = PropertyNames::Intern(given);
  slot = {name, &shared};
  return shared;
}

}  // namespace tavik
