// Tests of loading model files: what is refused, and how the refusal says what and where.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "tavikfw/brenlo.h"

namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

std::string Refusal(std::string_view text) {
  std::uint32_t host_value = 0;
  EXPECT_EQ(BR_LoadModelText(text.data(), text.size(), &host_value), BR_LOAD_REFUSED) << text;
  return BR_LastLoadError();
}

// A model whose entities stand around the faulty value, so that the message must count
// and name the right one.
std::string InSecondEntity(std::string_view attribute) {
  return std::string(R"({"tavik_model": 1, "entities": [{"properties": {"PHYSICAL_NAME": "A"}},
    {"properties": {"ID": 2, "PHYSICAL_NAME": "ORDERS"}, "attributes": [{}, {},
      )") +
         std::string(attribute) + "]}]}";
}

TEST(BrenloLoading, RefusesValuesThatAreNotStringsOrWholeNumbers) {
  const std::string attribute_start =
      R"({"ATTRIB_INFO": {"PHYSICAL_NAME": "ORDER_DATE"}, "COL_PROP": {"CD_TYP": )";
  EXPECT_EQ(Refusal(InSecondEntity(attribute_start + "1.5}}")),
            "line 3: entity 2 (ORDERS), attribute 3 (ORDER_DATE), group COL_PROP, property "
            "CD_TYP: a float is not allowed; use a string or a whole number");
  EXPECT_THAT(Refusal(InSecondEntity(attribute_start + "null}}")),
              HasSubstr("property CD_TYP: null is not allowed"));
  EXPECT_THAT(Refusal(InSecondEntity(attribute_start + "{}}}")),
              HasSubstr("property CD_TYP: an object is not allowed as a value"));
  EXPECT_THAT(Refusal(InSecondEntity(attribute_start + "[1]}}")),
              HasSubstr("property CD_TYP: an array is not allowed as a value"));
  EXPECT_THAT(Refusal(InSecondEntity(R"({"V": [["a", {}]]})")),
              HasSubstr("group V, pair 1: an object is not allowed as a value"));
  EXPECT_THAT(Refusal(InSecondEntity(attribute_start + "2147483648}}")),
              HasSubstr("CD_TYP: 2147483648 is outside the whole-number range"));
  EXPECT_THAT(Refusal(InSecondEntity(attribute_start + "-2147483649}}")),
              HasSubstr("CD_TYP: -2147483649 is outside"));
  EXPECT_THAT(Refusal(InSecondEntity(attribute_start + "123456789012345678901234}}")),
              HasSubstr("CD_TYP: 123456789012345678901234 is outside"));
}

TEST(BrenloLoading, RefusesTextThatCannotStandInAForm) {
  EXPECT_THAT(Refusal(InSecondEntity(R"({"G": {"NOTE": "one\ntwo"}})")),
              HasSubstr("attribute 3, group G, property NOTE: a line feed is not allowed"));
  EXPECT_THAT(Refusal(InSecondEntity(R"({"G": {"NOTE": "a\r"}})")),
              HasSubstr("property NOTE: a carriage return is not allowed"));
  EXPECT_THAT(Refusal(InSecondEntity(R"({"G": {"NOTE": "a\u0000"}})")),
              HasSubstr("property NOTE: a NUL character is not allowed"));
  EXPECT_THAT(Refusal(InSecondEntity(R"({"G": {"NOTE": "東京"}})")),
              HasSubstr("property NOTE: the character \"東\" (U+6771) is not in Windows-1252"));
  // A refused name cannot name the place; its position does.
  EXPECT_THAT(Refusal(InSecondEntity(R"({"G": {"A": 1, "B\n": 2}})")),
              HasSubstr("group G, property #2: the name cannot be used: a line feed"));
  EXPECT_THAT(Refusal(InSecondEntity(R"({"G": {}, "組": {}})")),
              HasSubstr("attribute 3, group #2: the name cannot be used: the character"));
}

TEST(BrenloLoading, RefusesMalformedStructure) {
  EXPECT_THAT(Refusal(R"([1])"), HasSubstr("the model must be a JSON object"));
  EXPECT_THAT(Refusal(R"({"tavik_model": 1, "entities": {}})"),
              HasSubstr("\"entities\" must be an array"));
  EXPECT_THAT(Refusal(R"({"tavik_model": 1, "entities": [{}, 7]})"),
              HasSubstr("entity 2: an entity must be an object"));
  EXPECT_THAT(Refusal(R"({"tavik_model": 1, "entities": [{"properties": []}]})"),
              HasSubstr("entity 1: \"properties\" must be an object"));
  EXPECT_THAT(Refusal(InSecondEntity("[]")),
              HasSubstr("entity 2 (ORDERS), attribute 3: an attribute must be an object"));
  EXPECT_THAT(Refusal(InSecondEntity(R"({"G": 5})")),
              HasSubstr("attribute 3, group G: a group must be an object or an array"));
  EXPECT_THAT(Refusal(InSecondEntity(R"({"V": [["a", 1], ["b"]]})")),
              HasSubstr("group V, pair 2: a pair must hold a name and a value"));
  EXPECT_THAT(Refusal(InSecondEntity(R"({"V": [["a", 1, 2]]})")),
              HasSubstr("group V, pair 1: a pair holds a name and a value, nothing more"));
  EXPECT_THAT(Refusal(InSecondEntity(R"({"V": [[1, 1]]})")),
              HasSubstr("group V, pair 1: the name of a pair must be a string"));
  EXPECT_THAT(Refusal(InSecondEntity(R"({"V": [{"a": 1}]})")),
              HasSubstr("group V, pair 1: a group in array form holds [name, value] pairs"));
  EXPECT_THAT(Refusal(R"({"tavik_model": 1, "relationships": [
                 {"properties": {"RELATION_ID": 9}, "attributes": [101, "102"]}]})"),
              HasSubstr("line 2: relationship 1 (RELATION_ID 9), attribute 2: an attribute ID "
                        "must be a whole number"));
}

// Only the array form of a group may repeat names; elsewhere a repeat is surely a mistake.
TEST(BrenloLoading, RefusesRepeatedNames) {
  EXPECT_THAT(Refusal(InSecondEntity(R"({"G": {"A": 1, "A": 2}})")),
              HasSubstr("group G, property A: the name appears twice in this group"));
  EXPECT_THAT(Refusal(InSecondEntity(R"({"G": {}, "G": {}})")),
              HasSubstr("group G: the group appears twice"));
  EXPECT_THAT(Refusal(R"({"tavik_model": 1, "entities": [{"properties": {"ID": 1, "ID": 1}}]})"),
              HasSubstr("entity 1 (ID 1), property ID: the name appears twice"));
  EXPECT_THAT(Refusal(R"({"tavik_model": 1, "entities": [], "entities": []})"),
              HasSubstr("\"entities\" appears twice"));
}

TEST(BrenloLoading, RefusesAnyFormatVersionButOne) {
  EXPECT_EQ(Refusal(R"({"entities": []})"),
            "the key \"tavik_model\" is missing; a model file declares \"tavik_model\": 1");
  EXPECT_THAT(Refusal(R"({"tavik_model": 2})"),
              HasSubstr("\"tavik_model\" is 2, but 1 is the only format version known"));
  for (const char* other : {"\"1\"", "true", "1.0", "[1]"}) {
    EXPECT_THAT(Refusal(std::string(R"({"tavik_model": )") + other + "}"),
                HasSubstr("\"tavik_model\" must be the whole number 1"));
  }
}

// A wrong version explains any fault after it, and a syntax error makes the rest moot.
TEST(BrenloLoading, ReportsTheWeightiestFault) {
  EXPECT_THAT(Refusal(R"({"entities": [{"properties": {"X": 1.5}}], "tavik_model": 2})"),
              HasSubstr("\"tavik_model\" is 2"));
  EXPECT_THAT(Refusal(R"({"tavik_model": 1, "entities": [{"properties": {"X": 1.5}}], })"),
              HasSubstr("syntax error"));
  EXPECT_THAT(Refusal(R"({"tavik_model": 1, "entities": [{"properties": {"X": 1.5, "Y": null}}]})"),
              HasSubstr("property X: a float"));
}

TEST(BrenloLoading, NamesTheEntityEvenWhenItsNameComesLater) {
  EXPECT_THAT(Refusal(R"({"tavik_model": 1, "entities": [{"attributes": [{"G": {"X": null}}],
                           "properties": {"PHYSICAL_NAME": "LATE"}}]})"),
              HasSubstr("entity 1 (LATE), attribute 1, group G"));
}

TEST(BrenloLoading, GivesLineAndColumnOfASyntaxError) {
  EXPECT_EQ(Refusal("{\n  \"tavik_model\": 1,\n  \"entities\" []\n}"),
            "line 3, column 14: syntax error while parsing object separator - unexpected '['; "
            "expected ':'");
  // Columns count characters, as an editor shows them, not bytes.
  EXPECT_THAT(Refusal("{\"é€\" x}"), StartsWith("line 1, column 7: syntax error"));
  EXPECT_THAT(Refusal(""), StartsWith("line 1, column 1: syntax error"));
  EXPECT_THAT(Refusal("{\"tavik_model\": 1,\n"), StartsWith("line 2, column 1: syntax error"));
  EXPECT_THAT(Refusal("{\"a\": \"\xFF\"}"), HasSubstr("ill-formed UTF-8"));
}

TEST(BrenloLoading, RefusesDeepNestingInsteadOfDescending) {
  const auto nested = [](int depth) {
    return R"({"tavik_model": 1, "later": )" + std::string(static_cast<std::size_t>(depth), '[') +
           std::string(static_cast<std::size_t>(depth), ']') + "}";
  };
  std::uint32_t host_value = 0;
  const std::string fine = nested(63);
  EXPECT_EQ(BR_LoadModelText(fine.data(), fine.size(), &host_value), BR_LOAD_OK);
  BR_UnloadModel(host_value);
  // The root object and 63 arrays make 64 levels; the next array opens at column 92.
  EXPECT_THAT(Refusal(nested(64)),
              HasSubstr("line 1, column 92: the values nest deeper than 64 levels"));
  EXPECT_THAT(Refusal(nested(1000000)), HasSubstr("nest deeper"));
}

// Members the format does not know are left for later versions of it, whatever they hold.
TEST(BrenloLoading, PassesOverUnknownMembers) {
  const std::string_view text = R"({"tavik_model": 1, "comment": [1.5, null, {"x": "中"}],
      "entities": [{"note": 2.5, "properties": {}}]})";
  std::uint32_t host_value = 0;
  EXPECT_EQ(BR_LoadModelText(text.data(), text.size(), &host_value), BR_LOAD_OK)
      << BR_LastLoadError();
  EXPECT_STREQ(BR_LastLoadError(), "");
  BR_UnloadModel(host_value);
}

class BrenloFileLoading : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("brenlo_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::string Write(std::string_view name, std::string_view text) {
    const std::filesystem::path path = folder_ / name;
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
  }

  std::filesystem::path folder_;
};

TEST_F(BrenloFileLoading, LoadsAFileAndHandsOutDistinctHostValues) {
  const std::string path = Write("model.json", R"({"tavik_model": 1})");
  std::uint32_t first = 0;
  std::uint32_t second = 0;
  ASSERT_EQ(BR_LoadModelFile(path.c_str(), &first), BR_LOAD_OK);
  ASSERT_EQ(BR_LoadModelFile(path.c_str(), &second), BR_LOAD_OK);
  EXPECT_NE(first, 0u);
  EXPECT_NE(first, second);
  BR_UnloadModel(first);
  BR_UnloadModel(second);
  EXPECT_EQ(BR_Start(first, 1), 0);
}

TEST_F(BrenloFileLoading, NamesTheFileInRefusals) {
  const std::string path = Write("model.json", "{\n  \"tavik_model\": 1,\n  \"x\": tru\n}");
  std::uint32_t host_value = 0;
  EXPECT_EQ(BR_LoadModelFile(path.c_str(), &host_value), BR_LOAD_REFUSED);
  EXPECT_THAT(BR_LastLoadError(), StartsWith(path + ": line 3, column 11: syntax error"));
}

TEST_F(BrenloFileLoading, ReportsAnUnreadableFileWithTheSystemsReason) {
  const std::string missing = (folder_ / "missing.json").string();
  std::uint32_t host_value = 0;
  EXPECT_EQ(BR_LoadModelFile(missing.c_str(), &host_value), BR_LOAD_UNREADABLE);
  EXPECT_THAT(BR_LastLoadError(), StartsWith(missing + ": cannot read the file: "));
  EXPECT_THAT(BR_LastLoadError(), HasSubstr("such file"));
  EXPECT_EQ(BR_LoadModelFile(folder_.string().c_str(), &host_value), BR_LOAD_UNREADABLE);
  EXPECT_THAT(BR_LastLoadError(), HasSubstr("Is a directory"));
}

}  // namespace
