// Where a refused value stands in a model, named the way a reader of the file finds it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tavik::brenlo {

class Model;

// Gathered while the document is read; the names of the entity and attribute are looked
// up only when the message is written, since they may stand later in the file.
class FaultPlace {
 public:
  // Ordinals count from 1 as a reader counts; the model index is known once the item
  // was taken into the model, i.e. when it is an object.
  void SetEntity(std::size_t ordinal);
  void SetRelationship(std::size_t ordinal);
  void SetItemIndex(std::size_t model_index);
  void SetAttribute(std::size_t ordinal);
  void SetAttributeList(std::uint32_t property_list);
  // A further part such as "group COL_PROP" or "pair 2", in order from outside in.
  void AddPart(std::string part);

  // E.g. "entity 2 (ORDERS), attribute 3 (ORDER_ID), group COL_PROP, property CD_TYP";
  // empty when the fault lies outside any entity or relationship.
  std::string Describe(const Model& model) const;

 private:
  enum class Item : std::uint8_t { kNone, kEntity, kRelationship };

  std::string DescribeItem(const Model& model) const;
  std::string DescribeAttribute(const Model& model) const;

  Item item_ = Item::kNone;
  std::size_t ordinal_ = 0;
  std::optional<std::size_t> model_index_;
  std::size_t attribute_ordinal_ = 0;
  std::optional<std::uint32_t> attribute_list_;
  std::string parts_;
};

}  // namespace tavik::brenlo
