// The entry point of the module that reads large models with simdjson, loaded with the first.
#pragma once

#include <nlohmann/json.hpp>
#include <string_view>

namespace tavik::brenlo {

// The events of the reference JSON reader, which the module calls as that reader would.
using JsonEvents = nlohmann::json_sax<nlohmann::json>;

// Checks the whole text at once and hands each value to events in document order,
// duplicates included, as the reference reader does; false when the text is refused or the
// events stop the reading.
using WalkDocumentFunction = bool(std::string_view text, JsonEvents& events);
// The name the module exports its WalkDocumentFunction under.
inline constexpr const char* kWalkDocumentSymbol = "TavikWalkDocument";

}  // namespace tavik::brenlo
