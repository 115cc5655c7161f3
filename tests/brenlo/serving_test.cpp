// Tests of serving a loaded model through the BR_ iterators.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "brenlo/model_checker.h"
#include "tavikfw/brenlo.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr std::string_view kModel = R"({
  "tavik_model": 1,
  "entities": [
    {"properties": {"ID": 1, "PHYSICAL_NAME": "CUSTOMER", "VISIBLE": true, "HIDDEN": false},
     "attributes": [
       {"ATTRIB_INFO": {"ID": 101, "PHYSICAL_NAME": "CUST_ID"}, "COL_PROP": {"CD_TYP": "INTEGER"}},
       {"ATTRIB_INFO": {"ID": 102}, "EMPTY": {},
        "COL_VLD_VALUE": [["Open", "O"], ["", "C"], ["Open", 3]], "X_LATER": {"Z": "Réf €"}}
     ]},
    {"properties": {}, "attributes": [{}]},
    {"properties": {"ZED": -2147483648, "ALPHA": 2147483647}}
  ],
  "relationships": [
    {"properties": {"RELATION_ID": 1, "PARENT_ENTITY": 1}, "attributes": [101, 65537, -1]},
    {"properties": {"RELATION_ID": 2}}
  ]
})";

struct ListHandles {
  std::uint32_t attributes = 0;
  std::uint32_t properties = 0;
};

// The same by the bulk read, which hands the list over in one piece.
std::vector<std::string> PropertiesInOnePiece(std::uint32_t list) {
  std::vector<std::string> out;
  const BR_PropertyView* views = nullptr;
  std::uint32_t count = 0;
  if (BR_GetPropertyList(list, &views, &count) != 0) return out;
  for (const BR_PropertyView& view : std::span(views, count)) {
    const std::string value = view.is_string != 0
                                  ? std::string(view.string_value, view.string_length)
                                  : std::to_string(view.number_value);
    out.push_back(std::string(view.group_name, view.group_name_length) + "/" +
                  std::string(view.property_name, view.property_name_length) + "=" +
                  (view.is_string != 0 ? "S" : "N") + ":" + value);
  }
  return out;
}

// Every property of a list as "group/name=S:text" or "group/name=N:42", in serving order;
// the bulk read must give the same, and leave the iterators where they were.
std::vector<std::string> Properties(std::uint32_t list) {
  std::vector<std::string> out;
  std::uint32_t ignored = 0;
  const char* group = nullptr;
  const char* name = nullptr;
  const char* type = nullptr;
  std::int32_t number = 0;
  const char* text = nullptr;
  for (int32_t status = BR_GetFirstProperty(list, &ignored, &group, &name, &type, &number, &text);
       status == 0;
       status = BR_GetNextProperty(list, &ignored, &group, &name, &type, &number, &text)) {
    const std::string value = type[0] == 'S' ? text : std::to_string(number);
    out.push_back(std::string(group) + "/" + name + "=" + type + ":" + value);
  }
  EXPECT_EQ(PropertiesInOnePiece(list), out) << "property list " << list;
  return out;
}

std::vector<ListHandles> Entities() {
  std::vector<ListHandles> out;
  ListHandles item;
  for (int32_t status = BR_GetFirstEntity(&item.attributes, &item.properties); status == 0;
       status = BR_GetNextEntity(&item.attributes, &item.properties)) {
    out.push_back(item);
  }
  return out;
}

std::vector<std::uint32_t> Attributes(std::uint32_t list) {
  std::vector<std::uint32_t> out;
  std::uint32_t ignored = 0;
  std::uint32_t properties = 0;
  for (int32_t status = BR_GetFirstAttribute(list, &ignored, &properties); status == 0;
       status = BR_GetNextAttribute(list, &ignored, &properties)) {
    out.push_back(properties);
  }
  return out;
}

class BrenloServing : public ::testing::Test {
 public:
  BrenloServing() { tavik::brenlo::ModelChecker::SetChecking(false); }
  ~BrenloServing() override { tavik::brenlo::ModelChecker::SetChecking(true); }

 protected:
  void SetUp() override {
    ASSERT_EQ(BR_LoadModelText(kModel.data(), kModel.size(), &host_value_), BR_LOAD_OK)
        << BR_LastLoadError();
    ASSERT_EQ(BR_Start(host_value_, 1), 1);
  }
  void TearDown() override {
    BR_Done();
    BR_UnloadModel(host_value_);
  }

  std::uint32_t host_value_ = 0;
};

TEST_F(BrenloServing, ServesEntityPropertiesInDocumentOrderWithAnEmptyGroup) {
  const std::vector<ListHandles> entities = Entities();
  ASSERT_EQ(entities.size(), 3u);
  EXPECT_THAT(Properties(entities[0].properties),
              ElementsAre("/ID=N:1", "/PHYSICAL_NAME=S:CUSTOMER", "/VISIBLE=N:1", "/HIDDEN=N:0"));
  EXPECT_THAT(Properties(entities[1].properties), IsEmpty());
  EXPECT_THAT(Properties(entities[2].properties),
              ElementsAre("/ZED=N:-2147483648", "/ALPHA=N:2147483647"));
  EXPECT_THAT(Attributes(entities[2].attributes), IsEmpty());
}

// Groups follow one another as they stand; the array form keeps repeated and empty names,
// and texts arrive in Windows-1252.
TEST_F(BrenloServing, ServesAttributeGroupsOneAfterAnother) {
  const std::vector<std::uint32_t> attributes = Attributes(Entities()[0].attributes);
  ASSERT_EQ(attributes.size(), 2u);
  EXPECT_THAT(Properties(attributes[0]),
              ElementsAre("ATTRIB_INFO/ID=N:101", "ATTRIB_INFO/PHYSICAL_NAME=S:CUST_ID",
                          "COL_PROP/CD_TYP=S:INTEGER"));
  EXPECT_THAT(Properties(attributes[1]),
              ElementsAre("ATTRIB_INFO/ID=N:102", "COL_VLD_VALUE/Open=S:O", "COL_VLD_VALUE/=S:C",
                          "COL_VLD_VALUE/Open=N:3",
                          "X_LATER/Z=S:R\xE9"
                          "f \x80"));
  EXPECT_THAT(Properties(Attributes(Entities()[1].attributes).at(0)), IsEmpty());
}

// The reader's order: an entity's properties, a counting pass over its attributes, then a
// reading pass with each attribute's properties read in full between two attribute calls.
// An unfinished pass over one list is not disturbed by passes over others.
TEST_F(BrenloServing, NestedPassesKeepTheirOwnPositions) {
  ListHandles entity;
  ASSERT_EQ(BR_GetFirstEntity(&entity.attributes, &entity.properties), 0);
  const char *group, *name, *type, *text;
  std::uint32_t ignored = 0;
  std::int32_t number = 0;
  ASSERT_EQ(BR_GetFirstProperty(entity.properties, &ignored, &group, &name, &type, &number, &text),
            0);
  EXPECT_EQ(Attributes(entity.attributes).size(), 2u);

  std::uint32_t attribute = 0;
  ASSERT_EQ(BR_GetFirstAttribute(entity.attributes, &ignored, &attribute), 0);
  EXPECT_EQ(Properties(attribute).size(), 3u);
  ASSERT_EQ(BR_GetNextAttribute(entity.attributes, &ignored, &attribute), 0);
  EXPECT_EQ(Properties(attribute).size(), 5u);
  EXPECT_NE(BR_GetNextAttribute(entity.attributes, &ignored, &attribute), 0);

  ASSERT_EQ(BR_GetNextProperty(entity.properties, &ignored, &group, &name, &type, &number, &text),
            0);
  EXPECT_STREQ(name, "PHYSICAL_NAME");
  ASSERT_EQ(BR_GetNextEntity(&entity.attributes, &entity.properties), 0);
  EXPECT_THAT(Properties(entity.properties), IsEmpty());
}

// Identifiers are 16-bit: the low half of each number is served.
TEST_F(BrenloServing, ServesLinksWithTheirAttributeIdentifiers) {
  ListHandles link;
  std::uint32_t ignored = 0;
  std::uint32_t id = 0;
  ASSERT_EQ(BR_GetFirstLink(&link.attributes, &link.properties), 0);
  EXPECT_THAT(Properties(link.properties), ElementsAre("/RELATION_ID=N:1", "/PARENT_ENTITY=N:1"));
  std::vector<std::uint32_t> ids;
  for (int32_t status = BR_GetFirstLinkAttrib(link.attributes, &ignored, &id); status == 0;
       status = BR_GetNextLinkAttrib(link.attributes, &ignored, &id)) {
    ids.push_back(id);
  }
  EXPECT_THAT(ids, ElementsAre(101u, 1u, 65535u));

  ASSERT_EQ(BR_GetNextLink(&link.attributes, &link.properties), 0);
  EXPECT_NE(BR_GetFirstLinkAttrib(link.attributes, &ignored, &id), 0);
  EXPECT_NE(BR_GetNextLink(&link.attributes, &link.properties), 0);
}

TEST_F(BrenloServing, RefusesHandlesOfAnotherKindAndNextWithoutFirst) {
  const ListHandles entity = Entities()[0];
  std::uint32_t ignored = 0;
  std::uint32_t out = 0;
  EXPECT_NE(BR_GetFirstAttribute(entity.properties, &ignored, &out), 0);
  EXPECT_NE(BR_GetFirstLinkAttrib(entity.attributes, &ignored, &out), 0);
  EXPECT_THAT(Properties(entity.attributes), IsEmpty());
  EXPECT_NE(BR_GetNextAttribute(entity.attributes, &ignored, &out), 0);
}

TEST_F(BrenloServing, EndsWithDoneAndStaysServedAfterUnloadUntilThen) {
  const ListHandles entity = Entities()[0];
  std::uint32_t ignored = 0;
  const char *group, *name, *type, *text;
  std::int32_t number = 0;
  ASSERT_EQ(BR_GetFirstProperty(entity.properties, &ignored, &group, &name, &type, &number, &text),
            0);
  BR_UnloadModel(host_value_);
  EXPECT_THAT(Properties(entity.properties).at(1), "/PHYSICAL_NAME=S:CUSTOMER");
  BR_Done();
  EXPECT_NE(BR_GetFirstEntity(&ignored, &ignored), 0);
  EXPECT_THAT(Properties(entity.properties), IsEmpty());
}

// Unknown models and version flags are the C interface robustness table's.
TEST(BrenloSession, StartsOnlyForALoadedModelAndAKnownVersionFlag) {
  std::uint32_t list = 0;
  EXPECT_NE(BR_GetFirstEntity(&list, &list), 0);
  EXPECT_NE(BR_GetFirstLink(&list, &list), 0);

  std::uint32_t host_value = 0;
  const std::string_view empty = R"({"tavik_model": 1})";
  ASSERT_EQ(BR_LoadModelText(empty.data(), empty.size(), &host_value), BR_LOAD_OK);
  EXPECT_EQ(BR_Start(0, 1), 0);
  EXPECT_EQ(BR_Start(host_value, 0), 1);
  EXPECT_NE(BR_GetFirstEntity(&list, &list), 0);  // neither list is required
  EXPECT_NE(BR_GetFirstLink(&list, &list), 0);
  BR_Done();
  BR_Done();
  BR_UnloadModel(host_value);
}

}  // namespace
