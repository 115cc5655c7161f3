// An attribute of an entity: its flat properties, its property groups and its names.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "model/attribute_groups.h"
#include "model/format_id.h"
#include "model/value.h"

namespace tavik {

// The edit styles of the model: the kind of control that shows an attribute.
enum class EditStyle : std::int32_t {
  kCheckBox = 0,
  kOptionButtons = 1,
  kComboBox = 2,
  kGrid = 3,  // the whole entity in a grid
  kText = 4,
  kMaskedEdit = 5,
  kMultiLineText = 6,
  kListBox = 7,
  kPicture = 8,
  kGauge = 9,
  kImage = 10,
  kLookup = 11,  // a key of another entity, shown by a column of that entity
  kHighest = kLookup,
};

class CEntity;

struct GROUPDESC {
  std::int32_t id;
  std::string_view name;  // measured once, as every property of the model is checked
  FormatId format_id;
};

class CAttribute {
 public:
  // The property groups an attribute keeps, by the name the model gives them.
  static const GROUPDESC m_group_lookup[];
  // The group ATTRIB_INFO, whose properties are the attribute's own (AddProperty); it is
  // not kept as a group.
  static constexpr std::int32_t kOwnPropertiesGroup = 5;
  // The group FORM_ATTRIB_INFO, whose properties are own properties too, given after
  // ATTRIB_INFO's (AddFormInfoProperty); nor is it kept as a group.
  static constexpr std::int32_t kFormInfoGroup = 9;

  // Why the attribute's groups could not be taken (SetAttribProps) or its relation ids read
  // (BuildRelationIDList).
  enum GroupsFault : Status { kNoEntity = 2, kNoRelationIds = 2, kNoColPropGroup = 4, kNoType = 5 };

  CAttribute() = default;
  virtual ~CAttribute() = default;
  CAttribute(const CAttribute&) = delete;
  CAttribute& operator=(const CAttribute&) = delete;

  [[nodiscard]] virtual Status Init(CEntity* entity);
  // Takes what the attribute needs from its groups after ATTRIB_INFO was read into its own
  // properties.
  [[nodiscard]] virtual Status SetAttribProps();

  // A property of that name already held is replaced. Never fails
  // (before Init the property is not kept): the status is there for callers that pass it on.
  Status AddProperty(Value value, std::string_view name);
  // The same, for a name PropertyNames gave already, which spares the look-up.
  Status AddProperty(Value value, const std::string* shared_name);
  // A FORM_ATTRIB_INFO property, given once all of ATTRIB_INFO's are: what the form's
  // information gives outweighs what SetAttribProps derives from the groups.
  void AddFormInfoProperty(Value value, const std::string* shared_name);
  // Whether the model gave the attribute FORM_ATTRIB_INFO properties.
  bool HasFormInfo() const { return form_info_first_id_ != 0; }
  // Room for so many more own properties, for a caller that knows how many it will add.
  void ReserveOwnProperties(std::size_t more);
  // Gives back the room reserved and not taken, once no more properties are expected.
  void ReleaseSpareRoom() { own_properties_.shrink_to_fit(); }
  std::optional<Value> GetProperty(std::string_view name) const;
  // The own property's value itself, or nullptr: valid until the next property is added.
  const Value* FindProperty(std::string_view name) const;
  // The same for a name PropertyNames gave, which spares comparing the text.
  const Value* FindPropertyOfShared(const std::string& shared_name) const;
  std::optional<Value> GetTvkProperty(const FormatId& group, std::string_view name) const;
  // The group property's value itself, or nullptr: valid until the group changes.
  const Value* FindGroupValue(const FormatId& group, const std::string& shared_name);
  CAttributeGroups& GetTvkProps() { return group_properties_; }
  const CAttributeGroups& GetTvkProps() const { return group_properties_; }
  // The column's default ("CD_DEF" of COL_PROP): the value a new record starts with;
  // CURRENT_DATE, CURRENT_TIME and CURRENT_TIMESTAMP stand for the moment it is saved.
  // Nothing when the column has none.
  std::optional<std::string> GetColumnDefault() const;
  // The database computes the column's default ("CD_DBD"): a new record may leave it empty.
  bool IsDefaultedByDatabase() const;

  static std::int32_t CheckTvkPropGroup(std::string_view group_name);
  static const GROUPDESC* FindTvkPropGroup(std::int32_t id);
  CNxPropertySection& AddTvkGroup(std::int32_t id);
  // Room for so many more groups, for a reader that knows how many it will add.
  void ReserveGroups(std::size_t more) { group_properties_.Reserve(more); }
  // Adds a property read from the model to a group section, numbered like own properties.
  void AddGroupProperty(CNxPropertySection& group, Value value, std::string_view name);
  void AddGroupProperty(CNxPropertySection& group, Value value, const std::string* shared_name);

  // Appends the column's name as the entity's query selects it: the physical name, bracketed
  // when SQL needs it.
  virtual void AppendSqlName(std::string& text) const;

  // Fills the relation id list from REL_COUNT and REL0_ID, REL1_ID, ...; 2 when one is missing.
  [[nodiscard]] Status BuildRelationIDList();
  bool IsPartOfRelation(std::uint16_t relation_id) const;
  std::int32_t GetRelationID(std::size_t index) const;

  CEntity* GetEntity() const { return entity_; }
  bool IsRequired() const { return required_ != 0; }
  void SetRequired(bool required) { required_ = required ? 1 : 0; }
  bool GetIsForeignKey() const { return foreign_key_ != 0; }
  void SetIsForiegnKey(bool foreign_key) { foreign_key_ = foreign_key ? 1 : 0; }
  std::int32_t GetEditStyle() const { return edit_style_; }
  bool HasEditStyle(EditStyle style) const {
    return edit_style_ == static_cast<std::int32_t>(style);
  }
  void SetEditStyle(std::int32_t edit_style) { edit_style_ = edit_style; }
  std::uint16_t GetAttribID() const { return attribute_id_; }
  void SetAttribID(std::uint16_t id) { attribute_id_ = id; }

  const std::string& GetDisplayName() const { return display_name_; }
  const std::string& GetBaseName() const { return base_name_; }
  const std::string& GetRoleName() const { return role_name_; }
  void SetDisplayName(std::string_view name) { display_name_ = name; }
  void SetBaseName(std::string_view name) { base_name_ = name; }
  void SetRoleName(std::string_view name) { role_name_ = name; }

 private:
  // Moves the value section of a validation rule into the form's lists (or drops it when
  // the form has that rule already) and names the rule in the attribute's own properties,
  // by keys PropertyNames gave.
  [[nodiscard]] Status TakeValidationRule(const FormatId& rule_group, const FormatId& value_group,
                                          const std::string& rule_key, const std::string& list_key);
  // An own property SetAttribProps derives, unless FORM_ATTRIB_INFO gave that name.
  void AddDerivedProperty(Value value, const std::string* shared_name);

  std::int32_t next_property_id_ = 3;
  // The id of the first FORM_ATTRIB_INFO property, 0 while none was given: an own property
  // of this id or after was given by it, as nothing else is added before SetAttribProps.
  std::int32_t form_info_first_id_ = 0;
  // The attribute's own properties, a name at most once each. They are only ever found by
  // name, so a plain list serves: no ids to index and no dictionary, which a section
  // would keep for each of the ten thousand attributes of a large model.
  std::vector<CNxProperty> own_properties_;
  // The bits of the own properties' names (PropertyNames::BitOf).
  std::uint64_t given_name_bits_ = 0;
  CAttributeGroups group_properties_;
  CEntity* entity_ = nullptr;
  std::int32_t required_ = 0;
  std::int32_t foreign_key_ = 0;
  std::int32_t edit_style_ = 0;
  std::uint16_t attribute_id_ = 0;
  std::vector<std::uint16_t> relation_ids_;
  std::string display_name_;
  std::string base_name_;
  std::string role_name_;
};

}  // namespace tavik
