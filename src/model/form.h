// The model as read for one run: relationships, entities and valid-value lists.
#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/status.h"
#include "model/entity.h"
#include "model/nx_property_set.h"
#include "model/relation_desc.h"
#include "model/string_hash_map.h"

namespace tavik {

struct EntityRecord {
  std::uint16_t id;
  std::unique_ptr<CEntity> entity;
};

class CForm {
 public:
  // Why the model could not be read: a relation (ReadOneRelation), an entity (ReadOneEntity,
  // AddEntity) or a valid-value list (AddValidValueList).
  enum ReadFault : Status {
    kNoRuleName = 2,
    kEntityInitFailed = 4,
    kNoRelationProperties = 5,
    kEntityPropertiesFailed = 5,
    kNoEntity = 5,
    kNoRelationAttributes = 6,
    kEntityAttributesFailed = 7,
    kNoEntityPhysicalName = 8,
    kNoEntityId = 9,
  };

  CForm() = default;
  virtual ~CForm();
  CForm(const CForm&) = delete;
  CForm& operator=(const CForm&) = delete;

  [[nodiscard]] virtual Status Init() { return kOk; }
  virtual std::unique_ptr<CEntity> AllocateEntity();

  // Reading the model through the BR_ functions; each failure is shown and returned.
  [[nodiscard]] Status ReadRelations();
  [[nodiscard]] Status ReadEntities();
  [[nodiscard]] Status BuildParentChildLists();

  std::vector<std::unique_ptr<CRelationDesc>>& GetRelationList() { return relations_; }
  std::list<EntityRecord>& GetEntityMap() { return entities_; }
  // Replaces the entity of a record with that id, else appends a record; 5 for no entity.
  [[nodiscard]] Status AddEntity(std::uint16_t id, std::unique_ptr<CEntity> entity);
  CEntity* GetEntity(std::uint16_t id) const;
  // Removes the record of an entity (destroying it).
  void RemoveEntity(const CEntity* entity);

  [[nodiscard]] Status AddValidValueList(std::string_view rule_name,
                                         std::unique_ptr<CNxPropertySet> set);
  bool HasValidValueList(std::string_view rule_name) const;
  CNxPropertySection* GetValidValueList(std::string_view rule_name) const;
  StringHashMap<std::unique_ptr<CNxPropertySet>>& GetValidValueLists() { return valid_values_; }

 private:
  [[nodiscard]] Status ReadOneRelation(std::uint32_t attribute_list, std::uint32_t property_list);
  [[nodiscard]] Status ReadOneEntity(std::uint32_t attribute_list, std::uint32_t property_list);

  std::vector<std::unique_ptr<CRelationDesc>> relations_;
  std::list<EntityRecord> entities_;
  std::unordered_map<std::uint16_t, std::list<EntityRecord>::iterator> entity_index_;
  StringHashMap<std::unique_ptr<CNxPropertySet>> valid_values_;
  std::int32_t entity_counter_ = 0;
};

}  // namespace tavik
