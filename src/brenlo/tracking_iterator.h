// An iterator over model text that remembers the last character the JSON reader looked at.
#pragma once

#include <cstddef>
#include <iterator>

namespace tavik::brenlo {

// The JSON reader reports no positions for well-formed values; reading through this
// iterator tells where it stands when it hands over a value, so that a refused value
// can be placed on its line.
class TrackingIterator {
 public:
  using iterator_category = std::input_iterator_tag;
  using value_type = char;
  using difference_type = std::ptrdiff_t;
  using pointer = const char*;
  using reference = const char&;

  TrackingIterator(const char* at, const char** last_read) : at_(at), last_read_(last_read) {}

  reference operator*() const {
    *last_read_ = at_;
    return *at_;
  }
  TrackingIterator& operator++() {
    ++at_;
    return *this;
  }
  TrackingIterator operator++(int) {
    TrackingIterator before = *this;
    ++at_;
    return before;
  }
  friend bool operator==(const TrackingIterator& a, const TrackingIterator& b) {
    return a.at_ == b.at_;
  }

 private:
  const char* at_;
  const char** last_read_;
};

}  // namespace tavik::brenlo
