// Hands the values of a model document already in memory to a ModelParser as the JSON events.
#include "brenlo/tree_walker.h"

#include <fmt/format.h>

#include <nlohmann/json.hpp>
#include <string>

#include "brenlo/model_parser.h"

namespace tavik::brenlo {
namespace {

using nlohmann::ordered_json;
using Type = ordered_json::value_t;

class ValueWalk {
 public:
  explicit ValueWalk(ModelParser& events) : events_(events) {}

  bool Value(const ordered_json& value) {
    switch (value.type()) {
      case Type::object:
        return Object(value);
      case Type::array:
        return Array(value);
      case Type::string:
        return events_.OnString(value.get_ref<const std::string&>());
      case Type::number_integer:
        return events_.number_integer(value.get<std::int64_t>());
      case Type::number_unsigned:
        return events_.number_unsigned(value.get<std::uint64_t>());
      case Type::number_float:
        // Its text would be the literal the reference reader quotes; the model takes no
        // fractions, so the value is refused and read again from the text all the same.
        return events_.OnNumberLiteral(fmt::format("{}", value.get<double>()));
      case Type::boolean:
        return events_.boolean(value.get<bool>());
      case Type::null:
        return events_.null();
      case Type::binary:
      case Type::discarded:
        break;
    }
    return false;
  }

 private:
  bool Object(const ordered_json& object) {
    if (!events_.OnOpen(true)) return false;
    for (const auto& [key, member] : object.get_ref<const ordered_json::object_t&>()) {
      if (!events_.OnKey(key) || !Value(member)) return false;
    }
    return events_.OnClose();
  }

  bool Array(const ordered_json& array) {
    if (!events_.OnOpen(false)) return false;
    for (const ordered_json& item : array) {
      if (!Value(item)) return false;
    }
    return events_.OnClose();
  }

  ModelParser& events_;
};

}  // namespace

bool TreeWalker::Walk(const ordered_json& document, ModelParser& events) {
  return ValueWalk(events).Value(document);
}

}  // namespace tavik::brenlo
