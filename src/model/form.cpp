// Reading relationships and entities from the model, and linking parents and children.
#include "model/form.h"

#include <fmt/format.h>

#include "model/model_messages.h"
#include "model/property_list_reader.h"
#include "model/sql_name.h"
#include "tavikfw/brenlo.h"

namespace tavik {

CForm::~CForm() = default;

std::unique_ptr<CEntity> CForm::AllocateEntity() {
  return std::make_unique<CEntity>();
}

Status CForm::ReadRelations() {
  std::uint32_t attribute_list = 0;
  std::uint32_t property_list = 0;
  for (int result = BR_GetFirstLink(&attribute_list, &property_list); result == 0;
       result = BR_GetNextLink(&attribute_list, &property_list)) {
    if (Status status = ReadOneRelation(attribute_list, property_list)) {
      ShowModelError("Failure to read Tavik relations; form will not generate");
      return status;
    }
  }
  return kOk;
}

Status CForm::ReadOneRelation(std::uint32_t attribute_list, std::uint32_t property_list) {
  auto relation = std::make_unique<CRelationDesc>();
  int count = PropertyListReader::ForEach(property_list, [&](ModelProperty& property) {
    relation->AddProperty(std::move(property.value), *property.name);
    return true;
  });
  if (count == 0) return kNoRelationProperties;
  std::uint32_t ignored = 0;
  std::uint32_t attribute_id = 0;
  int ids = 0;
  for (int result = BR_GetFirstLinkAttrib(attribute_list, &ignored, &attribute_id); result == 0;
       result = BR_GetNextLinkAttrib(attribute_list, &ignored, &attribute_id)) {
    relation->AddAttrib(static_cast<std::uint16_t>(attribute_id & 0xFFFF));
    ++ids;
  }
  if (ids == 0) return kNoRelationAttributes;
  relations_.push_back(std::move(relation));
  return kOk;
}

Status CForm::ReadEntities() {
  entity_counter_ = 0;
  std::uint32_t attribute_list = 0;
  std::uint32_t property_list = 0;
  for (int result = BR_GetFirstEntity(&attribute_list, &property_list); result == 0;
       result = BR_GetNextEntity(&attribute_list, &property_list)) {
    if (Status status = ReadOneEntity(attribute_list, property_list)) {
      ShowModelError("Failure to read Tavik entities; form will not generate");
      return status;
    }
  }
  return kOk;
}

Status CForm::ReadOneEntity(std::uint32_t attribute_list, std::uint32_t property_list) {
  ++entity_counter_;
  auto entity = AllocateEntity();
  if (!entity) return kNoMemory;
  if (entity->Init(fmt::format("E{}", entity_counter_), this) != kOk) return kEntityInitFailed;
  if (Status status = entity->GetProperties(property_list)) {
    if (status == kNoMemory || status == 5) {
      ShowModelError("Failure to read Tavik Entity properties; form will not generate");
    }
    return kEntityPropertiesFailed;
  }
  entity->AddSelectText("SELECT ");
  if (entity->ReadAttributes(attribute_list) != kOk) return kEntityAttributesFailed;
  std::string select = entity->GetSelectText();
  select.pop_back();  // the comma after the last column, or the blank after SELECT
  auto physical_name = entity->GetProperty("PHYSICAL_NAME");
  if (!physical_name || physical_name->AsString().empty()) return kNoEntityPhysicalName;
  entity->SetSelectText(select + " FROM " + SqlName::Quoted(physical_name->AsString()));
  auto id = entity->GetProperty("ID");
  if (!id) return kNoEntityId;
  return AddEntity(static_cast<std::uint16_t>(id->AsInteger() & 0xFFFF), std::move(entity));
}

Status CForm::AddEntity(std::uint16_t id, std::unique_ptr<CEntity> entity) {
  if (!entity) return kNoEntity;
  if (auto found = entity_index_.find(id); found != entity_index_.end()) {
    found->second->entity = std::move(entity);
    return kOk;
  }
  entities_.push_back({id, std::move(entity)});
  entity_index_.emplace(id, std::prev(entities_.end()));
  return kOk;
}

CEntity* CForm::GetEntity(std::uint16_t id) const {
  auto found = entity_index_.find(id);
  return found == entity_index_.end() ? nullptr : found->second->entity.get();
}

void CForm::RemoveEntity(const CEntity* entity) {
  for (auto record = entities_.begin(); record != entities_.end(); ++record) {
    if (record->entity.get() == entity) {
      entity_index_.erase(record->id);
      entities_.erase(record);
      return;
    }
  }
}

Status CForm::BuildParentChildLists() {
  for (const auto& relation : relations_) {
    auto parent_id = relation->GetProperty("PARENT_ENTITY");
    auto child_id = relation->GetProperty("CHILD_ENTITY");
    if (!parent_id || !child_id) continue;
    CEntity* parent = GetEntity(static_cast<std::uint16_t>(parent_id->AsInteger() & 0xFFFF));
    CEntity* child = GetEntity(static_cast<std::uint16_t>(child_id->AsInteger() & 0xFFFF));
    if (!parent || !child) continue;
    // Both ends and the relation are in hand: neither link can be refused.
    (void)parent->AddChild(child, relation.get());
    (void)child->AddParent(parent, relation.get());
  }
  return kOk;
}

Status CForm::AddValidValueList(std::string_view rule_name, std::unique_ptr<CNxPropertySet> set) {
  if (rule_name.empty() || !set) return kNoRuleName;
  if (!HasValidValueList(rule_name)) valid_values_.Set(std::string(rule_name), std::move(set));
  return kOk;
}

bool CForm::HasValidValueList(std::string_view rule_name) const {
  return valid_values_.Find(rule_name) != nullptr;
}

CNxPropertySection* CForm::GetValidValueList(std::string_view rule_name) const {
  const auto* set = valid_values_.Find(rule_name);
  return set ? (*set)->GetSection(format_ids::kValidValues) : nullptr;
}

}  // namespace tavik
