// Checking a read model as a whole, in time linear in its size.
#include "brenlo/model_checker.h"

#include <fmt/format.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <unordered_map>
#include <utility>

#include "brenlo/model.h"
#include "import/master_detail_graph.h"
#include "text/ascii_case.h"
#include "text/windows1252.h"

namespace tavik::brenlo {
namespace {

// A cycle is named with its entities; past this many cycles the rest are counted.
constexpr std::size_t kMostCyclesNamed = 10;

using Property = PropertyList::Property;

// Entity ids are served as 16-bit values, so ids equal in their low half are one id.
std::uint16_t IdOf(const Property& property) {
  return static_cast<std::uint16_t>(static_cast<std::uint32_t>(property.number_value) & 0xFFFF);
}

std::string Upper(std::string_view text) {
  return text::AsciiUppered(text);
}

std::string EntityName(const Model& model, std::size_t entity) {
  const PropertyList& list = model.property_list(model.entities()[entity].properties);
  const Property* name = list.Find("", "UNIQUE_PHYS_NAME");
  if (name != nullptr && name->is_string != 0 && name->string_length != 0) {
    return text::Windows1252ToUtf8(PropertyList::Text(*name));
  }
  return fmt::format("entity {}", entity + 1);
}

// A whole number held as a number or as decimal text; nothing for other text.
std::optional<double> NumberOf(const Property& property) {
  if (property.is_string == 0) return property.number_value;
  double value = 0;
  const char* begin = property.string_value;
  const char* end = begin + property.string_length;
  while (begin != end && *begin == ' ') ++begin;
  if (std::from_chars(begin, end, value).ec != std::errc()) return std::nullopt;
  return value;
}

bool IsEmptyText(const Property* property) {
  return property != nullptr && property->is_string != 0 && property->string_length == 0;
}

class Checker {
 public:
  explicit Checker(const Model& model) : model_(model), names_sought_(SharedNames(model)) {}

  std::optional<ModelChecker::Finding> Run() {
    for (std::size_t entity = 0; entity < model_.entities().size(); ++entity) {
      if (CheckEntity(entity) || CheckAttributes(entity)) return finding_;
    }
    for (std::size_t link = 0; link < model_.relationships().size(); ++link) {
      if (CheckRelationship(link)) return finding_;
    }
    return std::nullopt;
  }

  // The entities by their ids, for the relationships.
  const std::unordered_map<std::uint16_t, std::size_t>& ids() const { return ids_; }

 private:
  bool CheckEntity(std::size_t entity) {
    const PropertyList& list = model_.property_list(model_.entities()[entity].properties);
    if (IsEmptyText(list.Find("", "PHYSICAL_NAME"))) {
      return Fault(entity, std::nullopt, "the PHYSICAL_NAME is empty; it names the table");
    }
    if (const Property* id = list.Find("", "ID"); id != nullptr && id->is_string == 0) {
      auto [known, added] = ids_.emplace(IdOf(*id), entity);
      if (!added) {
        return Fault(entity, std::nullopt,
                     fmt::format("the ID {} is also entity {}'s ({})", id->number_value,
                                 known->second + 1, EntityName(model_, known->second)));
      }
    }
    if (const Property* name = list.Find("", "UNIQUE_PHYS_NAME"); name && name->is_string != 0) {
      auto [known, added] = names_.emplace(Upper(PropertyList::Text(*name)), entity);
      if (!added) {
        return Fault(entity, std::nullopt,
                     fmt::format("the UNIQUE_PHYS_NAME is also entity {}'s; the form would "
                                 "hold two data controls of one name",
                                 known->second + 1));
      }
    }
    return false;
  }

  bool CheckAttributes(std::size_t entity) {
    const Model::AttributeLists& attributes = model_.entities()[entity].attributes;
    for (std::size_t position = 0; position < attributes.size(); ++position) {
      const PropertyList& list = model_.property_list(attributes[position]);
      if (!list.doubtful()) continue;
      std::string problem = AttributeProblem(list);
      if (!problem.empty()) return Fault(entity, position, std::move(problem));
    }
    return false;
  }

  // The properties of an attribute that are checked, each the first of its group and name.
  struct CheckedProperties {
    const Property* physical_name = nullptr;  // of ATTRIB_INFO
    const Property* style = nullptr;          // ES_TYP of CP_EST
    const Property* width = nullptr;          // ES_WDT of CP_EST
    const Property* height = nullptr;         // ES_HGT of CP_EST
  };

  // The names sought, as the model's shared copies (NameTable): every property names its
  // group and itself by the one copy, so a property is told by the copy's address. Null
  // where the model has no such name.
  struct CheckedNames {
    const char* info = nullptr;           // ATTRIB_INFO
    const char* physical_name = nullptr;  // PHYSICAL_NAME
    const char* style_group = nullptr;    // CP_EST
    const char* style = nullptr;          // ES_TYP
    const char* width = nullptr;          // ES_WDT
    const char* height = nullptr;         // ES_HGT
  };

  static CheckedNames SharedNames(const Model& model) {
    const auto shared = [&model](std::string_view name) {
      const std::string* copy = model.names().Find(name);
      return copy == nullptr ? nullptr : copy->c_str();
    };
    return {shared("ATTRIB_INFO"), shared("PHYSICAL_NAME"), shared("CP_EST"),
            shared("ES_TYP"),      shared("ES_WDT"),        shared("ES_HGT")};
  }

  // One walk of the list finds them all: ten thousand attributes each walked once per
  // property sought took a tenth of the loading.
  CheckedProperties FindChecked(const PropertyList& list) const {
    CheckedProperties found;
    const auto take = [](const Property*& slot, const Property& property) {
      if (slot == nullptr) slot = &property;
    };
    for (std::size_t at = 0; at < list.size(); ++at) {
      const Property& property = list.at(at);
      if (property.group_name == names_sought_.info) {
        if (property.property_name == names_sought_.physical_name) {
          take(found.physical_name, property);
        }
      } else if (property.group_name == names_sought_.style_group) {
        if (property.property_name == names_sought_.style) take(found.style, property);
        if (property.property_name == names_sought_.width) take(found.width, property);
        if (property.property_name == names_sought_.height) take(found.height, property);
      }
    }
    return found;
  }

  std::string AttributeProblem(const PropertyList& list) const {
    const CheckedProperties checked = FindChecked(list);
    if (IsEmptyText(checked.physical_name)) {
      return "the PHYSICAL_NAME is empty; it names the column";
    }
    if (const Property* style = checked.style) {
      std::optional<double> number = NumberOf(*style);
      if (!number || *number < 0 || *number > ModelChecker::kHighestEditStyle ||
          *number != std::floor(*number)) {
        return fmt::format("the edit style ES_TYP {} is none of the edit styles 0 to {}",
                           style->is_string != 0
                               ? text::Windows1252ToUtf8(PropertyList::Text(*style))
                               : std::to_string(style->number_value),
                           ModelChecker::kHighestEditStyle);
      }
    }
    for (const auto& [size, given] :
         {std::pair{"ES_WDT", checked.width}, std::pair{"ES_HGT", checked.height}}) {
      std::optional<double> number = given ? NumberOf(*given) : std::nullopt;
      if (number && (*number < 0 || *number > ModelChecker::kLargestSize)) {
        return fmt::format("the size {} {} is not a size in twips from 0 to {}", size, *number,
                           ModelChecker::kLargestSize);
      }
    }
    return {};
  }

  bool CheckRelationship(std::size_t link) {
    const Model::Relationship& relationship = model_.relationships()[link];
    if (relationship.attribute_ids.empty()) {
      return Fault(link,
                   "it has no attributes; a relationship joins its entities by the "
                   "IDs of the attributes that make its key");
    }
    const PropertyList& list = model_.property_list(relationship.properties);
    for (const char* end : {"PARENT_ENTITY", "CHILD_ENTITY"}) {
      const Property* id = list.Find("", end);
      if (id != nullptr && id->is_string == 0 && ids_.count(IdOf(*id)) == 0) {
        return Fault(link, fmt::format("the {} {} is no entity's ID", end, id->number_value));
      }
    }
    return false;
  }

  bool Fault(std::size_t entity, std::optional<std::size_t> attribute, std::string problem) {
    finding_.place.SetEntity(entity + 1);
    finding_.place.SetItemIndex(entity);
    if (attribute) {
      finding_.place.SetAttribute(*attribute + 1);
      finding_.attribute_list = model_.entities()[entity].attributes[*attribute];
      finding_.place.SetAttributeList(*finding_.attribute_list);
    }
    finding_.item = entity;
    finding_.problem = std::move(problem);
    return true;
  }

  bool Fault(std::size_t link, std::string problem) {
    finding_.place.SetRelationship(link + 1);
    finding_.place.SetItemIndex(link);
    finding_.relationship = true;
    finding_.item = link;
    finding_.problem = std::move(problem);
    return true;
  }

  const Model& model_;
  const CheckedNames names_sought_;
  std::unordered_map<std::uint16_t, std::size_t> ids_;
  std::unordered_map<std::string, std::size_t> names_;
  ModelChecker::Finding finding_;
};

bool checking = true;

}  // namespace

ModelChecker::Role ModelChecker::RoleOf(std::string_view name) {
  if (name == "ATTRIB_INFO") return Role::kInfoGroup;
  if (name == "CP_EST") return Role::kEditStyleGroup;
  if (name == "PHYSICAL_NAME") return Role::kPhysicalName;
  if (name == "ES_TYP") return Role::kEditStyle;
  if (name == "ES_WDT" || name == "ES_HGT") return Role::kSize;
  return Role::kNone;
}

void ModelChecker::SetChecking(bool on) {
  checking = on;
}

bool ModelChecker::Checking() {
  return checking;
}

std::optional<ModelChecker::Finding> ModelChecker::FirstFault(const Model& model) {
  return Checker(model).Run();
}

std::vector<ModelChecker::Finding> ModelChecker::Cycles(const Model& model) {
  std::unordered_map<std::uint16_t, std::size_t> ids;
  for (std::size_t entity = 0; entity < model.entities().size(); ++entity) {
    const PropertyList& list = model.property_list(model.entities()[entity].properties);
    if (const Property* id = list.Find("", "ID"); id != nullptr && id->is_string == 0) {
      ids.emplace(IdOf(*id), entity);
    }
  }
  std::vector<import::MasterDetailGraph::Link> links;
  std::vector<std::size_t> relationship_of;
  for (std::size_t link = 0; link < model.relationships().size(); ++link) {
    const PropertyList& list = model.property_list(model.relationships()[link].properties);
    const Property* master = list.Find("", "PARENT_ENTITY");
    const Property* detail = list.Find("", "CHILD_ENTITY");
    if (master == nullptr || detail == nullptr || master->is_string != 0 || detail->is_string != 0)
      continue;
    auto from = ids.find(IdOf(*master));
    auto to = ids.find(IdOf(*detail));
    if (from == ids.end() || to == ids.end()) continue;
    links.push_back({from->second, to->second});
    relationship_of.push_back(link);
  }
  std::vector<Finding> cycles;
  const auto closing = import::MasterDetailGraph::CycleClosingLinks(model.entities().size(), links);
  for (std::size_t i = 0; i < closing.size() && i < kMostCyclesNamed; ++i) {
    std::string round;
    for (std::size_t entity : closing[i].cycle) round += EntityName(model, entity) + " -> ";
    round += EntityName(model, closing[i].cycle.front());
    Finding cycle;
    cycle.relationship = true;
    cycle.item = relationship_of[closing[i].link];
    cycle.place.SetRelationship(cycle.item + 1);
    cycle.place.SetItemIndex(cycle.item);
    cycle.problem = fmt::format("the masters and details go round in a cycle: {}", round);
    if (i + 1 == kMostCyclesNamed && closing.size() > kMostCyclesNamed) {
      cycle.problem += fmt::format(" (and {} cycles more)", closing.size() - kMostCyclesNamed);
    }
    cycles.push_back(std::move(cycle));
  }
  return cycles;
}

}  // namespace tavik::brenlo
