// The JSON module: walks model text read by simdjson, handing its values over as the
// reference reader's events.
#include "brenlo/json_module.h"

#include <fmt/format.h>
#include <simdjson.h>

#include <cstdint>
#include <string>
#include <type_traits>

namespace {

using simdjson::dom::element;
using simdjson::dom::element_type;
using tavik::brenlo::JsonEvents;

// The reference reader tells containers' sizes only when it knows them, which is never.
constexpr std::size_t kUnknownSize = static_cast<std::size_t>(-1);

class ValueWalk {
 public:
  explicit ValueWalk(JsonEvents& events) : events_(events) {}

  bool Value(element value) {
    switch (value.type()) {
      case element_type::OBJECT:
        return Object(value.get_object().value_unsafe());
      case element_type::ARRAY:
        return Array(value.get_array().value_unsafe());
      case element_type::STRING:
        return String(value.get_string().value_unsafe());
      case element_type::INT64:
        return events_.number_integer(value.get_int64().value_unsafe());
      case element_type::UINT64:
        return events_.number_unsigned(value.get_uint64().value_unsafe());
      case element_type::DOUBLE:
        return Fraction(value.get_double().value_unsafe());
      case element_type::BOOL:
        return events_.boolean(value.get_bool().value_unsafe());
      case element_type::NULL_VALUE:
        return events_.null();
    }
    return false;
  }

 private:
  bool Object(simdjson::dom::object object) {
    if (!events_.start_object(kUnknownSize)) return false;
    for (const simdjson::dom::key_value_pair member : object) {
      text_.assign(member.key);
      if (!events_.key(text_) || !Value(member.value)) return false;
    }
    return events_.end_object();
  }

  bool Array(simdjson::dom::array array) {
    if (!events_.start_array(kUnknownSize)) return false;
    for (const element item : array) {
      if (!Value(item)) return false;
    }
    return events_.end_array();
  }

  bool String(std::string_view value) {
    text_.assign(value);
    return events_.string(text_);
  }

  // simdjson keeps no literal; only a refusal's message would quote it, and a refused
  // value is read again by the reference reader. The model takes no fractions, so this
  // value is refused wherever a number is read, as the reference reader's would be.
  bool Fraction(double value) { return events_.number_float(value, fmt::format("{}", value)); }

  JsonEvents& events_;
  std::string text_;  // handed to the events, which may take its contents
};

}  // namespace

// Nothing is thrown across the module's edge: the program has its own C++ library.
extern "C" __attribute__((visibility("default"))) bool TavikWalkDocument(std::string_view text,
                                                                         JsonEvents& events) {
  try {
    simdjson::dom::parser parser;
    element root;
    if (parser.parse(text.data(), text.size()).get(root) != simdjson::SUCCESS) return false;
    return ValueWalk(events).Value(root);
  } catch (...) {
    return false;
  }
}
static_assert(std::is_same_v<decltype(TavikWalkDocument), tavik::brenlo::WalkDocumentFunction>);
