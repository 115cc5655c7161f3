// Property sets: sections by identifier and the set-level property operations.
#include "model/nx_property_set.h"

#include "model/property_names.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace tavik {

namespace {
// Two words compared instead of a byte-wise comparison: every look-up of a property by
// section and name walks the sections first.
bool SameFormat(const FormatId& one, const FormatId& other) {
  std::array<std::uint64_t, 2> one_words{};
  std::array<std::uint64_t, 2> other_words{};
  std::memcpy(one_words.data(), one.bytes.data(), sizeof(one_words));
  std::memcpy(other_words.data(), other.bytes.data(), sizeof(other_words));
  return ((one_words[0] ^ other_words[0]) | (one_words[1] ^ other_words[1])) == 0;
}
}  // namespace

CNxPropertySection* CNxPropertySet::GetSection(const FormatId& format_id) const {
  for (const auto& section : sections_) {
    if (SameFormat(section->GetFormatID(), format_id)) return section.get();
  }
  return nullptr;
}

CNxPropertySection& CNxPropertySet::AddSection(const FormatId& format_id) {
  if (auto* existing = GetSection(format_id)) return *existing;
  AddSection(std::make_unique<CNxPropertySection>(format_id));
  return *sections_.front();
}

void CNxPropertySet::AddSection(std::unique_ptr<CNxPropertySection> section) {
  sections_.push_front(std::move(section));
  ++section_count_;
}

std::unique_ptr<CNxPropertySection> CNxPropertySet::RemoveSection(const FormatId& format_id) {
  auto found = std::find_if(sections_.begin(), sections_.end(), [&](const auto& section) {
    return section->GetFormatID() == format_id;
  });
  if (found == sections_.end()) return nullptr;
  auto section = std::move(*found);
  sections_.erase(found);
  return section;
}

void CNxPropertySet::KeepOnlySection(const FormatId& format_id) {
  std::erase_if(sections_,
                [&](const auto& section) { return section->GetFormatID() != format_id; });
}

CNxProperty* CNxPropertySet::GetProperty(const FormatId& format_id, std::string_view name) const {
  auto* section = GetSection(format_id);
  return section ? section->GetProperty(name) : nullptr;
}

void CNxPropertySet::AddProperty(const FormatId& format_id, CNxProperty property,
                                 CNxPropertySection::Position position) {
  auto* section = GetSection(format_id);
  if (!section) return;
  if (position == CNxPropertySection::Position::kEnd && !property.GetName().empty()) {
    section->AddNamedProperty(std::move(property));
    return;
  }
  std::int32_t id = property.GetId();
  // The property's name is the process's shared copy, which stays where it is.
  const std::string& name = property.GetName();
  section->AddProperty(std::move(property), position);
  if (!name.empty()) section->SetPropertyName(id, name);
}

void CNxPropertySet::RemoveProperty(const FormatId& format_id, std::int32_t id) {
  auto* section = GetSection(format_id);
  if (!section) return;
  section->RemoveProperty(id);
  section->RemoveNames(id);
}

void CNxPropertySet::RemoveProperty(const FormatId& format_id, std::string_view name) {
  auto* section = GetSection(format_id);
  if (!section) return;
  // Interned once for both steps.
  const std::string& shared_name = PropertyNames::Intern(name);
  if (CNxProperty* named = section->GetPropertyOfSharedName(shared_name)) {
    section->RemoveProperty(named->GetId());
  }
  section->RemoveNamesOfSharedName(shared_name);
}

}  // namespace tavik
