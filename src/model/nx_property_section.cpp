// Property sections: ordered properties, their ids and their name dictionary.
#include "model/nx_property_section.h"

#include <algorithm>

namespace tavik {

namespace {
constexpr const char* kDictionaryName = "VB Control Standard Property Set";
}

CNxProperty* CNxPropertySection::GetProperty(std::int32_t id) const {
  auto found = by_id_.find(id);
  return found == by_id_.end() ? nullptr : found->second;
}

CNxProperty* CNxPropertySection::GetProperty(std::string_view name) const {
  std::int32_t id = NewestIdOf(name);
  return id < 0 ? nullptr : GetProperty(id);
}

std::int32_t CNxPropertySection::NewestIdOf(std::string_view name) const {
  auto found = newest_id_by_name_.find(std::string(name));
  return found == newest_id_by_name_.end() ? -1 : found->second;
}

void CNxPropertySection::AddProperty(std::unique_ptr<CNxProperty> property, Position position) {
  // The first property of an id is the one lookups find, as a walk of the list would.
  by_id_.try_emplace(property->GetId(), property.get());
  if (position == Position::kFront) {
    by_id_[property->GetId()] = property.get();
    properties_.insert(properties_.begin(), std::move(property));
  } else {
    properties_.push_back(std::move(property));
  }
}

void CNxPropertySection::SetPropertyName(std::int32_t id, std::string name) {
  if (dictionary_.empty() && id != 0) {
    dictionary_.push_back({0, kDictionaryName});
    newest_id_by_name_[kDictionaryName] = 0;
  }
  newest_id_by_name_[name] = id;
  dictionary_.push_back({id, std::move(name)});
}

void CNxPropertySection::RemoveProperty(std::int32_t id) {
  auto found = std::find_if(properties_.begin(), properties_.end(),
                            [id](const auto& property) { return property->GetId() == id; });
  if (found == properties_.end()) return;
  properties_.erase(found);
  by_id_.erase(id);
  for (const auto& property : properties_) {
    if (property->GetId() == id) {
      by_id_.emplace(id, property.get());
      break;
    }
  }
}

void CNxPropertySection::RemoveProperty(std::string_view name) {
  std::int32_t id = NewestIdOf(name);
  if (id >= 0) RemoveProperty(id);
}

void CNxPropertySection::RemoveAll() {
  properties_.clear();
  by_id_.clear();
}

void CNxPropertySection::RemoveNames(std::int32_t id) {
  std::erase_if(dictionary_, [id](const DictionaryEntry& entry) { return entry.id == id; });
  ReindexNames();
}

void CNxPropertySection::RemoveNames(std::string_view name) {
  if (NewestIdOf(name) < 0) return;
  std::erase_if(dictionary_, [name](const DictionaryEntry& entry) { return entry.name == name; });
  ReindexNames();
}

void CNxPropertySection::ReindexNames() {
  newest_id_by_name_.clear();
  for (const auto& entry : dictionary_) newest_id_by_name_[entry.name] = entry.id;
}

std::vector<CNxPropertySection::DictionaryEntry> CNxPropertySection::GetDictionary() const {
  return {dictionary_.rbegin(), dictionary_.rend()};
}

}  // namespace tavik
