// A property set: a list of sections, each named by its format identifier.
#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <optional>
#include <string_view>

#include "model/format_id.h"
#include "model/nx_property_section.h"

namespace tavik {

class CNxPropertySet {
 public:
  CNxPropertySet() = default;
  explicit CNxPropertySet(const FormatId& class_id) : class_id_(class_id) {}

  const FormatId& GetClassId() const { return class_id_; }
  std::uint32_t GetSectionCount() const { return section_count_; }
  const std::list<std::unique_ptr<CNxPropertySection>>& GetSections() const { return sections_; }

  CNxPropertySection* GetSection(const FormatId& format_id) const;
  // The section with that identifier, else a new empty one at the front.
  CNxPropertySection& AddSection(const FormatId& format_id);
  void AddSection(std::unique_ptr<CNxPropertySection> section);
  // Takes the section out; the caller gets it back (and may drop it).
  std::unique_ptr<CNxPropertySection> RemoveSection(const FormatId& format_id);

  CNxProperty* GetProperty(const FormatId& format_id, std::string_view name) const;
  // Drops every section but the one with that identifier.
  void KeepOnlySection(const FormatId& format_id);
  void AddProperty(const FormatId& format_id, CNxProperty property,
                   CNxPropertySection::Position position);
  void RemoveProperty(const FormatId& format_id, std::int32_t id);
  void RemoveProperty(const FormatId& format_id, std::string_view name);

 private:
  FormatId class_id_{};
  std::uint32_t section_count_ = 0;
  std::list<std::unique_ptr<CNxPropertySection>> sections_;
};

}  // namespace tavik
