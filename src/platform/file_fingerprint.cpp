// Fingerprints of written files, taken in parts.
#include "platform/file_fingerprint.h"

#include <algorithm>

namespace tavik {

void FileFingerprint::AddPart(const TextDigest& part) {
  parts_.push_back(part);
  parts_.emplace_back();
}

void FileFingerprint::AddCutAs(std::string_view text, const FileFingerprint& written) {
  while (!text.empty()) {
    const std::size_t part = parts_.size() - 1;
    if (part + 1 >= written.parts_.size()) {
      parts_.back().Add(text);  // the last part takes the rest, however long
      return;
    }
    const std::uint64_t room = written.parts_[part].Size() - parts_.back().Size();
    if (room == 0) {
      parts_.emplace_back();
      continue;
    }
    const std::size_t taken = static_cast<std::size_t>(std::min<std::uint64_t>(room, text.size()));
    parts_.back().Add(text.substr(0, taken));
    text.remove_prefix(taken);
  }
}

// A part the reader never began, since nothing was left to read, counts as empty.
bool operator==(const FileFingerprint& read, const FileFingerprint& written) {
  if (read.parts_.size() > written.parts_.size()) return false;
  const TextDigest empty;
  for (std::size_t part = 0; part < written.parts_.size(); ++part) {
    const TextDigest& got = part < read.parts_.size() ? read.parts_[part] : empty;
    if (!(got == written.parts_[part])) return false;
  }
  return true;
}

}  // namespace tavik
