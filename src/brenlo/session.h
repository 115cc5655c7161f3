// One session of serving a model through the BR_ iterators, with a position for every list.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "brenlo/model.h"
#include "tavikfw/brenlo.h"

namespace tavik::brenlo {

// Handles carry the kind of list in their top two bits and its index below, so a handle
// of the wrong kind or from another model is refused instead of misread. Every list
// keeps its own position, so passes over different lists may interleave freely; each
// step is a lookup by index. Steps return 0 when they delivered an item, 1 otherwise.
class Session {
 public:
  struct PropertyOutputs {
    std::uint32_t* ignored = nullptr;
    const char** group_name = nullptr;
    const char** property_name = nullptr;
    const char** type_code = nullptr;
    std::int32_t* number_value = nullptr;
    const char** string_value = nullptr;
  };

  // False when the model has too many lists for the handles.
  bool Start(std::shared_ptr<const Model> model);
  void End();

  std::int32_t Entity(bool first, std::uint32_t* attribute_list, std::uint32_t* property_list);
  std::int32_t Attribute(bool first, std::uint32_t attribute_list, std::uint32_t* ignored,
                         std::uint32_t* property_list);
  std::int32_t Link(bool first, std::uint32_t* attribute_list, std::uint32_t* property_list);
  std::int32_t LinkAttribute(bool first, std::uint32_t attribute_list, std::uint32_t* ignored,
                             std::uint32_t* attribute_id);
  std::int32_t Property(bool first, std::uint32_t property_list, const PropertyOutputs& out);
  // The whole list as views into the model's texts, as the model keeps it.
  std::int32_t WholePropertyList(std::uint32_t property_list, const BR_PropertyView** properties,
                                 std::uint32_t* count);

 private:
  enum class HandleKind : std::uint32_t {
    kAttributeList = 1,
    kPropertyList = 2,
    kLinkAttributeList = 3,
  };

  static std::uint32_t MakeHandle(HandleKind kind, std::size_t index);
  static std::optional<std::size_t> HandleIndex(std::uint32_t handle, HandleKind kind,
                                                std::size_t count);
  static std::optional<std::size_t> Step(std::uint32_t& served, std::size_t size, bool first);

  std::shared_ptr<const Model> model_;
  // How many items of each list were served; 0 also means the pass was never begun,
  // which makes a Next without its First deliver nothing.
  std::uint32_t entities_served_ = 0;
  std::uint32_t links_served_ = 0;
  std::vector<std::uint32_t> attributes_served_;       // by entity
  std::vector<std::uint32_t> link_attributes_served_;  // by relationship
  std::vector<std::uint32_t> properties_served_;       // by property list
};

}  // namespace tavik::brenlo
