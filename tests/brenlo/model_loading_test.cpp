// Tests of loading model files: what is refused, and how the refusal says what and where.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "brenlo/document_walker.h"
#include "brenlo/model_parser.h"
#include "brenlo/model_store.h"
#include "fakes/cli_run.h"
#include "model_generator.h"
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

struct Refused {
  std::string model;
  const char* says;  // a part of the message
};

// Each refusal names the place: entity, attribute, group, property or pair, by name or by
// position where the name itself is refused.
TEST(BrenloLoading, RefusalsSayWhatIsWrongAndWhere) {
  const std::string date =
      R"({"ATTRIB_INFO": {"PHYSICAL_NAME": "ORDER_DATE"}, "COL_PROP": {"CD_TYP": )";
  EXPECT_EQ(Refusal(InSecondEntity(date + "1.5}}")),
            "line 3: entity 2 (ORDERS), attribute 3 (ORDER_DATE), group COL_PROP, property "
            "CD_TYP: a float is not allowed; use a string or a whole number");
  const Refused cases[] = {
      // Values that are not strings or whole numbers.
      {InSecondEntity(date + "null}}"), "property CD_TYP: null is not allowed"},
      {InSecondEntity(date + "{}}}"), "property CD_TYP: an object is not allowed as a value"},
      {InSecondEntity(date + "[1]}}"), "property CD_TYP: an array is not allowed as a value"},
      {InSecondEntity(R"({"V": [["a", {}]]})"), "group V, pair 1: an object is not allowed"},
      {InSecondEntity(date + "2147483648}}"), "CD_TYP: 2147483648 is outside the whole-number"},
      {InSecondEntity(date + "123456789012345678901234}}"), "CD_TYP: 123456789012345678901234 is"},
      // Text that cannot stand in a form.
      {InSecondEntity(R"({"G": {"NOTE": "one\ntwo"}})"),
       "attribute 3, group G, property NOTE: a line feed is not allowed"},
      {InSecondEntity(R"({"G": {"NOTE": "a\r"}})"), "NOTE: a carriage return is not allowed"},
      {InSecondEntity(R"({"G": {"NOTE": "a\u0000"}})"), "NOTE: a NUL character is not allowed"},
      {InSecondEntity(R"({"G": {"NOTE": "東京"}})"),
       "NOTE: the character \"東\" (U+6771) is not in Windows-1252"},
      {InSecondEntity(R"({"G": {"A": 1, "B\n": 2}})"),
       "group G, property #2: the name cannot be used: a line feed"},
      {InSecondEntity(R"({"G": {}, "組": {}})"),
       "attribute 3, group #2: the name cannot be used: the character"},
      // Names stand in brackets in the form's SQL.
      {InSecondEntity(R"({"ATTRIB_INFO": {"PHYSICAL_NAME": "A]"}})"),
       "attribute 3, group ATTRIB_INFO, property PHYSICAL_NAME: a name holding \"]\" cannot be "
       "written in the form's SQL"},
      {R"({"tavik_model": 1, "entities": [{"properties": {"PHYSICAL_NAME": "[T]"}}]})",
       "entity 1, property PHYSICAL_NAME: a name holding"},
      // Malformed structure.
      {"[1]", "the model must be a JSON object"},
      {R"({"tavik_model": 1, "entities": {}})", "\"entities\" must be an array"},
      {R"({"tavik_model": 1, "entities": [{}, 7]})", "entity 2: an entity must be an object"},
      {R"({"tavik_model": 1, "entities": [{"properties": []}]})",
       "entity 1: \"properties\" must be an object"},
      {InSecondEntity("[]"), "entity 2 (ORDERS), attribute 3: an attribute must be an object"},
      {InSecondEntity(R"({"G": 5})"),
       "attribute 3, group G: a group must be an object or an array"},
      {InSecondEntity(R"({"V": [["a", 1], ["b"]]})"),
       "group V, pair 2: a pair must hold a name and a value"},
      {InSecondEntity(R"({"V": [["a", 1, 2]]})"),
       "group V, pair 1: a pair holds a name and a value, nothing more"},
      {InSecondEntity(R"({"V": [[1, 1]]})"),
       "group V, pair 1: the name of a pair must be a string"},
      {InSecondEntity(R"({"V": [{"a": 1}]})"),
       "group V, pair 1: a group in array form holds [name, value] pairs"},
      {R"({"tavik_model": 1, "relationships": [
         {"properties": {"RELATION_ID": 9}, "attributes": [101, "102"]}]})",
       "line 2: relationship 1 (RELATION_ID 9), attribute 2: an attribute ID must be a whole"},
      // Only the array form of a group may repeat names.
      {InSecondEntity(R"({"G": {"A": 1, "A": 2}})"),
       "group G, property A: the name appears twice in this group"},
      {InSecondEntity(R"({"G": {}, "G": {}})"), "group G: the group appears twice"},
      {R"({"tavik_model": 1, "entities": [{"properties": {"ID": 1, "ID": 1}}]})",
       "entity 1 (ID 1), property ID: the name appears twice"},
      {R"({"tavik_model": 1, "entities": [], "entities": []})", "\"entities\" appears twice"},
      // The entity is named even when its name comes after the fault.
      {R"({"tavik_model": 1, "entities": [{"attributes": [{"G": {"X": null}}],
          "properties": {"PHYSICAL_NAME": "LATE"}}]})",
       "entity 1 (LATE), attribute 1, group G"},
      // A wrong version explains any fault after it; a syntax error makes the rest moot.
      {R"({"tavik_model": 2})", "\"tavik_model\" is 2, but 1 is the only format version known"},
      {R"({"tavik_model": "1"})", "\"tavik_model\" must be the whole number 1"},
      {R"({"tavik_model": 1.0})", "\"tavik_model\" must be the whole number 1"},
      {R"({"entities": [{"properties": {"X": 1.5}}], "tavik_model": 2})", "\"tavik_model\" is 2"},
      {R"({"tavik_model": 1, "entities": [{"properties": {"X": 1.5}}], })", "syntax error"},
      {R"({"tavik_model": 1, "entities": [{"properties": {"X": 1.5, "Y": null}}]})",
       "property X: a float"},
  };
  for (const Refused& refused : cases) {
    EXPECT_THAT(Refusal(refused.model), HasSubstr(refused.says));
  }
  EXPECT_EQ(Refusal(R"({"entities": []})"),
            "the key \"tavik_model\" is missing; a model file declares \"tavik_model\": 1");
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

// Models are read by a quick reader first and, when it refuses, by the reference reader
// that places messages; whichever reads a text, the model or the message is the same.
TEST(BrenloLoading, QuickAndReferenceReadingsAgree) {
  using tavik::brenlo::ModelParser;
  const std::string texts[] = {
      tavik::bench::GenerateModel({.entities = 3, .attributes = 4}),
      // Member order, names repeated in pairs, escapes, and "-0", a whole number to both.
      R"({"tavik_model": 1, "entities": [{"attributes": [{"G": [["B", 1], ["A", "\u00e9"],
        ["B", -0]]}], "properties": {"Z": "z", "A": true}}]})",
      // Values only the reference reader takes, where the model passes over them.
      "\xEF\xBB\xBF{\"tavik_model\": 1}",
      R"({"tavik_model": 1, "later": [18446744073709551616, 1e400]})",
      // Refusals: by both readers, or by the model whichever reads it.
      R"({"tavik_model": 1, "entities": [{"properties": {"A": "\ud800"}}]})",
      R"({"tavik_model": 1, "entities": [{"properties": {"A": 1, "A": 2}}]})",
      R"({"tavik_model": 1, "entities": [{"properties": {"A": 1e2}}]})",
      // Faults of syntax, which the quick reader meets only as it reads each value.
      R"({"tavik_model": 1} {})",
      R"({"tavik_model": 1}])",
      R"({"tavik_model": 1 "x": 2})",
      R"({"tavik_model": 1, "x": [1 2]})",
      R"({"tavik_model": 1, "x": nul})",
      R"({"tavik_model": 1, "x": tru})",
      R"({"tavik_model": 1, "x": "a\qb"})",
      "{\"tavik_model\": 1, \"x\": \"a\tb\"}",
      R"({"tavik_model": 1, "x": 01})",
      R"({"tavik_model": 1, "x": {"a" 1}})",
      R"({"tavik_model": 1, "x": [1,]})",
      R"({"tavik_model": 1, "entities": [)",
  };
  ASSERT_TRUE(tavik::brenlo::DocumentWalker::Available());
  for (const std::string& text : texts) {
    const ModelParser::Outcome quick = ModelParser::ParseWithQuickReader(text, "m.json");
    const ModelParser::Outcome reference = ModelParser::ParseWithReferenceReader(text, "m.json");
    EXPECT_EQ(quick.error, reference.error) << text;
    const bool same = quick.model && reference.model ? *quick.model == *reference.model
                                                     : quick.model == reference.model;
    EXPECT_TRUE(same) << text;
  }
}

// A document built in memory (a database's form) is walked, not written out and read back:
// it gives the model its text gives, and a refusal or a warning as its text gives them.
TEST(BrenloLoading, ADocumentInMemoryLoadsAsItsText) {
  using tavik::brenlo::ModelParser;
  using tavik::brenlo::ModelStore;
  const std::string texts[] = {
      tavik::bench::GenerateModel({.entities = 3, .attributes = 4}),
      // Masters and details in a cycle: served, with a warning.
      R"({"tavik_model": 1, "entities": [{"properties": {"ID": 1, "PHYSICAL_NAME": "A"}},
        {"properties": {"ID": 2, "PHYSICAL_NAME": "B"}}], "relationships": [
        {"properties": {"RELATION_ID": 1, "PARENT_ENTITY": 1, "CHILD_ENTITY": 2}, "attributes": [1]},
        {"properties": {"RELATION_ID": 2, "PARENT_ENTITY": 2, "CHILD_ENTITY": 1}, "attributes": [2]}]})",
      // Refused while read, and refused as a whole.
      R"({"tavik_model": 1, "entities": [{"properties": {"A": 1.5}}]})",
      R"({"tavik_model": 2})",
      R"({"tavik_model": 1, "entities": [{"properties": {"ID": 1, "PHYSICAL_NAME": "A"}},
        {"properties": {"ID": 1, "PHYSICAL_NAME": "B"}}]})",
  };
  for (const std::string& text : texts) {
    const auto document = nlohmann::ordered_json::parse(text);
    const std::string dumped = document.dump(2);
    const ModelParser::Outcome read = ModelParser::Parse(dumped, "");
    const ModelParser::Outcome walked = ModelParser::ParseDocument(document, "");
    // A walk keeps no places: what is refused or warned of is read from the text.
    EXPECT_EQ(walked.model != nullptr, &text == &texts[0]) << text;
    if (walked.model) {
      ASSERT_TRUE(read.model) << text;
      EXPECT_TRUE(*walked.model == *read.model) << text;
    }
    std::uint32_t host_value = 0;
    const std::int32_t status = BR_LoadModelText(dumped.data(), dumped.size(), &host_value);
    const std::string error = BR_LastLoadError();
    const std::string warnings = BR_LastLoadWarnings();
    EXPECT_EQ(ModelStore::Shared().LoadDocument(document, &host_value), status) << text;
    EXPECT_EQ(BR_LastLoadError(), error) << text;
    EXPECT_EQ(BR_LastLoadWarnings(), warnings) << text;
  }
}

class BrenloFileLoading : public ::testing::Test {
 protected:
  std::string Write(std::string_view name, std::string_view text) {
    tavik::testing::WriteWholeFile(folder_ / name, std::string(text));
    return (folder_ / name).string();
  }

  tavik::testing::ScratchFolder scratch_;
  std::filesystem::path folder_ = scratch_.path();
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
