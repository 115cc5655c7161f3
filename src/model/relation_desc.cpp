// Relationships: properties and key attribute ids.
#include "model/relation_desc.h"

#include <memory>

namespace tavik {

CRelationDesc::CRelationDesc() {
  properties_.AddSection(format_ids::kRelation);
}

Status CRelationDesc::AddProperty(Value value, std::string_view name) {
  properties_.RemoveProperty(format_ids::kRelation, name);
  properties_.AddProperty(format_ids::kRelation,
                          CNxProperty(next_property_id_++, std::move(value), name),
                          CNxPropertySection::Position::kEnd);
  return kOk;
}

std::optional<Value> CRelationDesc::GetProperty(std::string_view name) const {
  const CNxProperty* property = properties_.GetProperty(format_ids::kRelation, name);
  return property ? property->ToVariant() : std::nullopt;
}

void CRelationDesc::AddAttrib(std::uint16_t attribute_id) {
  if (attribute_id_set_.insert(attribute_id).second) attribute_ids_.push_back(attribute_id);
}

}  // namespace tavik
