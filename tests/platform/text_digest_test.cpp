// The fingerprint a written file is checked by: blind to how the text is cut, not to what a
// failing disk does to it.
#include "platform/text_digest.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace tavik {
namespace {

TextDigest DigestOf(std::string_view text, std::size_t piece) {
  TextDigest digest;
  for (std::size_t at = 0; at < text.size(); at += piece) digest.Add(text.substr(at, piece));
  return digest;
}

// Three kilobytes and a tail: several blocks of stripes and a stripe left over.
std::string SampleText() {
  std::string text;
  for (std::size_t i = 0; text.size() < 3 * 1024 + 37; ++i) {
    text += "Begin TextBox txtField" + std::to_string(i * 7919 % 1000) + "\r\n";
  }
  return text;
}

TEST(TextDigest, TheSameTextCutAnyWayGivesTheSameFingerprint) {
  const std::string text = SampleText();
  const TextDigest whole = DigestOf(text, text.size());
  for (std::size_t piece : {1, 7, 63, 64, 65, 1000, 4096}) {
    EXPECT_EQ(DigestOf(text, piece), whole) << piece;
  }
}

TEST(TextDigest, ABrokenDiskGivesAnotherFingerprint) {
  const std::string text = SampleText();
  const TextDigest written = DigestOf(text, 4096);
  std::vector<std::pair<std::string, std::string>> read_backs;
  for (std::size_t at : {std::size_t{0}, std::size_t{100}, std::size_t{2000}, text.size() - 1}) {
    std::string changed = text;
    changed[at] = static_cast<char>(changed[at] ^ 0x20);
    read_backs.emplace_back("a byte changed at " + std::to_string(at), changed);
  }
  std::string zeroed = text;
  zeroed[1] = '\0';
  read_backs.emplace_back("a byte zeroed", zeroed);
  // Stripes of 64 bytes, and blocks of a kilobyte, swapped as a misdirected write would.
  for (std::size_t size : {64, 1024}) {
    std::string swapped = text;
    std::swap_ranges(swapped.begin(), swapped.begin() + size, swapped.begin() + size);
    read_backs.emplace_back("swapped pieces of " + std::to_string(size), swapped);
  }
  read_backs.emplace_back("a byte lost", text.substr(1));
  read_backs.emplace_back("a zero byte added", text + '\0');
  for (const auto& [what, read_back] : read_backs) {
    EXPECT_FALSE(DigestOf(read_back, 4096) == written) << what;
  }
}

}  // namespace
}  // namespace tavik
