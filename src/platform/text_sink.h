// Where a file's text goes piece by piece while it is being made.
#pragma once

#include <string_view>

namespace tavik {

class ScratchFile;
class TextDigest;

// Large files are handed over in pieces as they are made, so their whole text never has to
// be held at once. A failed write is remembered by the sink and reported when the file ends.
class TextSink {
 public:
  virtual ~TextSink() = default;
  virtual void Write(std::string_view text) = 0;
  // Takes every byte written to scratch, whose fingerprint is given, where the system can move
  // them from file to file itself, without a copy in the process; false, and nothing taken,
  // where it cannot (the caller then hands them over with Write).
  virtual bool TakeWhole(ScratchFile& /*scratch*/, const TextDigest& /*fingerprint*/) {
    return false;
  }
};

}  // namespace tavik
