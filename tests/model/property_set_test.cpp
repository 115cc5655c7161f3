// Tests of property sections, property values and the 17-bucket string map.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/nx_property.h"
#include "model/nx_property_set.h"
#include "model/string_hash_map.h"

namespace tavik {
namespace {

using ::testing::ElementsAre;

constexpr FormatId kSection = TavikFormatId(0x8D);

std::vector<std::string> DictionaryNames(const CNxPropertySection& section) {
  std::vector<std::string> names;
  for (const auto& entry : section.GetDictionary()) {
    names.push_back(std::to_string(entry.id) + ":" + entry.name);
  }
  return names;
}

TEST(PropertySection, TheNewestNameIsFoundAndRemovingANameTakesEveryEntryOfIt) {
  CNxPropertySet set;
  set.AddSection(kSection);
  for (std::int32_t id : {3, 4}) {
    set.AddProperty(kSection, CNxProperty(id, Value::Long(id), "Open"),
                    CNxPropertySection::Position::kEnd);
  }
  const CNxPropertySection& section = *set.GetSection(kSection);
  EXPECT_THAT(DictionaryNames(section),
              ElementsAre("4:Open", "3:Open", "0:VB Control Standard Property Set"));
  EXPECT_EQ(set.GetProperty(kSection, "Open")->GetText(), "4");

  // Removing by name takes the property that name finds and every entry of the name.
  set.RemoveProperty(kSection, "Open");
  EXPECT_EQ(section.GetPropertyList().size(), 1u);
  EXPECT_EQ(set.GetProperty(kSection, "Open"), nullptr);
  EXPECT_THAT(DictionaryNames(section), ElementsAre("0:VB Control Standard Property Set"));
}

// Names given in the order of the list are not stored; a change to the list keeps them.
TEST(PropertySection, NamesGivenInTheOrderOfTheListOutliveChangesToIt) {
  CNxPropertySection section(kSection);
  for (std::int32_t id : {3, 4}) {
    const std::string name = "P" + std::to_string(id);
    section.AddProperty(CNxProperty(id, Value::Long(id), name), CNxPropertySection::Position::kEnd);
    section.SetPropertyName(id, name);
  }
  section.AddProperty(CNxProperty(5, Value::Long(5), "P5"), CNxPropertySection::Position::kFront);
  section.SetPropertyName(5, "P5");
  section.RemoveProperty(3);
  EXPECT_THAT(DictionaryNames(section),
              ElementsAre("5:P5", "4:P4", "3:P3", "0:VB Control Standard Property Set"));
  EXPECT_EQ(section.GetProperty("P4")->GetText(), "4");
}

// Large sections are indexed; they must answer as a walk of the lists would.
TEST(PropertySection, ALargeSectionFindsWhatASmallOneFinds) {
  CNxPropertySection section(kSection);
  for (std::int32_t id = 3; id < 63; ++id) {
    section.AddProperty(CNxProperty(id, Value::Long(id), "P"), CNxPropertySection::Position::kEnd);
    section.SetPropertyName(id, "P" + std::to_string(id));
  }
  section.SetPropertyName(5, "P60");  // a newer entry of a name wins
  EXPECT_EQ(section.GetProperty("P60")->GetText(), "5");
  EXPECT_EQ(section.GetProperty("P61")->GetText(), "61");

  // Two properties of one id: the first in the list is found, then the next one.
  section.AddProperty(CNxProperty(7, Value::Long(700), "P"), CNxPropertySection::Position::kFront);
  section.AddProperty(CNxProperty(8, Value::Long(800), "P"), CNxPropertySection::Position::kEnd);
  EXPECT_EQ(section.GetProperty(7)->GetText(), "700");
  EXPECT_EQ(section.GetProperty(8)->GetText(), "8");
  section.RemoveProperty(7);
  EXPECT_EQ(section.GetProperty(7)->GetText(), "7");

  section.RemoveNames(5);
  EXPECT_EQ(section.GetProperty("P60")->GetText(), "60");
  section.RemoveNames("P61");
  EXPECT_EQ(section.GetProperty("P61"), nullptr);
  section.RemoveAll();
  EXPECT_EQ(section.GetProperty(3), nullptr);
}

TEST(Property, ReservedIdsAreRefusedAndTheTextFollowsTheValue) {
  CNxProperty property(3, Value::Long(7), "Count");
  EXPECT_EQ(property.GetText(), "7");
  EXPECT_FALSE(property.Set(1, Value::Long(8)));
  EXPECT_FALSE(property.Set(0, Value::Long(8)));
  EXPECT_EQ(property.GetId(), 3);
  EXPECT_TRUE(property.Set(5, Value::Long(9)));
  EXPECT_EQ(property.GetText(), "9");  // not the text cached for the old value

  EXPECT_EQ(CNxProperty(3, Value::Boolean(false), "B").GetText(), "FALSE");
  EXPECT_EQ(CNxProperty(3, Value::Single(2.5f), "S").GetText(), "2");
  EXPECT_EQ(CNxProperty(3, Value::Single(1234.6f), "S").GetText(), "1235");
  EXPECT_EQ(CNxProperty(3, Value::Single(3.5f), "S").GetText(), "4");
  EXPECT_EQ(CNxProperty(3, Value::Single(-0.4f), "S").GetText(), "-0");
  EXPECT_EQ(CNxProperty(3, Value::Single(1e10f), "S").GetText(), "10000000000");
  EXPECT_EQ(CNxProperty(3, Value::Single(-2.5f), "S").GetText(), "-2");
  EXPECT_EQ(CNxProperty(3, Value::Single(0.5f), "S").GetText(), "0");
  EXPECT_EQ(CNxProperty(3, Value::Single(1e20f), "S").GetText(), "100000002004087734272");
  EXPECT_EQ(CNxProperty(3, Value::Long(-2147483647 - 1), "L").GetText(), "-2147483648");
  EXPECT_EQ(CNxProperty(3, Value::ULong(4294967295u), "U").GetText(), "4294967295");
  // Below 10^8 four digits at a time, their zeros kept; from 10^8 digit pairs.
  EXPECT_EQ(CNxProperty(3, Value::Long(10005), "L").GetText(), "10005");
  EXPECT_EQ(CNxProperty(3, Value::Single(-99990001.0f), "S").GetText(), "-99990000");
  EXPECT_EQ(CNxProperty(3, Value::Long(100000000), "L").GetText(), "100000000");
}

// A value keeps its number in 32 bits: the type says whether they are signed.
TEST(Property, ValuesGiveBackTheirNumbersWhateverTheirType) {
  const struct {
    Value value;
    std::int64_t integer;
    float single;
  } cases[] = {
      {Value::Short(-32768), -32768, -32768.0f},
      {Value::Long(-2147483647 - 1), -2147483647LL - 1, -2147483648.0f},
      {Value::ULong(4294967295u), 4294967295LL, 4294967295.0f},
      {Value::Byte(255), 255, 255.0f},
      {Value::Boolean(true), -1, -1.0f},
      {Value::Single(-2.75f), -2, -2.75f},
      {Value::String("12"), 0, 0.0f},
  };
  for (const auto& [value, integer, single] : cases) {
    SCOPED_TRACE(value.Text());
    EXPECT_EQ(value.AsInteger(), integer);
    EXPECT_EQ(value.AsSingle(), single);
    EXPECT_TRUE(value.HasText());
  }
}

// Texts of up to eleven characters sit in the value, longer ones beside it: each length
// around that edge survives a copy, a move and an assignment, and compares by its text.
TEST(Property, TextsKeepTheirBytesThroughCopiesAndMovesAtAnyLength) {
  const std::vector<std::string> texts = {"",        "12345678901",        "123456789012",
                                          "1234567", std::string(40, 'x'), std::string("a\0b", 3)};
  for (const std::string& text : texts) {
    SCOPED_TRACE(text.size());
    const Value original = Value::String(text);
    Value copy = original;
    EXPECT_EQ(copy.AsString(), text);
    EXPECT_EQ(copy, original);
    EXPECT_EQ(std::string(copy.AsCString()), text.substr(0, text.find('\0')));
    Value moved = std::move(copy);
    EXPECT_EQ(moved.AsString(), text);
    Value assigned = Value::String("other text, longer than eleven");
    assigned = moved;
    EXPECT_EQ(assigned.Text(), text);
    assigned = Value::Long(5);
    EXPECT_EQ(assigned.AsString(), "");
    EXPECT_NE(Value::String(text + "!"), original);
    EXPECT_EQ(original.HasText(), !text.empty());
    const Value blob = Value::Blob(text);
    EXPECT_EQ(Value(blob).AsBytes(), text);
    EXPECT_FALSE(blob.HasText());
    EXPECT_EQ(Value::FromVariant(original.ToVariant()).AsString(), text.substr(0, text.find('\0')));
  }
}

// The text of a value is what the inspect command and the dialog show; their tests pin it.
TEST(Property, AValueOfNoTypeHasNoVariantAndNoText) {
  CNxProperty unknown(3, Value(), "Odd");
  EXPECT_FALSE(unknown.ToVariant());
  EXPECT_EQ(unknown.GetInfo().text, "");
}

std::vector<std::string> Keys(const StringHashMap<int>& map) {
  std::vector<std::string> keys;
  map.ForEach([&](const std::string& key, const int&) { keys.push_back(key); });
  return keys;
}

TEST(StringHashMap, WalksBucketsInOrderAndNewestFirstWithinABucket) {
  StringHashMap<int> map;
  // Buckets: Load 4, Unload 14, Click 4, Resize 5, "Caf\xe9" 7 (its last byte counts as
  // negative; taken unsigned it would fall in 8), Validate 8, GotFocus 7, Change 14.
  for (const char* key :
       {"Load", "Unload", "Click", "Resize", "Caf\xe9", "Validate", "GotFocus", "Change"}) {
    map.Set(key, 0);
  }
  EXPECT_THAT(Keys(map), ElementsAre("Click", "Load", "Resize", "GotFocus", "Caf\xe9", "Validate",
                                     "Change", "Unload"));

  // Replacing a value keeps the key's place; a removed key added again comes first.
  map.Set("Load", 5);
  EXPECT_EQ(*map.Find("Load"), 5);
  EXPECT_TRUE(map.Remove("Unload"));
  EXPECT_FALSE(map.Remove("Unload"));
  map.Set("Unload", 1);
  map.Set("Change", 2);
  EXPECT_THAT(Keys(map), ElementsAre("Click", "Load", "Resize", "GotFocus", "Caf\xe9", "Validate",
                                     "Unload", "Change"));
}

}  // namespace
}  // namespace tavik
