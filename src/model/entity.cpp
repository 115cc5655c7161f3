// Entities: reading their properties and attributes from the model, and their relations.
#include "model/entity.h"

#include <algorithm>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "model/model_messages.h"
#include "model/property_list_reader.h"
#include "model/property_names.h"
#include "tavikfw/brenlo.h"

namespace tavik {

CEntity::CEntity() : properties_(format_ids::kEntitySet) {}

CEntity::~CEntity() = default;

Status CEntity::Init(std::string_view label, CForm* form) {
  properties_.AddSection(format_ids::kEntity);
  label_ = label;
  form_ = form;
  return kOk;
}

std::unique_ptr<CAttribute> CEntity::AllocateAttribute() {
  return std::make_unique<CAttribute>();
}

// A property of a name held already is given the new value where it stands: the entity's
// properties are only ever found by name.
Status CEntity::AddProperty(Value value, std::string_view name) {
  const std::string& shared_name = PropertyNames::Intern(name);
  CNxPropertySection* section = properties_.GetSection(format_ids::kEntity);
  CNxProperty* held = section != nullptr && !shared_name.empty()
                          ? section->GetPropertyOfSharedName(shared_name)
                          : nullptr;
  if (held != nullptr) {
    held->SetValue(std::move(value));
    return kOk;
  }
  properties_.AddProperty(format_ids::kEntity,
                          CNxProperty(next_property_id_++, std::move(value), &shared_name),
                          CNxPropertySection::Position::kEnd);
  return kOk;
}

std::optional<Value> CEntity::GetProperty(std::string_view name) const {
  const CNxProperty* property = properties_.GetProperty(format_ids::kEntity, name);
  return property ? property->ToVariant() : std::nullopt;
}

// The model's names are shared copies already, so each property is replaced and added by
// its shared name without looking the name up again.
Status CEntity::GetProperties(std::uint32_t property_list) {
  CNxPropertySection* section = properties_.GetSection(format_ids::kEntity);
  int count = PropertyListReader::ForEach(property_list, [&](ModelProperty& property) {
    const std::string& name = *property.name;
    if (!section || name.empty()) {
      AddProperty(std::move(property.value), name);
      return true;
    }
    if (const CNxProperty* held = section->GetPropertyOfSharedName(name)) {
      section->RemoveProperty(held->GetId());
    }
    section->AddNamedProperty(next_property_id_++, std::move(property.value), name);
    return true;
  });
  if (count == 0) return kNoProperties;
  auto name = GetProperty("UNIQUE_PHYS_NAME");
  if (!name || name->AsString().empty()) return kNoUniqueName;
  entity_name_ = name->AsString();
  return kOk;
}

Status CEntity::ReadAttributes(std::uint32_t attribute_list) {
  std::uint32_t ignored = 0;
  std::uint32_t property_list = 0;
  attribute_count_ = 0;
  for (int result = BR_GetFirstAttribute(attribute_list, &ignored, &property_list); result == 0;
       result = BR_GetNextAttribute(attribute_list, &ignored, &property_list)) {
    ++attribute_count_;
    if (Status status = ReadOneAttribute(property_list)) {
      ShowModelError("Failure to read Tavik Attributes; form will not generate");
      return status;
    }
  }
  return kOk;
}

namespace {
// Own properties nearly every attribute takes once all is read: its type and its name for
// the form's queries. The few with validation rules make room for theirs; room reserved and
// not taken would cost a copy of the list when the attribute gives it back.
constexpr std::size_t kOwnPropertiesAddedLater = 2;

// The model hands out one copy of a group's name for all its properties.
bool SameGroup(std::string_view a, std::string_view b) {
  return (a.data() == b.data() && a.size() == b.size()) || a == b;
}

// The properties of one group, next to each other in an attribute's list.
struct GroupRun {
  std::size_t begin;
  std::size_t end;
  std::int32_t group_id;
};

// How many sections and own properties an attribute's runs give it.
struct RunCounts {
  std::size_t sections = 0;
  std::size_t own_properties = 0;
};

// Splits the list into runs of one group each.
RunCounts FindGroupRuns(std::span<const BR_PropertyView> properties, std::vector<GroupRun>& runs) {
  runs.clear();
  RunCounts counts;
  for (std::size_t begin = 0, end = 0; begin < properties.size(); begin = end) {
    const std::string_view group = PropertyListReader::Group(properties[begin]);
    end = begin + 1;
    while (end < properties.size() &&
           SameGroup(PropertyListReader::Group(properties[end]), group)) {
      ++end;
    }
    const std::int32_t group_id = CAttribute::CheckTvkPropGroup(group);
    if (group_id == CAttribute::kOwnPropertiesGroup || group_id == CAttribute::kFormInfoGroup) {
      counts.own_properties += end - begin;
    } else if (group_id >= 0) {
      ++counts.sections;
    }
    runs.push_back({begin, end, group_id});
  }
  return counts;
}
}  // namespace

// The properties of a group arrive together: each group is looked up once, the attribute
// is given room for all its groups and each section for all its properties before they are
// added. ATTRIB_INFO's go straight to the attribute's own properties, which is all they are
// read for, and so do FORM_ATTRIB_INFO's, after all of ATTRIB_INFO's, which they outweigh.
std::size_t CEntity::ReadAttributeProperties(CAttribute& attribute, std::uint32_t property_list) {
  thread_local std::vector<GroupRun> runs;
  const std::span<const BR_PropertyView> properties = PropertyListReader::Read(property_list);
  const RunCounts counts = FindGroupRuns(properties, runs);
  attribute.ReserveGroups(counts.sections);
  attribute.ReserveOwnProperties(counts.own_properties + kOwnPropertiesAddedLater);
  for (const GroupRun& run : runs) {
    if (run.group_id == CAttribute::kOwnPropertiesGroup) {
      for (std::size_t at = run.begin; at < run.end; ++at) {
        attribute.AddProperty(PropertyListReader::ValueOf(properties[at]),
                              &PropertyListReader::Name(properties[at]));
      }
      continue;
    }
    if (run.group_id < 0 || run.group_id == CAttribute::kFormInfoGroup) continue;
    CNxPropertySection& section = attribute.AddTvkGroup(run.group_id);
    section.Reserve(section.GetPropertyList().size() + (run.end - run.begin));
    for (std::size_t at = run.begin; at < run.end; ++at) {
      attribute.AddGroupProperty(section, PropertyListReader::ValueOf(properties[at]),
                                 &PropertyListReader::Name(properties[at]));
    }
  }
  for (const GroupRun& run : runs) {
    if (run.group_id != CAttribute::kFormInfoGroup) continue;
    for (std::size_t at = run.begin; at < run.end; ++at) {
      attribute.AddFormInfoProperty(PropertyListReader::ValueOf(properties[at]),
                                    &PropertyListReader::Name(properties[at]));
    }
  }
  return properties.size();
}

Status CEntity::ReadOneAttribute(std::uint32_t property_list) {
  auto attribute = AllocateAttribute();
  if (!attribute) return kNoMemory;
  if (attribute->Init(this) != kOk) return kAttributeInitFailed;
  // An attribute whose property list is empty is skipped.
  if (ReadAttributeProperties(*attribute, property_list) == 0) return kOk;
  if (attribute->SetAttribProps() != kOk) return kAttributeGroupsFailed;
  // Every attribute is asked for these: their names are interned once.
  static const std::string& physical_name_key = PropertyNames::Intern("PHYSICAL_NAME");
  static const std::string& id_key = PropertyNames::Intern("ID");
  static const std::string* const name_keys[] = {&PropertyNames::Intern("DISPLAY_NAME"),
                                                 &PropertyNames::Intern("BASE_NAME"),
                                                 &PropertyNames::Intern("ROLE_NAME")};
  const Value* physical_name = attribute->FindPropertyOfShared(physical_name_key);
  if (!physical_name || physical_name->AsString().empty()) return kNoAttributePhysicalName;
  attribute->AppendSqlName(select_text_);
  select_text_ += ',';
  const Value* id = attribute->FindPropertyOfShared(id_key);
  if (!id) return kNoAttributeId;
  attribute->SetAttribID(static_cast<std::uint16_t>(id->AsInteger() & 0xFFFF));
  if (attribute->BuildRelationIDList() != kOk) return kNoRelationIdList;
  std::string_view names[3];
  for (int i = 0; i < 3; ++i) {
    const Value* value = attribute->FindPropertyOfShared(*name_keys[i]);
    if (!value || value->AsString().empty()) return static_cast<Status>(kNoDisplayName + i);
    names[i] = value->AsString();
  }
  attribute->SetDisplayName(names[0]);
  attribute->SetBaseName(names[1]);
  attribute->SetRoleName(names[2]);
  std::uint16_t attribute_id = attribute->GetAttribID();
  if (AddAttrib(attribute_id, std::move(attribute)) != kOk) return kAttributeNotAdded;
  return kOk;
}

Status CEntity::AddParent(CEntity* entity, CRelationDesc* relation) {
  if (!entity) return kNoLinkedEntity;
  if (!relation) return kNoRelation;
  parents_.push_back({entity, relation});
  return kOk;
}

Status CEntity::AddChild(CEntity* entity, CRelationDesc* relation) {
  if (!entity) return kNoLinkedEntity;
  if (!relation) return kNoRelation;
  children_.push_back({entity, relation});
  return kOk;
}

Status CEntity::AddAttrib(std::uint16_t /*id*/, std::unique_ptr<CAttribute> attribute) {
  if (!attribute) return kNoAttribute;
  attributes_.push_back(std::move(attribute));
  return kOk;
}

CAttribute* CEntity::FindAttrib(std::size_t start, std::uint16_t attribute_id,
                                std::uint16_t relation_id) const {
  for (std::size_t i = start; i < attributes_.size(); ++i) {
    CAttribute* attribute = attributes_[i].get();
    if (attribute->GetAttribID() == attribute_id && attribute->IsPartOfRelation(relation_id)) {
      return attribute;
    }
  }
  return nullptr;
}

CAttribute* CEntity::GetFirstAttrib(std::uint16_t attribute_id, std::uint16_t relation_id) const {
  return FindAttrib(0, attribute_id, relation_id);
}

CAttribute* CEntity::GetNextAttrib(std::uint16_t attribute_id, std::uint16_t relation_id,
                                   const CAttribute* previous) const {
  if (!previous) return nullptr;
  auto found =
      std::find_if(attributes_.begin(), attributes_.end(),
                   [previous](const auto& attribute) { return attribute.get() == previous; });
  if (found == attributes_.end()) return nullptr;
  return FindAttrib(static_cast<std::size_t>(found - attributes_.begin()) + 1, attribute_id,
                    relation_id);
}

CAttribute* CEntity::GetAttribFromDisplayName(std::string_view name) const {
  for (const auto& attribute : attributes_) {
    if (attribute->GetDisplayName() == name) return attribute.get();
  }
  return nullptr;
}

CAttribute* CEntity::GetAttribFromBaseName(std::string_view name) const {
  for (const auto& attribute : attributes_) {
    if (attribute->GetBaseName() == name) return attribute.get();
  }
  return nullptr;
}

}  // namespace tavik
