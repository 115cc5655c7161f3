// A named property's value: one of the variant types the system stores, with its text.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "tavikfw/variant.h"

namespace tavik {

class alignas(8) Value {
 public:
  Value() = default;
  Value(const Value& other) : type_(other.type_), text_place_(other.text_place_) {
    std::memcpy(payload_, other.payload_, kPayloadSize);
    if (other.TextIsOnHeap()) CopyHeapText(other.HeapText());
  }
  // Moves are inline: values move into and out of every property the generator makes.
  Value(Value&& other) noexcept : type_(other.type_), text_place_(other.text_place_) {
    std::memcpy(payload_, other.payload_, kPayloadSize);  // the pointer, if any
    other.LeaveEmpty();
  }
  Value& operator=(const Value& other);
  Value& operator=(Value&& other) noexcept {
    if (this == &other) return *this;
    FreeText();
    type_ = other.type_;
    text_place_ = other.text_place_;
    std::memcpy(payload_, other.payload_, kPayloadSize);
    other.LeaveEmpty();
    return *this;
  }
  ~Value() { FreeText(); }
  static Value Short(std::int16_t value) { return OfInteger(TVK_VT_I2, value); }
  static Value Long(std::int32_t value) { return OfInteger(TVK_VT_I4, value); }
  static Value Single(float value);
  // Inline for a text that fits in the value, as nearly every name and type the model gives
  // does: the model's texts are made into values one by one.
  static Value String(std::string_view text) {
    if (text.size() >= kInlineTextRoom) return LongString(text);
    Value result(TVK_VT_BSTR, 0U);
    result.text_place_ = static_cast<std::uint16_t>(text.size());
    result.CopyShortText(text);
    return result;
  }
  static Value Boolean(bool value) { return OfInteger(TVK_VT_BOOL, value ? -1 : 0); }
  static Value Byte(std::uint8_t value) { return Value(TVK_VT_UI1, std::uint32_t{value}); }
  static Value ULong(std::uint32_t value) { return Value(TVK_VT_UI4, value); }
  // A byte block, kept as a variant carries it: a 32-bit length, then the bytes.
  static Value Blob(std::string_view bytes);
  static Value FromVariant(const TVK_VARIANT& variant);

  std::uint16_t type() const { return type_; }
  bool IsString() const { return type_ == TVK_VT_BSTR; }
  bool IsEmpty() const { return type_ == TVK_VT_EMPTY; }
  // The number held by an integer type (a single is truncated; a string gives 0).
  std::int64_t AsInteger() const;
  float AsSingle() const;
  // The text of a string (a byte block's whole storage); empty for the other types.
  std::string_view AsString() const { return {Chars(), TextLength()}; }
  // The same text ended by a zero, for the C library's conversions.
  const char* AsCString() const { return HasTextStorage() ? Chars() : ""; }
  // The bytes of a byte block.
  std::string_view AsBytes() const;

  // The text of the value as the form file and the reverse-engineering dialog show it.
  std::string Text() const;
  void AppendText(std::string& text) const;
  // Whether that text is not empty, told without making it.
  bool HasText() const;
  // Room enough for the text of any number or truth value.
  static constexpr std::size_t kNumberTextRoom = 48;
  // Writes the text of a number or truth value at at (kNumberTextRoom bytes of room) and
  // returns its end; any other type writes nothing.
  char* WriteNumberText(char* at) const;
  // A variant copy for a client; its string or byte block points into this value.
  TVK_VARIANT ToVariant() const;

  bool operator==(const Value& other) const;

 private:
  // Every integer type is at most 32 bits wide: its bits, as the type reads them.
  Value(std::uint16_t type, std::uint32_t bits) : type_(type) { SetBits(bits); }
  static Value OfInteger(std::uint16_t type, std::int32_t number) {
    return Value(type, static_cast<std::uint32_t>(number));
  }
  float single() const { return std::bit_cast<float>(Bits()); }
  // The number held by an integer type: a Long's bits signed, an unsigned type's not.
  std::int64_t Integer() const;

  // The payload read and written in place: a number's bits, or a long text's length and
  // the pointer to it.
  std::uint32_t Bits() const {
    std::uint32_t bits = 0;
    std::memcpy(&bits, payload_, sizeof(bits));
    return bits;
  }
  void SetBits(std::uint32_t bits) { std::memcpy(payload_, &bits, sizeof(bits)); }
  char* HeapText() const {
    char* text = nullptr;
    std::memcpy(&text, payload_ + kHeapTextAt, sizeof(text));
    return text;
  }
  void SetHeapText(char* text) { std::memcpy(payload_ + kHeapTextAt, &text, sizeof(text)); }

  // Room for the text and its terminating zero, kept in the value when it fits.
  void SetText(std::string_view text);
  static Value LongString(std::string_view text);
  // Copies a text shorter than the payload into it, which is zero: two words, overlapping
  // as the length needs, from each end of the text, instead of a call for a few bytes.
  void CopyShortText(std::string_view text) {
    const std::size_t size = text.size();
    const char* from = text.data();
    if (size >= 8) {
      std::memcpy(payload_, from, 8);
      std::memcpy(payload_ + size - 8, from + size - 8, 8);
    } else if (size >= 4) {
      std::memcpy(payload_, from, 4);
      std::memcpy(payload_ + size - 4, from + size - 4, 4);
    } else if (size > 0) {
      payload_[0] = from[0];
      payload_[size / 2] = from[size / 2];
      payload_[size - 1] = from[size - 1];
    }
  }
  // A copy of a text too long to sit in the value, Bits() long.
  void CopyHeapText(const char* text);
  void FreeText() {
    if (TextIsOnHeap()) delete[] HeapText();
  }
  // What a value is left as once moved from: empty, its text (if any) gone with the move.
  void LeaveEmpty() {
    type_ = TVK_VT_EMPTY;
    text_place_ = 0;
    SetBits(0);
  }
  bool HasTextStorage() const { return type_ == TVK_VT_BSTR || type_ == TVK_VT_BLOB; }
  bool TextIsOnHeap() const { return text_place_ == kTextOnHeap; }
  std::uint32_t TextLength() const {
    if (!HasTextStorage()) return 0;
    return TextIsOnHeap() ? Bits() : text_place_;
  }
  const char* Chars() const { return TextIsOnHeap() ? HeapText() : payload_; }

  // A form holds hundreds of thousands of values in 16 bytes each: the type code; the
  // length of a text held in the value, or kTextOnHeap for a longer one; and 12 bytes of
  // payload, which hold a number's bits, or a text of up to eleven characters and its zero
  // (nearly every name and type the model gives), or a longer text's length and the
  // pointer to it.
  static constexpr std::size_t kPayloadSize = 12;
  static constexpr std::size_t kInlineTextRoom = kPayloadSize;
  static constexpr std::size_t kHeapTextAt = 4;
  static constexpr std::uint16_t kTextOnHeap = 0xFFFF;
  static_assert(kInlineTextRoom <= kTextOnHeap);
  std::uint16_t type_ = TVK_VT_EMPTY;
  std::uint16_t text_place_ = 0;
  char payload_[kPayloadSize] = {};
};

static_assert(sizeof(Value) == 16);

// The Visual Basic name of a variant type code.
std::string VariantTypeName(std::uint16_t type);

// A present value whose text is not empty: how a model property counts as given.
inline bool HasText(const std::optional<Value>& value) {
  return value && value->HasText();
}

}  // namespace tavik
