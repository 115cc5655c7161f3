// Property texts kept in place or on the heap.
#include "formfile/property_text.h"

#include <limits>
#include <stdexcept>

namespace tavik::formfile {

static_assert(sizeof(char*) <= 8, "a pointer must fit before the size");

PropertyText& PropertyText::operator=(std::string_view text) {
  // A short text replaces one in place where it stands (memmove, as it may be part of it).
  if (!OnHeap() && text.size() <= kInPlace) {
    if (!text.empty()) std::memmove(bytes_, text.data(), text.size());
    SetInPlaceSize(text.size());
    return *this;
  }
  // The text may be part of this one: it is copied before this one is released.
  PropertyText copy(text);
  return *this = std::move(copy);
}

void PropertyText::Assign(std::string_view text) {
  if (text.size() <= kInPlace) {
    if (!text.empty()) std::memcpy(bytes_, text.data(), text.size());
    SetInPlaceSize(text.size());
    return;
  }
  if (text.size() > std::numeric_limits<std::uint32_t>::max() - 1) {
    throw std::length_error("a property text of 4 GiB or more");
  }
  char* pointer = new char[text.size() + 1];
  std::memcpy(pointer, text.data(), text.size());
  pointer[text.size()] = '\0';
  const auto size = static_cast<std::uint32_t>(text.size());
  std::memcpy(bytes_, &pointer, sizeof pointer);
  std::memcpy(bytes_ + kSizeAt, &size, sizeof size);
  bytes_[kInPlace] = static_cast<char>(kOnHeap);
}

}  // namespace tavik::formfile
