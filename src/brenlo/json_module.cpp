// The JSON module: walks model text read by simdjson, handing its values over as the
// document's events.
#include "brenlo/json_module.h"

#include <fmt/format.h>
#include <simdjson.h>

#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>

namespace {

using simdjson::ondemand::json_type;
using simdjson::ondemand::number_type;
using tavik::brenlo::DocumentEvents;

// Reads the document on demand, in one pass, without building simdjson's tape of the whole
// document: a model of megabytes would take several times its size in fresh memory for it.
// Every value is read, so every fault simdjson finds along the way refuses the text.
class ValueWalk {
 public:
  explicit ValueWalk(DocumentEvents& events) : events_(events) {}

  template <class Json>  // a document or a value within it
  bool Value(Json& value) {
    json_type type{};
    return value.type().get(type) == simdjson::SUCCESS && Typed(value, type);
  }

 private:
  template <class Json>
  bool Typed(Json& value, json_type type) {
    switch (type) {
      case json_type::object:
        return Object(value);
      case json_type::array:
        return Array(value);
      case json_type::string:
        return String(value);
      case json_type::number:
        return Number(value);
      case json_type::boolean: {
        bool truth = false;
        return value.get_bool().get(truth) == simdjson::SUCCESS && events_.Boolean(truth);
      }
      case json_type::null: {
        bool null = false;
        return value.is_null().get(null) == simdjson::SUCCESS && null && events_.Null();
      }
    }
    return false;
  }

  // A member whose value is a string or a whole number goes over with its key in one call;
  // any other value follows its key.
  template <class Json>
  bool Object(Json& value) {
    simdjson::ondemand::object object;
    if (value.get_object().get(object) != simdjson::SUCCESS) return false;
    if (!events_.StartObject()) return false;
    for (auto member : object) {
      simdjson::ondemand::field field;
      std::string_view key;
      json_type type{};
      if (std::move(member).get(field) != simdjson::SUCCESS ||
          field.unescaped_key().get(key) != simdjson::SUCCESS)
        return false;
      simdjson::ondemand::value item = field.value();
      if (item.type().get(type) != simdjson::SUCCESS) return false;
      if (type == json_type::string) {
        std::string_view text;
        if (item.get_string().get(text) != simdjson::SUCCESS || !events_.KeyString(key, text))
          return false;
      } else if (type == json_type::number) {
        if (!NumberMember(key, item)) return false;
      } else if (!events_.Key(key) || !Typed(item, type)) {
        return false;
      }
    }
    return events_.EndObject();
  }

  bool NumberMember(std::string_view key, simdjson::ondemand::value& item) {
    simdjson::ondemand::number number;
    if (item.get_number().get(number) != simdjson::SUCCESS) return false;
    if (number.get_number_type() == number_type::signed_integer) {
      return events_.KeyInteger(key, number.get_int64());
    }
    return events_.Key(key) && Read(number);
  }

  template <class Json>
  bool Array(Json& value) {
    simdjson::ondemand::array array;
    if (value.get_array().get(array) != simdjson::SUCCESS) return false;
    if (!events_.StartArray()) return false;
    for (auto element : array) {
      simdjson::ondemand::value item;
      if (std::move(element).get(item) != simdjson::SUCCESS || !Value(item)) return false;
    }
    return events_.EndArray();
  }

  template <class Json>
  bool String(Json& value) {
    std::string_view text;
    if (value.get_string().get(text) != simdjson::SUCCESS) return false;
    return events_.String(text);
  }

  template <class Json>
  bool Number(Json& value) {
    simdjson::ondemand::number number;
    if (value.get_number().get(number) != simdjson::SUCCESS) return false;
    return Read(number);
  }

  bool Read(simdjson::ondemand::number number) {
    switch (number.get_number_type()) {
      case number_type::signed_integer:
        return events_.Integer(number.get_int64());
      case number_type::unsigned_integer:
        return events_.Unsigned(number.get_uint64());
      case number_type::floating_point_number:
        return Fraction(number.get_double());
    }
    return false;
  }

  // simdjson keeps no literal; only a refusal's message would quote it, and a refused
  // value is read again by the reference reader. The model takes no fractions, so this
  // value is refused wherever a number is read, as the reference reader's would be.
  bool Fraction(double value) { return events_.Fraction(value, fmt::format("{}", value)); }

  DocumentEvents& events_;
};

bool WalkPadded(simdjson::padded_string_view text, DocumentEvents& events) {
  simdjson::ondemand::parser parser;
  simdjson::ondemand::document document;
  if (parser.iterate(text).get(document) != simdjson::SUCCESS) return false;
  // The root value read, nothing may follow it: the place after the end is out of bounds.
  return ValueWalk(events).Value(document) &&
         document.current_location().error() == simdjson::OUT_OF_BOUNDS;
}

}  // namespace

// Nothing is thrown across the module's edge: the program has its own C++ library.
extern "C" __attribute__((visibility("default"))) bool TavikWalkDocument(std::string_view text,
                                                                         std::size_t readable,
                                                                         DocumentEvents& events) {
  try {
    if (readable >= text.size() + simdjson::SIMDJSON_PADDING) {
      return WalkPadded(simdjson::padded_string_view(text.data(), text.size(), readable), events);
    }
    const simdjson::padded_string copy(text);
    return WalkPadded(copy, events);
  } catch (...) {
    return false;
  }
}
static_assert(std::is_same_v<decltype(TavikWalkDocument), tavik::brenlo::WalkDocumentFunction>);
static_assert(tavik::brenlo::kReadingPadding >= simdjson::SIMDJSON_PADDING);
