// The model's property groups of one attribute, a section each, kept side by side.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "model/format_id.h"
#include "model/nx_property_section.h"

namespace tavik {

// An attribute has three or four groups, read together and mostly dropped together once its
// controls are made: one block holds them all, instead of a node and a section made apart
// for each of the groups of ten thousand attributes. A section found here stays where it is
// until a section is added or taken out.
class CAttributeGroups {
 public:
  CNxPropertySection* GetSection(const FormatId& format_id);
  const CNxPropertySection* GetSection(const FormatId& format_id) const;
  // The section with that identifier, else a new empty one.
  CNxPropertySection& AddSection(const FormatId& format_id);
  // Room for so many more sections, for a reader that knows how many it will add.
  void Reserve(std::size_t more) { sections_.reserve(sections_.size() + more); }
  // Takes the section out; the caller gets it back (and may drop it).
  std::unique_ptr<CNxPropertySection> RemoveSection(const FormatId& format_id);
  // Drops every section but the one with that identifier, and the room they took.
  void KeepOnlySection(const FormatId& format_id);
  // Drops every section and the room they took.
  void Clear() { std::vector<CNxPropertySection>().swap(sections_); }

 private:
  std::vector<CNxPropertySection> sections_;
};

}  // namespace tavik
