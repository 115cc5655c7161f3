// A loaded model: entities, relationships and their property lists, as the BR_ functions serve
// them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "brenlo/name_table.h"
#include "brenlo/property_arena.h"
#include "brenlo/property_list.h"
#include "brenlo/text_store.h"

namespace tavik::brenlo {

// Every property list of the model sits in one vector and is known by its index there,
// which is what the property-list handles carry.
class Model {
 public:
  // The property lists of an entity's attributes, one per attribute. They are numbered one
  // after another, since an entity's attributes are read together and no other list is
  // begun among them: a range, where a vector each took allocations as it grew.
  struct AttributeLists {
    std::uint32_t first = 0;
    std::uint32_t count = 0;
    std::size_t size() const { return count; }
    std::uint32_t operator[](std::size_t position) const {
      return first + static_cast<std::uint32_t>(position);
    }
    bool operator==(const AttributeLists&) const = default;
  };
  struct Entity {
    std::uint32_t properties = 0;
    AttributeLists attributes;
    bool operator==(const Entity&) const = default;
  };
  struct Relationship {
    std::uint32_t properties = 0;
    std::vector<std::uint16_t> attribute_ids;
    bool operator==(const Relationship&) const = default;
  };

  std::size_t AddEntity();
  // Returns the index of the new attribute's property list.
  std::uint32_t AddAttribute(std::size_t entity);
  std::size_t AddRelationship();
  void AddLinkAttribute(std::size_t relationship, std::uint16_t attribute_id);

  const std::vector<Entity>& entities() const { return entities_; }
  const std::vector<Relationship>& relationships() const { return relationships_; }
  const std::vector<PropertyList>& property_lists() const { return property_lists_; }
  PropertyList& property_list(std::uint32_t index) { return property_lists_[index]; }
  const PropertyList& property_list(std::uint32_t index) const { return property_lists_[index]; }
  NameTable& names() { return names_; }
  const NameTable& names() const { return names_; }
  // Where the texts of string properties are kept.
  TextStore& texts() { return texts_; }
  // Where the properties of every list are kept; the one way to add to a list.
  PropertyArena& properties() { return properties_; }

  // The same entities, relationships and properties, whatever the order names were met in.
  bool operator==(const Model& other) const {
    return entities_ == other.entities_ && relationships_ == other.relationships_ &&
           property_lists_ == other.property_lists_;
  }

 private:
  std::uint32_t AddPropertyList();

  std::vector<Entity> entities_;
  std::vector<Relationship> relationships_;
  std::vector<PropertyList> property_lists_;
  NameTable names_;
  TextStore texts_;
  PropertyArena properties_;
};

}  // namespace tavik::brenlo
