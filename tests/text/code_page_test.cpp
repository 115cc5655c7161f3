// Names in each code page: folded to one case without touching a double-byte character's
// second byte, and cut without halving a character.
#include "text/code_page.h"

#include <gtest/gtest.h>

#include "text/ascii_case.h"

namespace tavik::text {
namespace {

CodePage Page(const char* name) {
  return *CodePage::Named(name);
}

TEST(CodePageNames, FoldOnlyLettersAndNeverASecondByte) {
  struct Case {
    const char* page;
    std::string a, b;
    bool same;
  };
  const Case cases[] = {
      {"WINDOWS-1252", "f_error.frx", "F_ERROR.FRX", true},
      {"WINDOWS-1252", "Caf\xE9", "CAF\xC9", true},    // é and É
      {"WINDOWS-1252", "\x9A\xFF", "\x8A\x9F", true},  // š Ÿ
      {"WINDOWS-1252", "a\r", "a-", false},            // not letters: never equal
      {"WINDOWS-1252", "a@", "a`", false},
      {"CP1251", "\xE7\xE0\xEA\xE0\xE7", "\xC7\xC0\xCA\xC0\xC7", true},  // заказ, ЗАКАЗ
      {"CP949", "\x81\x41", "\x81\x61", false},  // two Hangul syllables, not one letter
      {"CP949", "\xB0\xED.frx", "\xB0\xED.FRX", true},
      {"CP932", "\x83\x61", "\x83\x41", false},  // two katakana
      {"UTF-8", "\xC3\xA9", "\xC3\x89", false},  // only ASCII folds in UTF-8
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(std::string(test.page) + " " + test.a);
    EXPECT_EQ(Page(test.page).SameName(test.a, test.b), test.same);
  }
  EXPECT_FALSE(SameAsciiName("a\r", "a-"));
  EXPECT_TRUE(SameAsciiName("BeginProperty", "beginproperty"));
}

TEST(CodePageNames, CutNeverHalvesACharacter) {
  struct Case {
    const char* page;
    std::string text;
    std::size_t length;
    std::string cut;
  };
  const std::string korean = "frm\xB0\xED\xB0\xB4\xB0\xFC\xB8\xAE";  // frm고객관리
  const Case cases[] = {
      {"CP949", korean, 8, "frm\xB0\xED\xB0\xB4"},
      {"CP949", korean, 9, "frm\xB0\xED\xB0\xB4\xB0\xFC"},
      {"CP932", "ab\x83\x41\x83\x42", 3, "ab"},
      {"CP932", "ab\xA6\xA7", 3, "ab\xA6"},  // half-width katakana are single bytes
      {"UTF-8", "ab\xE4\xB8\xAD", 4, "ab"},
      {"WINDOWS-1252", "frmFathersNotes", 8, "frmFathe"},
      {"CP949", "ab\xB0", 8, "ab\xB0"},  // a lead byte with nothing after it is kept
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(std::string(test.page) + " " + test.text);
    EXPECT_EQ(Page(test.page).Cut(test.text, test.length), test.cut);
  }
}

}  // namespace
}  // namespace tavik::text
