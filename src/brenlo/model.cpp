// A loaded model: entities, relationships and their property lists, as the BR_ functions serve
// them.
#include "brenlo/model.h"

namespace tavik::brenlo {

std::size_t Model::AddEntity() {
  entities_.push_back({AddPropertyList(), {}});
  return entities_.size() - 1;
}

std::uint32_t Model::AddAttribute(std::size_t entity) {
  const std::uint32_t list = AddPropertyList();
  AttributeLists& attributes = entities_[entity].attributes;
  if (attributes.count == 0) attributes.first = list;
  ++attributes.count;
  return list;
}

std::size_t Model::AddRelationship() {
  relationships_.push_back({AddPropertyList(), {}});
  return relationships_.size() - 1;
}

void Model::AddLinkAttribute(std::size_t relationship, std::uint16_t attribute_id) {
  relationships_[relationship].attribute_ids.push_back(attribute_id);
}

std::uint32_t Model::AddPropertyList() {
  property_lists_.emplace_back();
  return static_cast<std::uint32_t>(property_lists_.size() - 1);
}

}  // namespace tavik::brenlo
