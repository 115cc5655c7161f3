// A property's name, value or comment in sixteen bytes: short texts in place, longer ones on
// the heap.
#pragma once

#include <fmt/format.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace tavik::formfile {

// A large form holds about a million property lines of a few characters each: a name, a
// value and a comment as three std::string took 104 bytes a property and made the reader's
// lists the largest part of inspect's memory. Up to fifteen characters are kept in place;
// a longer text is allocated, with its size beside the pointer. The bytes are aligned to
// one, so that a property's name, value and kind take 33 bytes. The text always ends
// with a NUL, as c_str() promises.
class PropertyText {
 public:
  static constexpr std::size_t kInPlace = 15;

  PropertyText() noexcept { SetInPlaceSize(0); }
  // Implicit, as the std::string it replaces: property.text = "TRUE".
  PropertyText(std::string_view text) { Assign(text); }  // NOLINT(google-explicit-constructor)
  PropertyText(const std::string& text)                  // NOLINT(google-explicit-constructor)
      : PropertyText(std::string_view(text)) {}
  PropertyText(const char* text)  // NOLINT(google-explicit-constructor)
      : PropertyText(std::string_view(text)) {}
  PropertyText(const PropertyText& other) : PropertyText(other.view()) {}
  PropertyText(PropertyText&& other) noexcept {
    std::memcpy(bytes_, other.bytes_, sizeof bytes_);
    other.SetInPlaceSize(0);
  }
  PropertyText& operator=(const PropertyText& other) {
    if (this != &other) *this = other.view();
    return *this;
  }
  PropertyText& operator=(PropertyText&& other) noexcept {
    if (this != &other) {
      Release();
      std::memcpy(bytes_, other.bytes_, sizeof bytes_);
      other.SetInPlaceSize(0);
    }
    return *this;
  }
  PropertyText& operator=(std::string_view text);
  PropertyText& operator=(const std::string& text) { return *this = std::string_view(text); }
  PropertyText& operator=(const char* text) { return *this = std::string_view(text); }
  ~PropertyText() { Release(); }

  std::string_view view() const noexcept { return {data(), size()}; }
  operator std::string_view() const noexcept { return view(); }  // NOLINT
  std::string str() const { return std::string(view()); }
  const char* data() const noexcept { return OnHeap() ? HeapPointer() : bytes_; }
  const char* c_str() const noexcept { return data(); }
  std::size_t size() const noexcept { return OnHeap() ? HeapSize() : kInPlace - Tag(); }
  bool empty() const noexcept { return size() == 0; }

  friend bool operator==(const PropertyText& a, const PropertyText& b) noexcept {
    return a.view() == b.view();
  }
  friend bool operator==(const PropertyText& a, std::string_view b) noexcept {
    return a.view() == b;
  }
  friend bool operator==(const PropertyText& a, const char* b) noexcept { return a.view() == b; }
  friend bool operator==(const PropertyText& a, const std::string& b) noexcept {
    return a.view() == b;
  }

 private:
  // The last byte tells the two apart: in place it is 15 less the size (so that a text of
  // fifteen characters ends in its NUL); kOnHeap for an allocated text.
  static constexpr unsigned char kOnHeap = 0x80;
  static constexpr std::size_t kSizeAt = 8;

  void Assign(std::string_view text);
  void Release() noexcept {
    if (OnHeap()) delete[] HeapPointer();
  }
  unsigned char Tag() const noexcept { return static_cast<unsigned char>(bytes_[kInPlace]); }
  bool OnHeap() const noexcept { return Tag() == kOnHeap; }
  void SetInPlaceSize(std::size_t size) noexcept {
    bytes_[size] = '\0';
    bytes_[kInPlace] = static_cast<char>(kInPlace - size);
  }
  char* HeapPointer() const noexcept {
    char* pointer = nullptr;
    std::memcpy(&pointer, bytes_, sizeof pointer);
    return pointer;
  }
  std::size_t HeapSize() const noexcept {
    std::uint32_t size = 0;
    std::memcpy(&size, bytes_ + kSizeAt, sizeof size);
    return size;
  }

  char bytes_[kInPlace + 1];
};

static_assert(sizeof(PropertyText) == 16);

}  // namespace tavik::formfile

template <>
struct fmt::formatter<tavik::formfile::PropertyText> : fmt::formatter<std::string_view> {
  template <typename FormatContext>
  auto format(const tavik::formfile::PropertyText& text, FormatContext& context) const {
    return fmt::formatter<std::string_view>::format(text.view(), context);
  }
};
