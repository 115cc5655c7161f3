// The sense of a model as a whole, checked once it is read: duplicate entities, relationships
// that join nothing, edit styles and sizes no control can have, and master/detail cycles.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "brenlo/fault_place.h"

namespace tavik::brenlo {

class Model;

class ModelChecker {
 public:
  // Where a finding stands: an entity (and maybe one of its attributes) or a relationship,
  // by position in the model.
  struct Finding {
    FaultPlace place;
    bool relationship = false;
    std::size_t item = 0;
    std::optional<std::uint32_t> attribute_list;  // the attribute's property list, if any
    std::string problem;
  };

  // The first fault that would give a broken form (two data controls of one name, a
  // control that cannot be made), or nothing. Of the attributes it reads only those whose
  // lists were marked doubtful as they were read (Doubtful).
  static std::optional<Finding> FirstFault(const Model& model);

  // What a name is to the check: one of the groups of an attribute it reads, one of the
  // properties it reads there, or nothing.
  enum class Role : std::uint8_t {
    kNone,
    kInfoGroup,       // ATTRIB_INFO
    kEditStyleGroup,  // CP_EST
    kPhysicalName,    // PHYSICAL_NAME
    kEditStyle,       // ES_TYP
    kSize,            // ES_WDT, ES_HGT
  };
  static Role RoleOf(std::string_view name);
  // Whether a property of a group of that role might be a fault, which marks its list for
  // the check: ten thousand attributes read again after the reading, each walked for the
  // few properties checked, took a tenth of the loading's cycles in cache misses. The value
  // is looked at first, since nearly every value rules a fault out whatever its name;
  // name_role is asked the name's role only when it does not. Inline: it runs for every
  // property of those groups.
  template <class NameRole>
  static bool Doubtful(Role group, bool is_string, std::int64_t number, std::size_t text_size,
                       NameRole name_role) {
    if (group == Role::kInfoGroup) {
      return is_string && text_size == 0 && name_role() == Role::kPhysicalName;
    }
    if (group != Role::kEditStyleGroup ||
        (!is_string && number >= 0 && number <= kHighestEditStyle))
      return false;
    const Role name = name_role();
    return name == Role::kEditStyle ||
           (name == Role::kSize && (is_string || number < 0 || number > kLargestSize));
  }
  // The master/detail relationships that close cycles, naming the entities round each.
  static std::vector<Finding> Cycles(const Model& model);

  // On unless turned off. The model readers' own tests turn it off to feed them models this
  // refuses, pinning what those readers do with such models from other sources.
  static void SetChecking(bool on);
  static bool Checking();

  // Sizes of controls in twips run from 0 to this, the most Visual Basic places.
  static constexpr long kLargestSize = 32767;
  // The edit styles a model may give an attribute: check box (0) to lookup (11).
  static constexpr std::int32_t kHighestEditStyle = 11;
};

}  // namespace tavik::brenlo
