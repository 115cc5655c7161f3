// Where a refused value stands in a model, named the way a reader of the file finds it.
#include "brenlo/fault_place.h"

#include <fmt/format.h>

#include "brenlo/model.h"
#include "text/windows1252.h"

namespace tavik::brenlo {
namespace {

// " (NAME)" from the string property called name, else " (KEY 7)" from the numeric one
// called number_key, else nothing.
std::string NameSuffix(const PropertyList& list, std::string_view group, std::string_view name,
                       std::string_view number_key) {
  const PropertyList::Property* found = name.empty() ? nullptr : list.Find(group, name);
  if (found != nullptr && found->is_string != 0 && found->string_length != 0) {
    return fmt::format(" ({})", text::Windows1252ToUtf8(PropertyList::Text(*found)));
  }
  found = list.Find(group, number_key);
  if (found != nullptr && found->is_string == 0) {
    return fmt::format(" ({} {})", number_key, found->number_value);
  }
  return {};
}

}  // namespace

void FaultPlace::SetEntity(std::size_t ordinal) {
  item_ = Item::kEntity;
  ordinal_ = ordinal;
}

void FaultPlace::SetRelationship(std::size_t ordinal) {
  item_ = Item::kRelationship;
  ordinal_ = ordinal;
}

void FaultPlace::SetItemIndex(std::size_t model_index) {
  model_index_ = model_index;
}

void FaultPlace::SetAttribute(std::size_t ordinal) {
  attribute_ordinal_ = ordinal;
}

void FaultPlace::SetAttributeList(std::uint32_t property_list) {
  attribute_list_ = property_list;
}

void FaultPlace::AddPart(std::string part) {
  if (!parts_.empty()) parts_ += ", ";
  parts_ += part;
}

std::string FaultPlace::Describe(const Model& model) const {
  std::string out = DescribeItem(model);
  if (attribute_ordinal_ != 0) {
    out += fmt::format(", attribute {}{}", attribute_ordinal_, DescribeAttribute(model));
  }
  if (!parts_.empty()) out += (out.empty() ? "" : ", ") + parts_;
  return out;
}

std::string FaultPlace::DescribeItem(const Model& model) const {
  switch (item_) {
    case Item::kEntity: {
      std::string out = fmt::format("entity {}", ordinal_);
      if (!model_index_) return out;
      const auto& entity = model.entities()[*model_index_];
      return out + NameSuffix(model.property_list(entity.properties), "", "PHYSICAL_NAME", "ID");
    }
    case Item::kRelationship: {
      std::string out = fmt::format("relationship {}", ordinal_);
      if (!model_index_) return out;
      const auto& relationship = model.relationships()[*model_index_];
      return out + NameSuffix(model.property_list(relationship.properties), "", "", "RELATION_ID");
    }
    case Item::kNone:
      break;
  }
  return {};
}

std::string FaultPlace::DescribeAttribute(const Model& model) const {
  if (!attribute_list_) return {};
  return NameSuffix(model.property_list(*attribute_list_), "ATTRIB_INFO", "PHYSICAL_NAME", "ID");
}

}  // namespace tavik::brenlo
