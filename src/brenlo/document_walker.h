// Reads model text with simdjson, through the JSON module, and hands its values to a
// ModelParser as the JSON events.
#pragma once

#include <cstddef>
#include <string_view>

namespace tavik::brenlo {

class ModelParser;

// The quick first reading of a model: simdjson checks the whole document at once and the
// walk hands each value over in document order, duplicates included, as the reference
// reader does. It keeps no positions, so a document it refuses, or one whose values the
// parser refuses, is read again by the reference reader, which gives the message.
class DocumentWalker {
 public:
  // False when simdjson refuses the text, the parser stops reading, or the module that
  // reads with simdjson cannot be loaded.
  // readable: the bytes that may be read from the text's start (kReadingPadding past its
  // end spares a copy of the text).
  static bool Walk(std::string_view text, std::size_t readable, ModelParser& events);
  // Whether the module is there to read with.
  static bool Available();
};

}  // namespace tavik::brenlo
