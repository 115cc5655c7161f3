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

class Value {
 public:
  Value() = default;
  Value(const Value& other) : type_(other.type_), bits_(other.bits_) {
    if (other.TextIsInline()) {
      std::memcpy(inline_text_, other.inline_text_, kInlineTextRoom);
    } else {
      CopyHeapText(other.heap_text_);
    }
  }
  // Moves are inline: values move into and out of every property the generator makes.
  Value(Value&& other) noexcept : type_(other.type_), bits_(other.bits_) {
    std::memcpy(inline_text_, other.inline_text_, kInlineTextRoom);  // the pointer, if any
    other.type_ = TVK_VT_EMPTY;
    other.bits_ = 0;
  }
  Value& operator=(const Value& other);
  Value& operator=(Value&& other) noexcept {
    if (this == &other) return *this;
    FreeText();
    type_ = other.type_;
    bits_ = other.bits_;
    std::memcpy(inline_text_, other.inline_text_, kInlineTextRoom);
    other.type_ = TVK_VT_EMPTY;
    other.bits_ = 0;
    return *this;
  }
  ~Value() { FreeText(); }
  static Value Short(std::int16_t value) { return OfInteger(TVK_VT_I2, value); }
  static Value Long(std::int32_t value) { return OfInteger(TVK_VT_I4, value); }
  static Value Single(float value);
  static Value String(std::string_view text);
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
  const char* AsCString() const { return Chars(); }
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
  Value(std::uint16_t type, std::uint32_t bits) : type_(type), bits_(bits) {}
  static Value OfInteger(std::uint16_t type, std::int32_t number) {
    return Value(type, static_cast<std::uint32_t>(number));
  }
  float single() const { return std::bit_cast<float>(bits_); }
  // The number held by an integer type: a Long's bits signed, an unsigned type's not.
  std::int64_t Integer() const;

  // Room for the text and its terminating zero, kept in the value when it fits.
  void SetText(std::string_view text);
  // A copy of a text too long to sit in the value, bits_ long.
  void CopyHeapText(const char* text);
  void FreeText() {
    if (!TextIsInline()) delete[] heap_text_;
  }
  bool HasTextStorage() const { return type_ == TVK_VT_BSTR || type_ == TVK_VT_BLOB; }
  std::uint32_t TextLength() const { return HasTextStorage() ? bits_ : 0; }
  bool TextIsInline() const { return TextLength() < kInlineTextRoom; }
  const char* Chars() const { return TextIsInline() ? inline_text_ : heap_text_; }

  // A form holds hundreds of thousands of values: the number (an integer's or a single's
  // bits, or a text's length) sits beside the type code, in what would otherwise be
  // padding, and a text of up to seven characters sits in the place of the pointer to a
  // longer one, so a value takes 16 bytes.
  static constexpr std::size_t kInlineTextRoom = 8;
  std::uint16_t type_ = TVK_VT_EMPTY;
  std::uint32_t bits_ = 0;
  union {
    char inline_text_[kInlineTextRoom] = {};
    char* heap_text_;
  };
};

// The Visual Basic name of a variant type code.
std::string VariantTypeName(std::uint16_t type);

// A present value whose text is not empty: how a model property counts as given.
inline bool HasText(const std::optional<Value>& value) {
  return value && value->HasText();
}

}  // namespace tavik
