// Where a file's text goes piece by piece while it is being made.
#pragma once

#include <string_view>

namespace tavik {

// Large files are handed over in pieces as they are made, so their whole text never has to
// be held at once. A failed write is remembered by the sink and reported when the file ends.
class TextSink {
 public:
  virtual ~TextSink() = default;
  virtual void Write(std::string_view text) = 0;
};

}  // namespace tavik
