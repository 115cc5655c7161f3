// One session of serving a model through the BR_ iterators, with a position for every list.
#include "brenlo/session.h"

#include <utility>

namespace tavik::brenlo {
namespace {

constexpr unsigned kKindShift = 30;
constexpr std::uint32_t kIndexMask = (std::uint32_t{1} << kKindShift) - 1;
constexpr std::int32_t kDelivered = 0;
constexpr std::int32_t kNone = 1;

template <class T>
void Put(T* out, T value) {
  if (out != nullptr) *out = value;
}

}  // namespace

bool Session::Start(std::shared_ptr<const Model> model) {
  End();
  if (model->property_lists().size() > kIndexMask) return false;
  attributes_served_.assign(model->entities().size(), 0);
  link_attributes_served_.assign(model->relationships().size(), 0);
  properties_served_.assign(model->property_lists().size(), 0);
  model_ = std::move(model);
  return true;
}

void Session::End() {
  model_.reset();
  entities_served_ = 0;
  links_served_ = 0;
  attributes_served_.clear();
  link_attributes_served_.clear();
  properties_served_.clear();
}

std::int32_t Session::Entity(bool first, std::uint32_t* attribute_list,
                             std::uint32_t* property_list) {
  if (!model_) return kNone;
  const auto& entities = model_->entities();
  const std::optional<std::size_t> index = Step(entities_served_, entities.size(), first);
  if (!index) return kNone;
  Put(attribute_list, MakeHandle(HandleKind::kAttributeList, *index));
  Put(property_list, MakeHandle(HandleKind::kPropertyList, entities[*index].properties));
  return kDelivered;
}

std::int32_t Session::Attribute(bool first, std::uint32_t attribute_list, std::uint32_t* ignored,
                                std::uint32_t* property_list) {
  if (!model_) return kNone;
  const auto& entities = model_->entities();
  const auto entity = HandleIndex(attribute_list, HandleKind::kAttributeList, entities.size());
  if (!entity) return kNone;
  const auto& attributes = entities[*entity].attributes;
  const auto index = Step(attributes_served_[*entity], attributes.size(), first);
  if (!index) return kNone;
  Put(ignored, std::uint32_t{0});
  Put(property_list, MakeHandle(HandleKind::kPropertyList, attributes[*index]));
  return kDelivered;
}

std::int32_t Session::Link(bool first, std::uint32_t* attribute_list,
                           std::uint32_t* property_list) {
  if (!model_) return kNone;
  const auto& relationships = model_->relationships();
  const std::optional<std::size_t> index = Step(links_served_, relationships.size(), first);
  if (!index) return kNone;
  Put(attribute_list, MakeHandle(HandleKind::kLinkAttributeList, *index));
  Put(property_list, MakeHandle(HandleKind::kPropertyList, relationships[*index].properties));
  return kDelivered;
}

std::int32_t Session::LinkAttribute(bool first, std::uint32_t attribute_list,
                                    std::uint32_t* ignored, std::uint32_t* attribute_id) {
  if (!model_) return kNone;
  const auto& relationships = model_->relationships();
  const auto link =
      HandleIndex(attribute_list, HandleKind::kLinkAttributeList, relationships.size());
  if (!link) return kNone;
  const auto& ids = relationships[*link].attribute_ids;
  const auto index = Step(link_attributes_served_[*link], ids.size(), first);
  if (!index) return kNone;
  Put(ignored, std::uint32_t{0});
  Put(attribute_id, std::uint32_t{ids[*index]});
  return kDelivered;
}

// The strings handed out live in the model, which the session keeps alive until its end.
std::int32_t Session::Property(bool first, std::uint32_t property_list,
                               const PropertyOutputs& out) {
  if (!model_) return kNone;
  const auto& lists = model_->property_lists();
  const auto list = HandleIndex(property_list, HandleKind::kPropertyList, lists.size());
  if (!list) return kNone;
  const PropertyList& properties = lists[*list];
  const auto index = Step(properties_served_[*list], properties.size(), first);
  if (!index) return kNone;
  const PropertyList::Property& property = properties.at(*index);
  Put(out.ignored, std::uint32_t{0});
  Put(out.group_name, property.group_name);
  Put(out.property_name, property.property_name);
  Put(out.type_code, property.is_string != 0 ? "S" : "N");
  Put(out.number_value, property.number_value);
  Put(out.string_value, property.string_value);
  return kDelivered;
}

std::int32_t Session::WholePropertyList(std::uint32_t property_list,
                                        const BR_PropertyView** properties, std::uint32_t* count) {
  if (!model_) return kNone;
  const auto& lists = model_->property_lists();
  const auto list = HandleIndex(property_list, HandleKind::kPropertyList, lists.size());
  if (!list) return kNone;
  const PropertyList& served = lists[*list];
  Put(properties, served.data());
  Put(count, static_cast<std::uint32_t>(served.size()));
  return kDelivered;
}

std::uint32_t Session::MakeHandle(HandleKind kind, std::size_t index) {
  return (static_cast<std::uint32_t>(kind) << kKindShift) | static_cast<std::uint32_t>(index);
}

std::optional<std::size_t> Session::HandleIndex(std::uint32_t handle, HandleKind kind,
                                                std::size_t count) {
  if ((handle >> kKindShift) != static_cast<std::uint32_t>(kind)) return std::nullopt;
  const std::size_t index = handle & kIndexMask;
  if (index >= count) return std::nullopt;
  return index;
}

std::optional<std::size_t> Session::Step(std::uint32_t& served, std::size_t size, bool first) {
  if (first) {
    served = 0;
  } else if (served == 0) {
    return std::nullopt;
  }
  if (served >= size) return std::nullopt;
  return served++;
}

}  // namespace tavik::brenlo
