// Tests of text measurement against widths and heights measured from the installed fonts.
//
// Reference values at 96 pixels per inch (twips after the 1.275 and 1.4 factors):
//   MS Sans Serif 8 and 10 ask for 11 and 13 pixel cells; both get the 13-pixel strike of
//   sserife.fon (the smallest, and the largest that fits 13):
//     "xxxxxxxxxx"  50 px -> 956,  "Customer Id"  56 px -> 1071,  cell 13 px -> 273.
//   MS Sans Serif 12 asks for 16 pixels and gets the 16-pixel strike:
//     "xxxxxxxxxx"  60 px -> 1147, "Customer Id"  71 px -> 1357,  cell 16 px -> 336.
//   MS Sans Serif 24 asks for 32 pixels and gets the largest strike, 20 pixels:
//     "xxxxxxxxxx"  70 px -> 1338, cell 20 px -> 420.
//   Arial 8 (Liberation Sans, an 11 pixel cell at 10 pixels per em):
//     "xxxxxxxxxx"  50 px -> 956,  "Customer Id"  56 px -> 1071,  cell 11 px -> 230
//     (165 twips x 1.4 falls just short of 231 in double precision).
// At 120 pixels per inch MS Sans Serif 8 asks for 13 pixels and gets the smallest strike of
// the large-fonts file sseriff.fon, 16 pixels: "Customer Id" 71 px -> 1086, cell -> 268.
#include "platform/posix/freetype_text_measurer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string_view>

namespace tavik {
namespace {

struct Expected {
  std::uint16_t width;
  std::uint16_t height;
  bool operator==(const Expected&) const = default;
};

void PrintTo(const Expected& extent, std::ostream* out) {
  *out << extent.width << " x " << extent.height;
}

class FreetypeTextMeasurerTest : public ::testing::Test {
 protected:
  Expected At96(std::string_view text, std::string_view font, float size) {
    const TextExtent extent = measurer_.Measure(text, font, size, 96, 96);
    return {extent.width, extent.height};
  }

  FreetypeTextMeasurer measurer_;
};

TEST_F(FreetypeTextMeasurerTest, EachFaceAndSizeMeasuresAsTheReferenceValuesSay) {
  struct Case {
    std::string_view text;
    std::string_view font;
    float size;
    Expected extent;
  };
  const Case cases[] = {
      // The raster face uses the strike that fits the cell.
      {"xxxxxxxxxx", "MS Sans Serif", 8, {956, 273}},
      {"Customer Id", "MS Sans Serif", 8, {1071, 273}},
      {"xxxxxxxxxx", "MS Sans Serif", 10, {956, 273}},
      {"Customer Id", "MS Sans Serif", 10, {1071, 273}},
      {"xxxxxxxxxx", "MS Sans Serif", 12, {1147, 336}},
      {"Customer Id", "MS Sans Serif", 12, {1357, 336}},
      {"xxxxxxxxxx", "MS Sans Serif", 24, {1338, 420}},
      // Below every strike, the smallest; the point size is truncated before it is turned
      // into a height.
      {"xxxxxxxxxx", "MS Sans Serif", 1, {956, 273}},
      {"xxxxxxxxxx", "MS Sans Serif", 12.9f, {1147, 336}},
      // A negative size matches 13 pixels of character height: the 16-pixel strike.
      {"xxxxxxxxxx", "MS Sans Serif", -10, {1147, 336}},
      {"Customer Id", "ms sans serif", 8, {1071, 273}},
      // An empty text has no height either, as GDI measures it.
      {"", "MS Sans Serif", 8, {0, 0}},
      {"xxxxxxxxxx", "Arial", 8, {956, 230}},
      {"Customer Id", "ARIAL", 8, {1071, 230}},
      // At 12 points, 14 pixels per em; 0x97 is the em dash in Windows-1252, one em wide.
      {"\x97", "Arial", 12, {267, 336}},
  };
  for (const Case& test : cases) {
    EXPECT_EQ(At96(test.text, test.font, test.size), test.extent)
        << test.font << " " << test.size << " \"" << test.text << "\"";
  }
}

TEST_F(FreetypeTextMeasurerTest, LargeFontsScreenUsesTheLargeFontsFile) {
  const TextExtent extent = measurer_.Measure("Customer Id", "MS Sans Serif", 8, 120, 120);
  EXPECT_EQ(extent.width, 1086);
  EXPECT_EQ(extent.height, 268);
}

TEST_F(FreetypeTextMeasurerTest, DeviceWithoutResolutionMeasuresNothing) {
  const TextExtent extent = measurer_.Measure("Customer Id", "MS Sans Serif", 8, 0, 96);
  EXPECT_EQ(extent.width, 0);
  EXPECT_EQ(extent.height, 0);
}

}  // namespace
}  // namespace tavik
