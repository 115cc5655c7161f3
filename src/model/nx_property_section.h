// A section of a property set: properties found by id or by name through its dictionary.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/format_id.h"
#include "model/nx_property.h"
#include "model/property_names.h"

namespace tavik {

class CNxPropertySection {
 public:
  // The name of the entry {0, name} that every named section's dictionary starts with.
  static constexpr std::string_view kStandardEntryName = "VB Control Standard Property Set";

  explicit CNxPropertySection(const FormatId& format_id) : format_id_(format_id) {}

  const FormatId& GetFormatID() const { return format_id_; }
  void SetFormatID(const FormatId& format_id) { format_id_ = format_id; }

  // Properties are held in the list itself: a pointer to one holds until the next property
  // is added or removed. A property keeps its id while in the section (the dictionary may
  // name it by its place in the list).
  const std::vector<CNxProperty>& GetPropertyList() const { return properties_; }
  // The property at that place in the list, for a value to be replaced in place.
  CNxProperty& PropertyAt(std::size_t position) { return properties_[position]; }
  const CNxProperty* GetProperty(std::int32_t id) const;
  CNxProperty* GetProperty(std::int32_t id);
  // The newest dictionary entry of that name gives the id, which gives the property.
  const CNxProperty* GetProperty(std::string_view name) const;
  CNxProperty* GetProperty(std::string_view name);
  // The same, for a name PropertyNames gave: found by comparing the shared copies' addresses.
  // Most look-ups ask for a name the section never gave, which its bit answers here, without
  // a call; an indexed section and the standard entry's name go the long way.
  CNxProperty* GetPropertyOfSharedName(const std::string& shared_name) {
    if (!index_ && (given_name_bits_ & PropertyNames::BitOf(shared_name)) == 0 &&
        shared_name != kStandardEntryName) {
      return nullptr;
    }
    return SearchPropertyOfSharedName(shared_name);
  }

  enum class Position { kFront = 0, kEnd = 1 };
  // Takes the property; the dictionary is not touched.
  void AddProperty(CNxProperty property, Position position);
  // Adds the property at the end and names it by its own name, as AddProperty followed by
  // SetPropertyName would.
  void AddNamedProperty(CNxProperty property);
  // The same, the property made in its place in the list from a name PropertyNames gave.
  // Nearly every add names the newest property of a small section after all those before
  // it, in room the section has, which is done here without a call.
  void AddNamedProperty(std::int32_t id, Value&& value, const std::string& shared_name) {
    if (index_ || !NamingAtEndExtendsPrefix() || 2 * (properties_.size() + 1) > kIndexedSize ||
        properties_.size() == properties_.capacity()) {
      AddNamedPropertyOutOfPrefix(id, std::move(value), shared_name);
      return;
    }
    if (named_prefix_ == 0 && id != 0) standard_entry_ = true;
    properties_.emplace_back(id, std::move(value), &shared_name);
    ++named_prefix_;
    given_name_bits_ |= PropertyNames::BitOf(shared_name);
  }
  // Room for so many properties and names, for a section whose size is known ahead.
  void Reserve(std::size_t count);
  // The first named entry also makes the entry {0, "VB Control Standard Property Set"}.
  void SetPropertyName(std::int32_t id, std::string_view name);
  // Destroys the property; the dictionary is left as it was.
  void RemoveProperty(std::int32_t id);
  void RemoveProperty(std::string_view name);
  void RemoveAll();
  // Takes the dictionary entries of an id, or of a name, out.
  void RemoveNames(std::int32_t id);
  void RemoveNames(std::string_view name);
  void RemoveNamesOfSharedName(const std::string& shared_name);
  // Leaves the section as if made anew with the newest property of a name PropertyNames gave,
  // named by it, and gives back the room of all else; false, the section left empty, when
  // it has no property of that name.
  bool KeepOnlyPropertyOfSharedName(const std::string& shared_name) {
    return KeepOnlyProperty(GetPropertyOfSharedName(shared_name));
  }
  // The same for a property of the section found already (none leaves the section empty).
  bool KeepOnlyProperty(const CNxProperty* kept);

  struct DictionaryEntry {
    std::int32_t id;
    std::string name;
  };
  // Newest first.
  std::vector<DictionaryEntry> GetDictionary() const;

 private:
  // A control's section holds a dozen properties, where a scan costs less time and memory
  // than hash tables; a section that grows past kIndexedSize entries gets this index, so a
  // section of thousands of entries still finds each in constant time.
  struct Index {
    std::unordered_map<std::int32_t, std::size_t> first_by_id;  // the position in the list
    // Keyed by the shared copy of the name (PropertyNames), so a look-up builds no string.
    std::unordered_map<const std::string*, std::int32_t> newest_id_by_name;
  };
  static constexpr std::size_t kIndexedSize = 32;

  std::int32_t NewestIdOf(std::string_view name) const;
  std::int32_t NewestIdOfShared(const std::string& shared_name) const;
  CNxProperty* SearchPropertyOfSharedName(const std::string& shared_name);
  // The same in a section whose dictionary is its named prefix alone, as nearly every one's
  // is: the newest property of the name, then the first of its id, in one walk of the list.
  CNxProperty* SearchNamedPrefix(const std::string& shared_name);
  void AddNamedPropertyOutOfPrefix(std::int32_t id, Value&& value, const std::string& shared_name);
  std::size_t PositionOf(std::int32_t id) const;
  void IndexWhenLarge();
  void IndexIds();
  void IndexNames();
  std::size_t DictionarySize() const { return named_prefix_ + dictionary_.size(); }
  // Whether naming id as name would name the newest property after all those named before.
  bool ExtendsNamedPrefix(std::int32_t id, std::string_view name) const;
  // Stores the entries the named prefix stands for, before a change that breaks it.
  void StoreNamedPrefix();
  // Whether a property added at the end and named by its name extends the named prefix.
  bool NamingAtEndExtendsPrefix() const {
    return dictionary_.empty() && named_prefix_ == properties_.size();
  }
  // Names the property just added at the end as the next of the named prefix.
  void NameNewestInPrefix();

  FormatId format_id_;
  std::vector<CNxProperty> properties_;
  // The standard entry {0, "VB Control Standard Property Set"} that every named section
  // starts with is a flag, not a stored entry: it would be a tenth of a control's memory.
  bool standard_entry_ = false;
  // A bit for each name given in the section, chosen by the shared copy's address: most
  // look-ups ask for a name the section never gave, and a clear bit says so without a scan.
  // Bits are not cleared when names go (a stale bit costs a scan, not a wrong answer).
  std::uint64_t given_name_bits_ = 0;
  // An entry's name is shared with every entry and property of that name (PropertyNames).
  struct NamedId {
    std::int32_t id;
    const std::string* name;
  };
  // Almost every section names each property once, right after adding it, so its
  // dictionary repeats its list: the first named_prefix_ properties stand for the oldest
  // entries instead of stored ones. Only a section whose dictionary departs from its list
  // (a removal, a property added in front, a name given twice) stores the entries.
  std::size_t named_prefix_ = 0;
  std::vector<NamedId> dictionary_;  // oldest first, after the standard entry and the prefix
  std::unique_ptr<Index> index_;
};

}  // namespace tavik
