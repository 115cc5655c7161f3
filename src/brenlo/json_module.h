// The entry point of the module that reads large models with simdjson, loaded with the first.
#pragma once

#include <cstddef>
#include <nlohmann/json.hpp>
#include <string_view>

namespace tavik::brenlo {

// The events of the reference JSON reader, which the module calls as that reader would.
using JsonEvents = nlohmann::json_sax<nlohmann::json>;

// Hands each value to events in document order, duplicates included, as the reference
// reader does; false when the text is refused or the events stop the reading. readable
// counts the bytes that may be read from the text's start: past its end, simdjson reads
// up to kReadingPadding more, and copies a text that has not that room.
using WalkDocumentFunction = bool(std::string_view text, std::size_t readable, JsonEvents& events);
// The room simdjson reads past the text (its SIMDJSON_PADDING), which a text read for it leaves.
inline constexpr std::size_t kReadingPadding = 64;
// The name the module exports its WalkDocumentFunction under.
inline constexpr const char* kWalkDocumentSymbol = "TavikWalkDocument";

}  // namespace tavik::brenlo
