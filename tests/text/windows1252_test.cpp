// Tests of the conversion between UTF-8 and Windows-1252.
#include "text/windows1252.h"

#include <gtest/gtest.h>

#include <string>

namespace tavik::text {
namespace {

TEST(Windows1252, ConvertsTheCharactersOfTheCodePage) {
  EXPECT_EQ(Utf8ToWindows1252("Customer Id"), "Customer Id");
  EXPECT_EQ(Utf8ToWindows1252("€"), "\x80");
  EXPECT_EQ(Utf8ToWindows1252("é"), "\xE9");
  EXPECT_EQ(Utf8ToWindows1252("Ÿ‚ž"), "\x9F\x82\x9E");
  EXPECT_EQ(Utf8ToWindows1252("\xC2\xA0ÿ"), "\xA0\xFF");
  EXPECT_EQ(Utf8ToWindows1252(""), "");
}

// Every defined byte survives the round trip; the five undefined ones come back as
// U+FFFD and have no way in.
TEST(Windows1252, RoundTripsEveryDefinedByte) {
  for (int byte = 1; byte < 256; ++byte) {
    const std::string text(1, static_cast<char>(byte));
    const std::string utf8 = Windows1252ToUtf8(text);
    if (byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D) {
      EXPECT_EQ(utf8, "\uFFFD") << byte;
    } else {
      EXPECT_EQ(Utf8ToWindows1252(utf8), text) << byte;
    }
  }
}

TEST(Windows1252, RefusesCharactersTheCodePageLacks) {
  EXPECT_EQ(Utf8ToWindows1252("中"), std::nullopt);
  EXPECT_EQ(Utf8ToWindows1252("a😀"), std::nullopt);
  EXPECT_EQ(Utf8ToWindows1252("Ā"), std::nullopt);  // U+0100, just past Latin-1
  // C1 controls: their bytes stand for other characters in Windows-1252.
  EXPECT_EQ(Utf8ToWindows1252("\xC2\x80"), std::nullopt);
  EXPECT_EQ(Utf8ToWindows1252("\xC2\x81"), std::nullopt);
}

TEST(Windows1252, RefusesInvalidUtf8) {
  for (const char* bad :
       {"\x80", "\xC0\xAF", "\xE2\x82", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xFF", "\xC3(x"}) {
    EXPECT_EQ(Utf8ToWindows1252(bad), std::nullopt) << bad;
  }
}

// Line feeds, carriage returns and NUL characters are the model loader's refusal table.
TEST(Windows1252, ExplainsWhyTextCannotStandInAForm) {
  EXPECT_EQ(FormTextFault("Réf. 12 € \t"), "");
  EXPECT_EQ(FormTextFault("x中"), "the character \"中\" (U+4E2D) is not in Windows-1252");
  EXPECT_EQ(FormTextFault("\xC2\x81"), "the character U+0081 is not in Windows-1252");
  EXPECT_EQ(FormTextFault("ab\xFF"), "the text is not valid UTF-8 (byte 0xFF at offset 2)");
}

// Texts are checked by words of eight or four bytes, the last overlapping the one before: a
// byte that needs a closer look is found wherever it stands in a text of any length, and
// only line breaks, NUL and non-ASCII make a text not plain.
TEST(Windows1252, TellsPlainTextWhereverTheOddByteStands) {
  for (std::size_t size = 1; size <= 19; ++size) {
    for (std::size_t at = 0; at < size; ++at) {
      for (const char odd : {'\n', '\r', '\0', '\x80', '\xE9', '\t', '\x1F', '\x7F', ' '}) {
        std::string text(size, 'a');
        text[at] = odd;
        const bool plain =
            static_cast<unsigned char>(odd) < 0x80 && odd != '\n' && odd != '\r' && odd != '\0';
        EXPECT_EQ(IsPlainFormText(text), plain)
            << size << " " << at << " " << static_cast<int>(odd);
      }
    }
  }
  EXPECT_TRUE(IsPlainFormText(""));
  EXPECT_FALSE(IsPlainFormText(std::string(1001, 'x')));
}

// A form line takes 1,000 characters, counted as characters, not bytes (é is two bytes).
TEST(Windows1252, TakesTextsOfAtMostAThousandCharacters) {
  EXPECT_EQ(FormTextFault(std::string(1000, 'x')), "");
  EXPECT_EQ(FormTextFault(std::string(1001, 'x')),
            "the text is 1001 characters long; a form line holds at most 1000");
  std::string accented;
  for (int i = 0; i < 1000; ++i) accented += "é";
  EXPECT_EQ(FormTextFault(accented), "");
  EXPECT_EQ(FormTextFault(accented + "x"),
            "the text is 1001 characters long; a form line holds at most 1000");
}

}  // namespace
}  // namespace tavik::text
