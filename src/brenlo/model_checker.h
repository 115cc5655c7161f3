// The sense of a model as a whole, checked once it is read: duplicate entities, relationships
// that join nothing, edit styles and sizes no control can have, and master/detail cycles.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
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
  // control that cannot be made), or nothing.
  static std::optional<Finding> FirstFault(const Model& model);
  // The master/detail relationships that close cycles, naming the entities round each.
  static std::vector<Finding> Cycles(const Model& model);

  // On unless turned off. The model readers' own tests turn it off to feed them models this
  // refuses, pinning what those readers do with such models from other sources.
  static void SetChecking(bool on);
  static bool Checking();

  // Sizes of controls in twips run from 0 to this, the most Visual Basic places.
  static constexpr long kLargestSize = 32767;
};

}  // namespace tavik::brenlo
