// The entry point of the module that reads large models with simdjson, loaded with the first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tavik::brenlo {

// The values of a document as the module hands them over, in document order, duplicates
// included, as the reference reader's events would: each text is a view into the module's
// own buffer, valid for the call only, so nothing is copied on the way. Each returns false
// only to stop the reading for good.
class DocumentEvents {
 public:
  virtual bool Null() = 0;
  virtual bool Boolean(bool value) = 0;
  virtual bool Integer(std::int64_t value) = 0;
  virtual bool Unsigned(std::uint64_t value) = 0;
  // literal: the number as text, which a message about a refused value quotes.
  virtual bool Fraction(double value, std::string_view literal) = 0;
  virtual bool String(std::string_view text) = 0;
  virtual bool Key(std::string_view name) = 0;
  // A member whose value is a string or a whole number of 64 bits, as nearly every member of
  // a model is, handed over with its key in one call: the same as Key and then String or
  // Integer.
  virtual bool KeyString(std::string_view name, std::string_view text) = 0;
  virtual bool KeyInteger(std::string_view name, std::int64_t value) = 0;
  virtual bool StartObject() = 0;
  virtual bool EndObject() = 0;
  virtual bool StartArray() = 0;
  virtual bool EndArray() = 0;

 protected:
  ~DocumentEvents() = default;
};

// Hands each value to events; false when the text is refused or the events stop the
// reading. readable counts the bytes that may be read from the text's start: past its end,
// simdjson reads up to kReadingPadding more, and copies a text that has not that room.
using WalkDocumentFunction = bool(std::string_view text, std::size_t readable,
                                  DocumentEvents& events);
// The room simdjson reads past the text (its SIMDJSON_PADDING), which a text read for it leaves.
inline constexpr std::size_t kReadingPadding = 64;
// The name the module exports its WalkDocumentFunction under.
inline constexpr const char* kWalkDocumentSymbol = "TavikWalkDocument";

}  // namespace tavik::brenlo
