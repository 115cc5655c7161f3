// Property sections: ordered properties, their ids and their name dictionary.
#include "model/nx_property_section.h"

#include <iterator>

#include "model/property_names.h"

namespace tavik {

namespace {
constexpr std::string_view kDictionaryName = CNxPropertySection::kStandardEntryName;
constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

// A name is mostly given right after its property was added at either end, which holds the
// shared copy already; that saves a look-up in the process's set of names.
const std::string& SharedName(const std::vector<CNxProperty>& properties, std::int32_t id,
                              std::string_view name) {
  if (!properties.empty()) {
    for (const CNxProperty* added : {&properties.front(), &properties.back()}) {
      if (added->GetId() == id &&
          (added->GetName().data() == name.data() || added->GetName() == name)) {
        return added->GetName();
      }
    }
  }
  return PropertyNames::Intern(name);
}

// An index holds the standard entry under the name's shared copy, so that a look-up by that
// name finds it there.
const std::string& StandardEntryName() {
  return PropertyNames::Intern(kDictionaryName);
}
}  // namespace

// The first property of an id is the one lookups find, as a walk of the list would.
std::size_t CNxPropertySection::PositionOf(std::int32_t id) const {
  if (index_) {
    auto found = index_->first_by_id.find(id);
    return found == index_->first_by_id.end() ? kNotFound : found->second;
  }
  for (std::size_t position = 0; position < properties_.size(); ++position) {
    if (properties_[position].GetId() == id) return position;
  }
  return kNotFound;
}

const CNxProperty* CNxPropertySection::GetProperty(std::int32_t id) const {
  std::size_t position = PositionOf(id);
  return position == kNotFound ? nullptr : &properties_[position];
}

CNxProperty* CNxPropertySection::GetProperty(std::int32_t id) {
  std::size_t position = PositionOf(id);
  return position == kNotFound ? nullptr : &properties_[position];
}

// The query is interned as names are (callers look up the same few hundred names, which the
// thread's recent names give back without a hash), then found as a shared name is.
const CNxProperty* CNxPropertySection::GetProperty(std::string_view name) const {
  return const_cast<CNxPropertySection*>(this)->GetProperty(name);
}

CNxProperty* CNxPropertySection::GetProperty(std::string_view name) {
  return GetPropertyOfSharedName(PropertyNames::Intern(name));
}

CNxProperty* CNxPropertySection::SearchPropertyOfSharedName(const std::string& shared_name) {
  if (!index_ && dictionary_.empty()) return SearchNamedPrefix(shared_name);
  std::int32_t id = NewestIdOfShared(shared_name);
  return id < 0 ? nullptr : GetProperty(id);
}

// The walk back to the name and the walk forward to its id's first property together pass
// each property at most once.
CNxProperty* CNxPropertySection::SearchNamedPrefix(const std::string& shared_name) {
  std::size_t named = named_prefix_;
  while (named > 0 && &properties_[named - 1].GetName() != &shared_name) --named;
  if (named == 0) {
    if (!standard_entry_ || shared_name != kDictionaryName) return nullptr;
    return GetProperty(0);
  }
  const std::int32_t id = properties_[named - 1].GetId();
  std::size_t first = 0;
  while (properties_[first].GetId() != id) ++first;
  return &properties_[first];
}

// The query is interned as names are: callers look up the same few hundred names, which the
// thread's recent names give back without a hash.
std::int32_t CNxPropertySection::NewestIdOf(std::string_view name) const {
  return NewestIdOfShared(PropertyNames::Intern(name));
}

// Every stored name is a shared copy, so comparing addresses compares the names.
std::int32_t CNxPropertySection::NewestIdOfShared(const std::string& shared_name) const {
  if (index_) {
    auto found = index_->newest_id_by_name.find(&shared_name);
    return found == index_->newest_id_by_name.end() ? -1 : found->second;
  }
  if ((given_name_bits_ & PropertyNames::BitOf(shared_name)) == 0) {
    return standard_entry_ && shared_name == kDictionaryName ? 0 : -1;
  }
  for (auto entry = dictionary_.rbegin(); entry != dictionary_.rend(); ++entry) {
    if (entry->name == &shared_name) return entry->id;
  }
  for (std::size_t position = named_prefix_; position > 0; --position) {
    const CNxProperty& named = properties_[position - 1];
    if (&named.GetName() == &shared_name) return named.GetId();
  }
  return standard_entry_ && shared_name == kDictionaryName ? 0 : -1;
}

void CNxPropertySection::AddProperty(CNxProperty property, Position position) {
  if (position == Position::kFront) {
    StoreNamedPrefix();
    properties_.insert(properties_.begin(), std::move(property));
    if (index_) IndexIds();
  } else {
    properties_.push_back(std::move(property));
    if (index_) index_->first_by_id.try_emplace(properties_.back().GetId(), properties_.size() - 1);
  }
  IndexWhenLarge();
}

void CNxPropertySection::AddNamedProperty(CNxProperty property) {
  if (!NamingAtEndExtendsPrefix()) {
    const std::int32_t id = property.GetId();
    const std::string& name = property.GetName();
    AddProperty(std::move(property), Position::kEnd);
    SetPropertyName(id, name);
    return;
  }
  properties_.push_back(std::move(property));
  NameNewestInPrefix();
}

void CNxPropertySection::AddNamedPropertyOutOfPrefix(std::int32_t id, Value&& value,
                                                     const std::string& shared_name) {
  if (!NamingAtEndExtendsPrefix()) {
    AddNamedProperty(CNxProperty(id, std::move(value), &shared_name));
    return;
  }
  properties_.emplace_back(id, std::move(value), &shared_name);
  NameNewestInPrefix();
}

void CNxPropertySection::NameNewestInPrefix() {
  const CNxProperty& newest = properties_.back();
  const std::int32_t id = newest.GetId();
  if (!standard_entry_ && named_prefix_ == 0 && id != 0) {
    standard_entry_ = true;
    if (index_) index_->newest_id_by_name[&StandardEntryName()] = 0;
  }
  ++named_prefix_;
  given_name_bits_ |= PropertyNames::BitOf(newest.GetName());
  if (index_) {
    index_->first_by_id.try_emplace(id, properties_.size() - 1);
    index_->newest_id_by_name[&newest.GetName()] = id;
  }
  IndexWhenLarge();
}

void CNxPropertySection::Reserve(std::size_t count) {
  properties_.reserve(count);
}

void CNxPropertySection::SetPropertyName(std::int32_t id, std::string_view name) {
  if (!standard_entry_ && DictionarySize() == 0 && id != 0) {
    standard_entry_ = true;
    if (index_) index_->newest_id_by_name[&StandardEntryName()] = 0;
  }
  if (ExtendsNamedPrefix(id, name)) {
    ++named_prefix_;
    given_name_bits_ |= PropertyNames::BitOf(properties_.back().GetName());
    if (index_) index_->newest_id_by_name[&properties_[named_prefix_ - 1].GetName()] = id;
  } else {
    StoreNamedPrefix();
    const std::string& shared = SharedName(properties_, id, name);
    if (index_) index_->newest_id_by_name[&shared] = id;
    given_name_bits_ |= PropertyNames::BitOf(shared);
    dictionary_.push_back({id, &shared});
  }
  IndexWhenLarge();
}

bool CNxPropertySection::ExtendsNamedPrefix(std::int32_t id, std::string_view name) const {
  if (!dictionary_.empty() || named_prefix_ + 1 != properties_.size()) return false;
  const CNxProperty& newest = properties_.back();
  return newest.GetId() == id && newest.GetName() == name;
}

void CNxPropertySection::StoreNamedPrefix() {
  if (named_prefix_ == 0) return;
  std::vector<NamedId> stored;
  stored.reserve(named_prefix_ + dictionary_.size());
  for (std::size_t position = 0; position < named_prefix_; ++position) {
    stored.push_back({properties_[position].GetId(), &properties_[position].GetName()});
  }
  stored.insert(stored.end(), dictionary_.begin(), dictionary_.end());
  dictionary_ = std::move(stored);
  named_prefix_ = 0;
}

void CNxPropertySection::RemoveProperty(std::int32_t id) {
  std::size_t position = PositionOf(id);
  if (position == kNotFound) return;
  StoreNamedPrefix();
  properties_.erase(std::next(properties_.begin(), static_cast<std::ptrdiff_t>(position)));
  if (index_) IndexIds();
}

void CNxPropertySection::RemoveProperty(std::string_view name) {
  std::int32_t id = NewestIdOf(name);
  if (id >= 0) RemoveProperty(id);
}

void CNxPropertySection::RemoveAll() {
  StoreNamedPrefix();
  properties_.clear();
  if (index_) index_->first_by_id.clear();
}

// The kept property moves into a list of its own, so the room of the others goes with them.
bool CNxPropertySection::KeepOnlyProperty(const CNxProperty* kept) {
  const bool keeps = kept != nullptr;
  std::vector<CNxProperty> properties;
  if (keeps) {
    properties.reserve(1);
    properties.push_back(
        std::move(properties_[static_cast<std::size_t>(kept - properties_.data())]));
  }
  properties_ = std::move(properties);
  dictionary_ = {};
  index_.reset();
  named_prefix_ = properties_.size();
  standard_entry_ = keeps && properties_.front().GetId() != 0;
  given_name_bits_ = keeps ? PropertyNames::BitOf(properties_.front().GetName()) : 0;
  return keeps;
}

void CNxPropertySection::RemoveNames(std::int32_t id) {
  if (id == 0) standard_entry_ = false;
  StoreNamedPrefix();
  std::erase_if(dictionary_, [id](const NamedId& entry) { return entry.id == id; });
  if (index_) IndexNames();
}

void CNxPropertySection::RemoveNames(std::string_view name) {
  RemoveNamesOfSharedName(PropertyNames::Intern(name));
}

void CNxPropertySection::RemoveNamesOfSharedName(const std::string& shared_name) {
  if (NewestIdOfShared(shared_name) < 0) return;
  if (shared_name == kDictionaryName) standard_entry_ = false;
  StoreNamedPrefix();
  std::erase_if(dictionary_,
                [&shared_name](const NamedId& entry) { return entry.name == &shared_name; });
  if (index_) IndexNames();
}

void CNxPropertySection::IndexWhenLarge() {
  if (index_ || properties_.size() + DictionarySize() <= kIndexedSize) return;
  index_ = std::make_unique<Index>();
  IndexIds();
  IndexNames();
}

void CNxPropertySection::IndexIds() {
  index_->first_by_id.clear();
  for (std::size_t position = 0; position < properties_.size(); ++position) {
    index_->first_by_id.try_emplace(properties_[position].GetId(), position);
  }
}

void CNxPropertySection::IndexNames() {
  index_->newest_id_by_name.clear();
  if (standard_entry_) index_->newest_id_by_name[&StandardEntryName()] = 0;
  for (std::size_t position = 0; position < named_prefix_; ++position) {
    index_->newest_id_by_name[&properties_[position].GetName()] = properties_[position].GetId();
  }
  for (const auto& entry : dictionary_) index_->newest_id_by_name[entry.name] = entry.id;
}

std::vector<CNxPropertySection::DictionaryEntry> CNxPropertySection::GetDictionary() const {
  std::vector<DictionaryEntry> newest_first;
  newest_first.reserve(DictionarySize() + 1);
  for (auto entry = dictionary_.rbegin(); entry != dictionary_.rend(); ++entry) {
    newest_first.push_back({entry->id, *entry->name});
  }
  for (std::size_t position = named_prefix_; position > 0; --position) {
    const CNxProperty& named = properties_[position - 1];
    newest_first.push_back({named.GetId(), named.GetName()});
  }
  if (standard_entry_) newest_first.push_back({0, std::string(kDictionaryName)});
  return newest_first;
}

}  // namespace tavik
