// An attribute's property groups: found, added and dropped by their format identifiers.
#include "model/attribute_groups.h"

#include <cstring>
#include <utility>

namespace tavik {

namespace {
// Compared as a block of known size, which the compiler does in two words: the controls
// look groups up for nearly every property they take from the model.
bool IsFormat(const CNxPropertySection& section, const FormatId& format_id) {
  return std::memcmp(section.GetFormatID().bytes.data(), format_id.bytes.data(),
                     sizeof(format_id.bytes)) == 0;
}
}  // namespace

CNxPropertySection* CAttributeGroups::GetSection(const FormatId& format_id) {
  for (CNxPropertySection& section : sections_) {
    if (IsFormat(section, format_id)) return &section;
  }
  return nullptr;
}

const CNxPropertySection* CAttributeGroups::GetSection(const FormatId& format_id) const {
  for (const CNxPropertySection& section : sections_) {
    if (IsFormat(section, format_id)) return &section;
  }
  return nullptr;
}

CNxPropertySection& CAttributeGroups::AddSection(const FormatId& format_id) {
  if (CNxPropertySection* existing = GetSection(format_id)) return *existing;
  return sections_.emplace_back(format_id);
}

std::unique_ptr<CNxPropertySection> CAttributeGroups::RemoveSection(const FormatId& format_id) {
  CNxPropertySection* found = GetSection(format_id);
  if (!found) return nullptr;
  auto section = std::make_unique<CNxPropertySection>(std::move(*found));
  sections_.erase(sections_.begin() + (found - sections_.data()));
  return section;
}

void CAttributeGroups::KeepOnlySection(const FormatId& format_id) {
  CNxPropertySection* kept = GetSection(format_id);
  if (kept && sections_.size() == 1) return;
  if (!kept) {
    Clear();
    return;
  }
  std::vector<CNxPropertySection> only;
  only.reserve(1);
  only.push_back(std::move(*kept));
  sections_.swap(only);
}

}  // namespace tavik
