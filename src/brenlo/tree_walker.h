// Hands the values of a model document already in memory to a ModelParser as the JSON events.
#pragma once

#include <nlohmann/json_fwd.hpp>

namespace tavik::brenlo {

class ModelParser;

// A document that a program built (a database's forms, one at a time) is read without being
// written out as text and read back: the walk hands over its values in document order, as
// the reading of its text would. It keeps no positions, so a document the parser refuses is
// read again from its text, which gives the message.
class TreeWalker {
 public:
  // False when the parser stops reading.
  static bool Walk(const nlohmann::ordered_json& document, ModelParser& events);
};

}  // namespace tavik::brenlo
