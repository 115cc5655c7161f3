// Property values between form files, the library's variants and the text both show.
#include "formfile/form_property.h"

#include <gtest/gtest.h>

#include "model/value.h"

namespace tavik::formfile {
namespace {

// A live form is saved from the variants it was given; its text must be the text the form
// generator writes for the same values.
TEST(FormProperty, VariantsGiveTheTextTheGeneratorWrites) {
  const Value values[] = {
      Value::Short(-1),       Value::Long(-2147483647 - 1), Value::Single(2079.4f),
      Value::Single(1830.5f), Value::String("a \"b\""),     Value::Boolean(true),
      Value::Byte(200),       Value::ULong(4000000000u),    Value()};
  for (const Value& value : values) {
    SCOPED_TRACE(value.Text());
    FormProperty property = PropertyFromVariant("P", value.ToVariant());
    EXPECT_EQ(property.text, value.Text());
    EXPECT_EQ(property.kind == PropertyKind::kString, value.IsString());
  }
}

TEST(FormProperty, NumbersAsFormFilesWriteThem) {
  auto number = [](std::string_view text) { return ParseNumber(text); };
  EXPECT_EQ(number("-2147483648")->vt, TVK_VT_I4);
  EXPECT_EQ(number("-2147483648")->u.lVal, -2147483647 - 1);
  EXPECT_EQ(number("4294967295")->vt, TVK_VT_UI4);
  EXPECT_EQ(number("&H8000000F&")->u.lVal, static_cast<int32_t>(0x8000000F));
  EXPECT_EQ(number("&H00C0C0C0")->u.lVal, 0xC0C0C0);
  EXPECT_FLOAT_EQ(number("8.25")->u.fltVal, 8.25f);
  for (std::string_view text :
       {"", "-", "nan", "inf", "+5", "12abc", "&H", "&H123456789", "TRUE"}) {
    EXPECT_FALSE(number(text)) << text;
  }
}

TEST(FormProperty, PropertiesDescribeThemselvesToTheLibrary) {
  FormProperty text{"Caption", PropertyKind::kString, "Orders"};
  auto variant = PropertyToVariant(text);
  ASSERT_TRUE(variant);
  EXPECT_EQ(variant->vt, TVK_VT_BSTR);
  EXPECT_EQ(variant->u.bstrVal, text.text.c_str()) << "no copy: the library copies";
  EXPECT_EQ(PropertyToVariant({"MultiLine", PropertyKind::kOther, "TRUE"})->vt, TVK_VT_BOOL);
  EXPECT_EQ(PropertyToVariant({"Width", PropertyKind::kNumber, "8300"})->u.lVal, 8300);
  EXPECT_FALSE(PropertyToVariant({"Picture", PropertyKind::kResource, "\"A.frx\":0000"}));

  PropertyList list{{"Name", PropertyKind::kString, "A"}, {"Width", PropertyKind::kNumber, "1"}};
  SetProperty(list, {"NAME", PropertyKind::kString, "B"});
  SetProperty(list, {"Top", PropertyKind::kNumber, "2"});
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].text, "B") << "a replaced value keeps its place";
  EXPECT_EQ(*StringProperty(list, "name"), "B");
  EXPECT_FALSE(StringProperty(list, "Width"));
}

// Texts of every size around the fifteen kept in place survive copies, moves and being
// given a part of themselves; each ends in a NUL for the library.
TEST(FormProperty, TextsKeepTheirCharactersInPlaceOrOnTheHeap) {
  for (std::size_t size : {0, 1, 14, 15, 16, 40}) {
    const std::string expected(size, 'x');
    SCOPED_TRACE(size);
    PropertyText text(expected);
    PropertyText copy = text;
    PropertyText moved = std::move(copy);
    EXPECT_EQ(moved, expected);
    EXPECT_EQ(moved.c_str()[size], '\0');
    EXPECT_TRUE(copy.empty());  // NOLINT(bugprone-use-after-move): a move leaves it empty
    moved = moved.view().substr(size / 2);
    EXPECT_EQ(moved, expected.substr(size / 2));
    text = PropertyText("y");
    EXPECT_EQ(text.str(), "y");
  }
  FormProperty with_comment{"Value", PropertyKind::kNumber, "-1", "  'True"};
  FormProperty copy = with_comment;
  EXPECT_EQ(copy.comment, "  'True");
  copy.comment = "";
  EXPECT_TRUE(copy.comment.empty());
  EXPECT_FALSE(copy == with_comment);
}

}  // namespace
}  // namespace tavik::formfile
