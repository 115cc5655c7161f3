// Attributes: their groups, validation rules, relation ids and names.
#include "model/attribute.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>

#include <fmt/format.h>

#include "model/entity.h"
#include "model/form.h"
#include "model/model_messages.h"
#include "model/nx_property_set.h"
#include "model/property_names.h"
#include "model/sql_name.h"

namespace tavik {

const GROUPDESC CAttribute::m_group_lookup[] = {
    {0, "COL_PROP", TavikFormatId(0x8D)},
    {1, "CP_DFM", TavikFormatId(0x8E)},
    {2, "CP_EST", TavikFormatId(0x8F)},
    {5, "ATTRIB_INFO", TavikFormatId(0x93)},
    {6, "INIT_VALUE", TavikFormatId(0x97)},
    {9, "FORM_ATTRIB_INFO", TavikFormatId(0x9A)},
    {10, "ES_VLD_RULE", TavikFormatId(0x9B)},
    {11, "COL_VLD_RULE", TavikFormatId(0x9D)},
    {12, "ES_VLD_VALUE", TavikFormatId(0x9C)},
    {13, "COL_VLD_VALUE", TavikFormatId(0x9E)},
    {-1, {}, FormatId{}},
};

namespace {
constexpr FormatId kColVldRule = TavikFormatId(0x9D);
constexpr FormatId kColVldValue = TavikFormatId(0x9E);
constexpr FormatId kEsVldRule = TavikFormatId(0x9B);
constexpr FormatId kEsVldValue = TavikFormatId(0x9C);
// The own properties a validation rule brings: its name and its list, the list's id a
// visualizer adds, and room for the query name still to come.
constexpr std::size_t kRuleOwnProperties = 4;

}  // namespace

Status CAttribute::Init(CEntity* entity) {
  if (!entity) return kNullArgument;
  entity_ = entity;
  return kOk;
}

// A property of a name held already is replaced where it stands: own properties are only
// ever found by name, so their order tells nothing. Names are compared by the address of
// their shared copy (PropertyNames); a property without a name could never be found, so it
// is not kept. Most names are new to the attribute: a clear bit for the name says so
// without a walk of the list.
Status CAttribute::AddProperty(Value value, std::string_view name) {
  return AddProperty(std::move(value), &PropertyNames::Intern(name));
}

Status CAttribute::AddProperty(Value value, const std::string* shared_name) {
  const std::int32_t id = next_property_id_++;
  if (!entity_ || shared_name->empty()) return kOk;  // before Init there is nowhere to keep it
  const std::uint64_t bit = PropertyNames::BitOf(*shared_name);
  if ((given_name_bits_ & bit) != 0) {
    for (CNxProperty& held : own_properties_) {
      if (&held.GetName() == shared_name) {
        held = CNxProperty(id, std::move(value), shared_name);
        return kOk;
      }
    }
  }
  given_name_bits_ |= bit;
  own_properties_.emplace_back(id, std::move(value), shared_name);
  return kOk;
}

void CAttribute::AddFormInfoProperty(Value value, const std::string* shared_name) {
  if (form_info_first_id_ == 0) form_info_first_id_ = next_property_id_;
  AddProperty(std::move(value), shared_name);
}

// The form's information was once copied over the derived properties; now read first, it
// is kept from being overwritten by them instead.
void CAttribute::AddDerivedProperty(Value value, const std::string* shared_name) {
  if (form_info_first_id_ != 0 && (given_name_bits_ & PropertyNames::BitOf(*shared_name)) != 0) {
    for (const CNxProperty& held : own_properties_) {
      if (&held.GetName() == shared_name && held.GetId() >= form_info_first_id_) return;
    }
  }
  AddProperty(std::move(value), shared_name);
}

void CAttribute::ReserveOwnProperties(std::size_t more) {
  own_properties_.reserve(own_properties_.size() + more);
}

std::optional<Value> CAttribute::GetProperty(std::string_view name) const {
  for (const CNxProperty& property : own_properties_) {
    if (PropertyNames::SameName(property.GetName(), name)) return property.ToVariant();
  }
  return std::nullopt;
}

// Own properties hold the copies of values the model has, so the value is read where it is.
const Value* CAttribute::FindProperty(std::string_view name) const {
  for (const CNxProperty& property : own_properties_) {
    if (PropertyNames::SameName(property.GetName(), name)) return &property.GetValue();
  }
  return nullptr;
}

// Every own property is named by a shared copy, so the addresses tell the names apart; a
// clear bit says the name was never given.
const Value* CAttribute::FindPropertyOfShared(const std::string& shared_name) const {
  if ((given_name_bits_ & PropertyNames::BitOf(shared_name)) == 0) return nullptr;
  for (const CNxProperty& property : own_properties_) {
    if (&property.GetName() == &shared_name) return &property.GetValue();
  }
  return nullptr;
}

std::optional<Value> CAttribute::GetTvkProperty(const FormatId& group,
                                                std::string_view name) const {
  const CNxPropertySection* section = group_properties_.GetSection(group);
  const CNxProperty* property = section ? section->GetProperty(name) : nullptr;
  return property ? property->ToVariant() : std::nullopt;
}

std::optional<std::string> CAttribute::GetColumnDefault() const {
  auto value = GetTvkProperty(format_ids::kColProp, "CD_DEF");
  if (!value || !value->IsString()) return std::nullopt;
  return std::string(value->AsString());
}

bool CAttribute::IsDefaultedByDatabase() const {
  auto value = GetTvkProperty(format_ids::kColProp, "CD_DBD");
  return value && value->IsString() && value->AsString() == "Y";
}

// The model hands out one copy of each group's name for all its attributes: the row found
// last for that copy is tried first, its text compared all the same, since a model loaded
// later may hold another name at that address.
std::int32_t CAttribute::CheckTvkPropGroup(std::string_view group_name) {
  struct Recent {
    const char* text = nullptr;
    const GROUPDESC* row = nullptr;
  };
  constexpr std::size_t kRecentSlots = 16;
  thread_local std::array<Recent, kRecentSlots> recent;
  const auto address = reinterpret_cast<std::uintptr_t>(group_name.data());
  Recent& slot = recent[((address >> 5) ^ (address >> 11)) % kRecentSlots];
  if (slot.text == group_name.data() && PropertyNames::SameName(slot.row->name, group_name)) {
    return slot.row->id;
  }
  for (const GROUPDESC* row = m_group_lookup; row->id != -1; ++row) {
    if (group_name == row->name) {
      slot = {group_name.data(), row};
      return row->id;
    }
  }
  return -1;
}

const GROUPDESC* CAttribute::FindTvkPropGroup(std::int32_t id) {
  for (const GROUPDESC* row = m_group_lookup; row->id != -1; ++row) {
    if (row->id == id) return row;
  }
  return nullptr;
}

CNxPropertySection& CAttribute::AddTvkGroup(std::int32_t id) {
  return group_properties_.AddSection(FindTvkPropGroup(id)->format_id);
}

// A named property is added and named in one step, as AddProperty and SetPropertyName
// would, without looking its name up twice.
void CAttribute::AddGroupProperty(CNxPropertySection& group, Value value, std::string_view name) {
  AddGroupProperty(group, std::move(value), &PropertyNames::Intern(name));
}

void CAttribute::AddGroupProperty(CNxPropertySection& group, Value value,
                                  const std::string* shared_name) {
  std::int32_t id = next_property_id_++;
  if (shared_name->empty()) {
    group.AddProperty(CNxProperty(id, std::move(value), shared_name),
                      CNxPropertySection::Position::kEnd);
    return;
  }
  group.AddNamedProperty(id, std::move(value), *shared_name);
}

// The group's value itself, or nullptr: every group property came from the model, as a
// string or a number, so finding it is as good as copying it out.
const Value* CAttribute::FindGroupValue(const FormatId& group, const std::string& shared_name) {
  CNxPropertySection* section = group_properties_.GetSection(group);
  CNxProperty* property = section ? section->GetPropertyOfSharedName(shared_name) : nullptr;
  return property ? &property->GetValue() : nullptr;
}

Status CAttribute::SetAttribProps() {
  if (!entity_) return kNoEntity;
  // An attribute with no known group fails for want of COL_PROP.
  CNxPropertySection* columns = group_properties_.GetSection(format_ids::kColProp);
  if (!columns) return kNoColPropGroup;
  // Every attribute is asked for these: their names are interned once.
  static const std::string& type_key = PropertyNames::Intern("CD_TYP");
  static const std::string& pointer_key = PropertyNames::Intern("CD_PTR");
  static const std::string& validation_key = PropertyNames::Intern("ES_VLD");
  const CNxProperty* type = columns->GetPropertyOfSharedName(type_key);
  if (!type) return kNoType;
  AddDerivedProperty(type->GetValue(), &type_key);
  if (columns->GetPropertyOfSharedName(pointer_key)) {
    static const std::string& rule_key = PropertyNames::Intern("COL_VLDRULE");
    static const std::string& list_key = PropertyNames::Intern("COL_VLDLIST");
    if (Status status = TakeValidationRule(kColVldRule, kColVldValue, rule_key, list_key))
      return status;
  }
  if (FindGroupValue(format_ids::kEditStyle, validation_key)) {
    static const std::string& rule_key = PropertyNames::Intern("EST_VLDRULE");
    static const std::string& list_key = PropertyNames::Intern("EST_VLDLIST");
    if (Status status = TakeValidationRule(kEsVldRule, kEsVldValue, rule_key, list_key))
      return status;
  }
  return kOk;
}

Status CAttribute::TakeValidationRule(const FormatId& rule_group, const FormatId& value_group,
                                      const std::string& rule_key, const std::string& list_key) {
  auto rule = GetTvkProperty(rule_group, "NAME");
  if (!rule || !rule->IsString() || rule->AsString().empty()) return kOk;
  const std::string rule_name(rule->AsString());
  ReserveOwnProperties(kRuleOwnProperties);
  AddDerivedProperty(*rule, &rule_key);
  if (!group_properties_.GetSection(value_group)) return kOk;
  AddDerivedProperty(*rule, &list_key);
  auto values = group_properties_.RemoveSection(value_group);
  CForm* form = entity_->GetForm();
  if (form && !form->HasValidValueList(rule_name)) {
    values->SetFormatID(format_ids::kValidValues);
    auto set = std::make_unique<CNxPropertySet>();
    set->AddSection(std::move(values));
    return form->AddValidValueList(rule_name, std::move(set));
  }
  return kOk;
}

Status CAttribute::BuildRelationIDList() {
  static const std::string& count_key = PropertyNames::Intern("REL_COUNT");
  const Value* count = FindPropertyOfShared(count_key);
  if (!count) {
    ShowModelError("Failed to build attribute relation id list; form will not generate");
    return kNoRelationIds;
  }
  for (std::int64_t i = 0; i < count->AsInteger(); ++i) {
    const Value* id = FindProperty(fmt::format("REL{}_ID", i));
    if (!id) {
      ShowModelError("Failed to build attribute relation id list; form will not generate");
      return kNoRelationIds;
    }
    relation_ids_.push_back(static_cast<std::uint16_t>(id->AsInteger() & 0xFFFF));
  }
  return kOk;
}

bool CAttribute::IsPartOfRelation(std::uint16_t relation_id) const {
  return std::find(relation_ids_.begin(), relation_ids_.end(), relation_id) != relation_ids_.end();
}

void CAttribute::AppendSqlName(std::string& text) const {
  static const std::string& physical_name_key = PropertyNames::Intern("PHYSICAL_NAME");
  const Value* physical_name = FindPropertyOfShared(physical_name_key);
  SqlName::AppendQuoted(text, physical_name ? physical_name->AsString() : std::string_view());
}

std::int32_t CAttribute::GetRelationID(std::size_t index) const {
  return index < relation_ids_.size() ? relation_ids_[index] : -1;
}

}  // namespace tavik
