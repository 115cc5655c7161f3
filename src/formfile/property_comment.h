// What followed a property's value on its line: nearly always nothing, so held in one pointer.
#pragma once

#include <fmt/format.h>

#include <cstring>
#include <string>
#include <string_view>

namespace tavik::formfile {

// Hardly any property line of a form has a comment after its value ("   'False"); as a text
// of sixteen bytes it was a third of every property. An absent comment costs the eight
// bytes of a null pointer, a present one is allocated. The pointer's bytes are aligned to
// one, as PropertyText's, so that a property takes 41 bytes.
class PropertyComment {
 public:
  PropertyComment() noexcept { Set(nullptr); }
  PropertyComment(std::string_view text)  // NOLINT(google-explicit-constructor)
  {
    Set(text.empty() ? nullptr : new std::string(text));
  }
  PropertyComment(const char* text)  // NOLINT(google-explicit-constructor)
      : PropertyComment(std::string_view(text)) {}
  PropertyComment(const PropertyComment& other) : PropertyComment(other.view()) {}
  PropertyComment(PropertyComment&& other) noexcept {
    Set(other.Get());
    other.Set(nullptr);
  }
  PropertyComment& operator=(const PropertyComment& other) {
    if (this != &other) *this = PropertyComment(other);
    return *this;
  }
  PropertyComment& operator=(PropertyComment&& other) noexcept {
    if (this != &other) {
      delete Get();
      Set(other.Get());
      other.Set(nullptr);
    }
    return *this;
  }
  ~PropertyComment() { delete Get(); }

  std::string_view view() const noexcept {
    const std::string* text = Get();
    return text ? std::string_view(*text) : std::string_view();
  }
  operator std::string_view() const noexcept { return view(); }  // NOLINT
  bool empty() const noexcept { return Get() == nullptr; }

  friend bool operator==(const PropertyComment& a, const PropertyComment& b) noexcept {
    return a.view() == b.view();
  }
  friend bool operator==(const PropertyComment& a, std::string_view b) noexcept {
    return a.view() == b;
  }
  friend bool operator==(const PropertyComment& a, const char* b) noexcept { return a.view() == b; }

 private:
  std::string* Get() const noexcept {
    std::string* text = nullptr;
    std::memcpy(&text, bytes_, sizeof text);
    return text;
  }
  void Set(std::string* text) noexcept { std::memcpy(bytes_, &text, sizeof text); }

  char bytes_[sizeof(std::string*)];  // the comment's text, or null for none
};

}  // namespace tavik::formfile

template <>
struct fmt::formatter<tavik::formfile::PropertyComment> : fmt::formatter<std::string_view> {
  template <typename FormatContext>
  auto format(const tavik::formfile::PropertyComment& comment, FormatContext& context) const {
    return fmt::formatter<std::string_view>::format(comment.view(), context);
  }
};
