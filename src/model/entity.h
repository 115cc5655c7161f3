// An entity of the model: its properties, its attributes and its related entities.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "model/attribute.h"
#include "model/nx_property_set.h"
#include "model/value.h"

namespace tavik {

class CForm;
class CRelationDesc;
class CEntity;

struct RelatedEntity {
  CEntity* entity;
  CRelationDesc* relation;
};

class CEntity {
 public:
  // Why the entity's properties could not be read (GetProperties).
  enum PropertiesFault : Status { kNoProperties = 2, kNoUniqueName = 3 };
  // Why one attribute could not be read (ReadOneAttribute); the three names follow in turn.
  enum AttributeReadFault : Status {
    kAttributeInitFailed = 4,
    kAttributeGroupsFailed = 6,
    kNoAttributePhysicalName = 7,
    kNoAttributeId = 9,
    kNoRelationIdList = 10,
    kNoDisplayName = 11,
    kNoBaseName = 12,
    kNoRoleName = 13,
    kAttributeNotAdded = 14,
  };
  // Why a link or an attribute could not be added (AddParent, AddChild, AddAttrib).
  enum LinkFault : Status { kNoLinkedEntity = 2, kNoRelation = 3, kNoAttribute = 3 };

  CEntity();
  virtual ~CEntity();
  CEntity(const CEntity&) = delete;
  CEntity& operator=(const CEntity&) = delete;

  [[nodiscard]] virtual Status Init(std::string_view label, CForm* form);
  virtual std::unique_ptr<CAttribute> AllocateAttribute();
  // Reads the entity's properties from the model; the entity name is UNIQUE_PHYS_NAME.
  [[nodiscard]] virtual Status GetProperties(std::uint32_t property_list);
  // Reads the attributes in the model's order, counting those of the list as it goes (those
  // with no properties too, which are not kept).
  [[nodiscard]] virtual Status ReadAttributes(std::uint32_t attribute_list);

  // Never fails: the status is there for the callers that pass it on.
  Status AddProperty(Value value, std::string_view name);
  std::optional<Value> GetProperty(std::string_view name) const;

  [[nodiscard]] Status AddParent(CEntity* entity, CRelationDesc* relation);
  [[nodiscard]] Status AddChild(CEntity* entity, CRelationDesc* relation);
  std::vector<RelatedEntity>& GetParentList() { return parents_; }
  const std::vector<RelatedEntity>& GetParentList() const { return parents_; }
  std::vector<RelatedEntity>& GetChildList() { return children_; }
  std::size_t GetParentCount() const { return parents_.size(); }
  std::size_t GetChildCount() const { return children_.size(); }

  [[nodiscard]] Status AddAttrib(std::uint16_t id, std::unique_ptr<CAttribute> attribute);
  const std::vector<std::unique_ptr<CAttribute>>& GetAttribList() const { return attributes_; }
  CAttribute* GetFirstAttrib(std::uint16_t attribute_id, std::uint16_t relation_id) const;
  CAttribute* GetNextAttrib(std::uint16_t attribute_id, std::uint16_t relation_id,
                            const CAttribute* previous) const;
  CAttribute* GetAttribFromDisplayName(std::string_view name) const;
  CAttribute* GetAttribFromBaseName(std::string_view name) const;

  const std::string& GetEntLabel() const { return label_; }
  const std::string& GetSelectText() const { return select_text_; }
  void AddSelectText(std::string_view text) { select_text_ += text; }
  void SetSelectText(std::string_view text) { select_text_ = text; }
  const std::string& GetEntityName() const { return entity_name_; }
  void SetEntityName(std::string_view name) { entity_name_ = name; }
  // The attributes the model's list held, kept or not.
  std::int32_t GetAttributeCountValue() const { return attribute_count_; }
  CForm* GetForm() const { return form_; }

 protected:
  // Reads one attribute's properties into its groups; skipped groups are those the
  // attribute does not keep. Returns how many properties the list held.
  std::size_t ReadAttributeProperties(CAttribute& attribute, std::uint32_t property_list);
  [[nodiscard]] Status ReadOneAttribute(std::uint32_t property_list);

 private:
  CAttribute* FindAttrib(std::size_t start, std::uint16_t attribute_id,
                         std::uint16_t relation_id) const;

  std::vector<RelatedEntity> parents_;
  std::vector<RelatedEntity> children_;
  CNxPropertySet properties_;
  std::int32_t next_property_id_ = 3;
  std::vector<std::unique_ptr<CAttribute>> attributes_;
  std::string label_;
  std::string select_text_;
  std::string entity_name_;
  std::int32_t attribute_count_ = 0;
  CForm* form_ = nullptr;
};

}  // namespace tavik
