// A written file's fingerprint in parts: the text the system moved from a scratch file is
// compared on its own, however the reader's pieces fall across the parts.
#include "platform/file_fingerprint.h"

#include <gtest/gtest.h>

#include <string>

namespace tavik {
namespace {

// The opening written through the process, the blocks moved from the scratch file by the
// system, the code written after them.
struct Written {
  std::string opening = std::string(100, 'o');
  std::string blocks = std::string(3000, 'b') + "Begin TextBox txtName\r\n";
  std::string code = std::string(1500, 'c');

  std::string Text() const { return opening + blocks + code; }
  FileFingerprint Fingerprint() const {
    FileFingerprint fingerprint;
    fingerprint.Add(opening);
    TextDigest moved;
    moved.Add(blocks);
    fingerprint.AddPart(moved);
    fingerprint.Add(code);
    return fingerprint;
  }
};

FileFingerprint ReadBack(std::string_view text, std::size_t piece, const FileFingerprint& written) {
  FileFingerprint read;
  for (std::size_t at = 0; at < text.size(); at += piece) {
    read.AddCutAs(text.substr(at, piece), written);
  }
  return read;
}

TEST(FileFingerprint, TheTextWrittenReadsBackAsWrittenInAnyPieces) {
  const Written written;
  const FileFingerprint fingerprint = written.Fingerprint();
  for (std::size_t piece : {1, 64, 99, 100, 101, 4096, 1 << 16}) {
    EXPECT_TRUE(ReadBack(written.Text(), piece, fingerprint) == fingerprint) << piece;
  }
  // Nothing after the moved part: the reader never begins the last, empty one.
  Written no_code;
  no_code.code.clear();
  EXPECT_TRUE(ReadBack(no_code.Text(), 4096, no_code.Fingerprint()) == no_code.Fingerprint());
}

TEST(FileFingerprint, TextLostOrChangedInAnyPartIsFound) {
  const Written written;
  const FileFingerprint fingerprint = written.Fingerprint();
  const std::string text = written.Text();
  for (std::size_t at : {std::size_t{0}, std::size_t{150}, text.size() - 1}) {
    std::string changed = text;
    changed[at] = static_cast<char>(changed[at] ^ 0x20);
    EXPECT_FALSE(ReadBack(changed, 4096, fingerprint) == fingerprint) << "changed at " << at;
  }
  // The moved part one byte short, the text after it moved up into its place.
  std::string short_blocks = text;
  short_blocks.erase(200, 1);
  short_blocks.push_back('c');
  EXPECT_FALSE(ReadBack(short_blocks, 4096, fingerprint) == fingerprint);
  EXPECT_FALSE(ReadBack(text.substr(0, text.size() - 1), 4096, fingerprint) == fingerprint);
  EXPECT_FALSE(ReadBack(text + "c", 4096, fingerprint) == fingerprint);
  EXPECT_FALSE(ReadBack(text.substr(0, 100), 4096, fingerprint) == fingerprint);
}

}  // namespace
}  // namespace tavik
