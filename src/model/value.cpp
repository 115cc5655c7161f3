// Variant values and their text.
#include "model/value.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>

namespace tavik {

Value Value::Single(float value) {
  return Value(TVK_VT_R4, std::bit_cast<std::uint32_t>(value));
}

void Value::CopyHeapText(const char* text) {
  const std::uint32_t length = Bits();
  char* copy = new char[length + 1];
  std::memcpy(copy, text, length + 1);
  SetHeapText(copy);
}

Value& Value::operator=(const Value& other) {
  if (this != &other) *this = Value(other);
  return *this;
}

bool Value::operator==(const Value& other) const {
  if (type_ != other.type_) return false;
  if (HasTextStorage()) return AsString() == other.AsString();
  return Bits() == other.Bits();
}

void Value::SetText(std::string_view text) {
  char* at = payload_;
  if (text.size() < kInlineTextRoom) {
    text_place_ = static_cast<std::uint16_t>(text.size());
  } else {
    text_place_ = kTextOnHeap;
    SetBits(static_cast<std::uint32_t>(text.size()));
    at = new char[text.size() + 1];
    SetHeapText(at);
  }
  if (!text.empty()) std::memcpy(at, text.data(), text.size());
  at[text.size()] = '\0';
}

Value Value::LongString(std::string_view text) {
  Value result(TVK_VT_BSTR, 0U);
  result.SetText(text);
  return result;
}

namespace {
constexpr std::size_t kBlockLengthSize = sizeof(std::uint32_t);
}  // namespace

Value Value::Blob(std::string_view bytes) {
  Value result(TVK_VT_BLOB, 0U);
  const auto length = static_cast<std::uint32_t>(bytes.size());
  std::string block(kBlockLengthSize, '\0');
  std::memcpy(block.data(), &length, kBlockLengthSize);
  block += bytes;
  result.SetText(block);
  return result;
}

std::string_view Value::AsBytes() const {
  if (type_ != TVK_VT_BLOB) return {};
  return AsString().substr(kBlockLengthSize);
}

Value Value::FromVariant(const TVK_VARIANT& variant) {
  switch (variant.vt) {
    case TVK_VT_I2:
      return Short(variant.u.iVal);
    case TVK_VT_I4:
      return Long(variant.u.lVal);
    case TVK_VT_R4:
      return Single(variant.u.fltVal);
    case TVK_VT_BSTR:
      return String(variant.u.bstrVal ? variant.u.bstrVal : "");
    case TVK_VT_BOOL:
      return Boolean(variant.u.boolVal != 0);
    case TVK_VT_UI1:
      return Byte(variant.u.bVal);
    case TVK_VT_UI4:
      return ULong(variant.u.ulVal);
    case TVK_VT_BLOB: {
      if (!variant.u.byref) return Blob({});
      std::uint32_t length = 0;
      std::memcpy(&length, variant.u.byref, kBlockLengthSize);
      return Blob({static_cast<const char*>(variant.u.byref) + kBlockLengthSize, length});
    }
    default:
      return Value();
  }
}

std::int64_t Value::Integer() const {
  switch (type_) {
    case TVK_VT_UI1:
    case TVK_VT_UI4:
      return Bits();
    case TVK_VT_I2:
    case TVK_VT_I4:
    case TVK_VT_BOOL:
      return static_cast<std::int32_t>(Bits());
    default:
      return 0;
  }
}

std::int64_t Value::AsInteger() const {
  if (type_ == TVK_VT_R4) return static_cast<std::int64_t>(single());
  return Integer();
}

float Value::AsSingle() const {
  if (type_ == TVK_VT_R4) return single();
  return static_cast<float>(Integer());
}

std::string Value::Text() const {
  std::string text;
  AppendText(text);
  return text;
}

namespace {
// Numbers go straight into the text: every property line of a form writes one, and a
// format pattern parsed for each costs more than the rest of the line.
constexpr std::string_view kDigitPairs =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

std::size_t DigitCount(std::uint64_t magnitude) {
  std::size_t count = 1;
  while (magnitude >= 100) {
    magnitude /= 100;
    count += 2;
  }
  return magnitude >= 10 ? count + 1 : count;
}

char* WritePair(char* at, std::uint32_t pair) {
  std::memcpy(at, kDigitPairs.data() + 2 * pair, 2);
  return at + 2;
}

// A number below 100, or below 10,000, without leading zeros.
char* WriteUpToTwo(char* at, std::uint32_t number) {
  if (number >= 10) return WritePair(at, number);
  *at = static_cast<char>('0' + number);
  return at + 1;
}
char* WriteUpToFour(char* at, std::uint32_t number) {
  if (number < 100) return WriteUpToTwo(at, number);
  return WritePair(WriteUpToTwo(at, number / 100), number % 100);
}
// Four digits, leading zeros and all.
char* WriteFour(char* at, std::uint32_t number) {
  return WritePair(WritePair(at, number / 100), number % 100);
}

// Any number, its digits counted first.
char* WriteManyDigits(char* at, std::uint64_t magnitude) {
  char* const end = at + DigitCount(magnitude);
  char* digit = end;
  while (magnitude >= 10) {
    const std::size_t pair = 2 * static_cast<std::size_t>(magnitude % 100);
    magnitude /= 100;
    *--digit = kDigitPairs[pair + 1];
    *--digit = kDigitPairs[pair];
  }
  if (digit != at) *--digit = static_cast<char>('0' + magnitude);
  return end;
}

// Twips, indexes and colours, nearly every number a form holds, are below 10^8: written in
// 32 bits, four digits at a time, without counting them first.
inline char* WriteDigits(char* at, bool negative, std::uint64_t magnitude) {
  constexpr std::uint32_t kFourDigits = 10000;
  if (negative) *at++ = '-';
  if (magnitude >= std::uint64_t{kFourDigits} * kFourDigits) return WriteManyDigits(at, magnitude);
  const auto number = static_cast<std::uint32_t>(magnitude);
  if (number < kFourDigits) return WriteUpToFour(at, number);
  return WriteFour(WriteUpToFour(at, number / kFourDigits), number % kFourDigits);
}

char* WriteInteger(char* at, std::int64_t number) {
  const bool negative = number < 0;
  const auto magnitude = static_cast<std::uint64_t>(number);
  return WriteDigits(at, negative, negative ? std::uint64_t{0} - magnitude : magnitude);
}

// Fixed with no decimals: the exact value rounded half to even, as "%.0f" writes it, a
// negative value that rounds to nothing keeping its sign ("-0"). Forms hold twips and point
// sizes, nearly all of them whole and below 10^8, which need no rounding; past 2^53 (and for
// infinities and NaN) the library's conversion writes it.
char* WriteSingle(char* at, float number) {
  constexpr float kSmallLimit = 1e8F;
  const float magnitude = std::fabs(number);
  if (magnitude < kSmallLimit) {
    const auto whole = static_cast<std::uint32_t>(magnitude);
    if (static_cast<float>(whole) == magnitude) return WriteDigits(at, std::signbit(number), whole);
  }
  constexpr double kExactLimit = 9007199254740992.0;  // 2^53
  const double exact = std::fabs(static_cast<double>(number));
  if (!(exact < kExactLimit)) {
    return std::to_chars(at, at + Value::kNumberTextRoom, number, std::chars_format::fixed, 0).ptr;
  }
  auto whole = static_cast<std::uint64_t>(exact);
  const double fraction = exact - static_cast<double>(whole);
  if (fraction > 0.5 || (fraction == 0.5 && whole % 2 == 1)) ++whole;
  return WriteDigits(at, std::signbit(number), whole);
}

char* WriteWord(char* at, std::string_view word) {
  std::memcpy(at, word.data(), word.size());
  return at + word.size();
}
}  // namespace

char* Value::WriteNumberText(char* at) const {
  switch (type_) {
    case TVK_VT_I2:
    case TVK_VT_I4:
      return WriteInteger(at, Integer());
    case TVK_VT_R4:
      return WriteSingle(at, single());
    case TVK_VT_BOOL:
      return Bits() != 0 ? WriteWord(at, "TRUE") : WriteWord(at, "FALSE");
    case TVK_VT_UI1:
    case TVK_VT_UI4:
      return WriteDigits(at, false, Bits());
    default:
      return at;
  }
}

void Value::AppendText(std::string& text) const {
  switch (type_) {
    case TVK_VT_EMPTY:
      text += "VT_EMPTY";
      break;
    case TVK_VT_BSTR:
      text += AsString();
      break;
    default: {
      std::array<char, kNumberTextRoom> number;
      text.append(number.data(), WriteNumberText(number.data()));
      break;
    }
  }
}

// A string's text is itself, an empty value's a word and a number's its digits; the other
// types write nothing.
bool Value::HasText() const {
  switch (type_) {
    case TVK_VT_BSTR:
      return TextLength() != 0;
    case TVK_VT_EMPTY:
    case TVK_VT_I2:
    case TVK_VT_I4:
    case TVK_VT_R4:
    case TVK_VT_BOOL:
    case TVK_VT_UI1:
    case TVK_VT_UI4:
      return true;
    default:
      return false;
  }
}

TVK_VARIANT Value::ToVariant() const {
  TVK_VARIANT variant{};
  variant.vt = type_;
  switch (type_) {
    case TVK_VT_I2:
    case TVK_VT_BOOL:
      variant.u.iVal = static_cast<std::int16_t>(Integer());
      break;
    case TVK_VT_I4:
      variant.u.lVal = static_cast<std::int32_t>(Integer());
      break;
    case TVK_VT_R4:
      variant.u.fltVal = single();
      break;
    case TVK_VT_BSTR:
      variant.u.bstrVal = const_cast<char*>(Chars());
      break;
    case TVK_VT_UI1:
      variant.u.bVal = static_cast<std::uint8_t>(Bits());
      break;
    case TVK_VT_UI4:
      variant.u.ulVal = Bits();
      break;
    case TVK_VT_BLOB:
      variant.u.byref = const_cast<char*>(Chars());
      break;
    default:
      break;
  }
  return variant;
}

std::string VariantTypeName(std::uint16_t type) {
  static constexpr std::array<const char*, 32> kLow = {
      "Void",   "Null",    "Integer", "Long",      "Single",  "Double",      "Currency", "Date",
      "String", "Object",  "SCODE",   "Boolean",   "Variant", "pIUnknown",   "Unicode",  "",
      "BYTE",   "char",    "USHORT",  "ULONG",     "int64",   "uint64",      "int",      "UINT",
      "VOID",   "HRESULT", "PTR",     "SAFEARRAY", "CARRAY",  "USERDEFINED", "LPSTR",    "LPWSTR"};
  static constexpr std::array<const char*, 9> kHigh = {
      "FILETIME",      "BLOB",        "STREAM", "STORAGE", "STREAMED_OBJECT",
      "STORED_OBJECT", "BLOB_OBJECT", "CF",     "CLSID"};
  if (type < kLow.size()) return kLow[type];
  if (type < 64) return "";
  if (type <= 72) return kHigh[type - 64];
  return "Unknown variant type";
}

}  // namespace tavik
