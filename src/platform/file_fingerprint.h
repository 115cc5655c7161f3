// The fingerprint of a written file, taken in parts where the system moved text itself.
#pragma once

#include <string_view>
#include <vector>

#include "platform/text_digest.h"

namespace tavik {

// Most of a file's text passes through the writer and is fingerprinted on its way; text the
// system moves from a scratch file to the file, without a copy in the process, was
// fingerprinted as it went to the scratch file. The file's fingerprint is the list of these
// parts, and the text read back is cut where they end, so that each part is compared on its
// own.
class FileFingerprint {
 public:
  FileFingerprint() : parts_(1) {}

  // Text the writer handed over, after what came before.
  void Add(std::string_view text) { parts_.back().Add(text); }
  // Text fingerprinted elsewhere; what is added after it begins a new part.
  void AddPart(const TextDigest& part);
  // Text read back, cut where the parts of written end.
  void AddCutAs(std::string_view text, const FileFingerprint& written);

  friend bool operator==(const FileFingerprint& read, const FileFingerprint& written);

 private:
  std::vector<TextDigest> parts_;
};

}  // namespace tavik
