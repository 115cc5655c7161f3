// Reading property lists through the model access library's bulk read.
#include "model/property_list_reader.h"

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "model/property_names.h"

namespace tavik {

#ifdef _WIN32
namespace {
// Where a property's texts lie in the copies of one list's texts.
struct TextPlaces {
  std::size_t group = 0;
  std::size_t name = 0;
  std::size_t value = 0;
};

std::size_t KeepText(std::string& texts, const char* text) {
  const std::size_t place = texts.size();
  texts.append(text != nullptr ? text : "");
  texts.push_back('\0');
  return place;
}
}  // namespace

// The Windows library is loaded by hosts whose model access library serves the twelve
// functions only, each text perhaps valid until its next call: the list is walked property
// by property and its texts are copied, then handed over as the bulk read hands them.
std::span<const BR_PropertyView> PropertyListReader::Read(std::uint32_t property_list) {
  thread_local std::vector<BR_PropertyView> views;
  thread_local std::vector<TextPlaces> places;
  thread_local std::string texts;
  views.clear();
  places.clear();
  texts.clear();
  std::uint32_t ignored = 0;
  const char* group = nullptr;
  const char* name = nullptr;
  const char* type_code = nullptr;
  std::int32_t number = 0;
  const char* text = nullptr;
  for (bool more = BR_GetFirstProperty(property_list, &ignored, &group, &name, &type_code, &number,
                                       &text) == 0;
       more; more = BR_GetNextProperty(property_list, &ignored, &group, &name, &type_code, &number,
                                       &text) == 0) {
    const bool is_string = type_code != nullptr && type_code[0] == 'S';
    BR_PropertyView view{};
    view.group_name_length = static_cast<std::uint32_t>(group != nullptr ? std::strlen(group) : 0);
    view.property_name_length = static_cast<std::uint32_t>(name != nullptr ? std::strlen(name) : 0);
    view.string_length =
        static_cast<std::uint32_t>(is_string && text != nullptr ? std::strlen(text) : 0);
    view.number_value = is_string ? 0 : number;
    view.is_string = is_string ? 1 : 0;
    views.push_back(view);
    places.push_back({KeepText(texts, group), KeepText(texts, name),
                      KeepText(texts, is_string ? text : nullptr)});
  }
  for (std::size_t at = 0; at < views.size(); ++at) {
    views[at].group_name = texts.data() + places[at].group;
    views[at].property_name = texts.data() + places[at].name;
    views[at].string_value = texts.data() + places[at].value;
  }
  return {views.data(), views.size()};
}
#else
std::span<const BR_PropertyView> PropertyListReader::Read(std::uint32_t property_list) {
  const BR_PropertyView* properties = nullptr;
  std::uint32_t count = 0;
  if (BR_GetPropertyList(property_list, &properties, &count) != 0 || properties == nullptr) {
    return {};
  }
  return {properties, count};
}
#endif

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
  if (slot.model_copy == name && PropertyNames::SameName(*slot.shared, given)) return *slot.shared;
  const std::string& shared = PropertyNames::Intern(given);
  slot = {name, &shared};
  return shared;
}

}  // namespace tavik
