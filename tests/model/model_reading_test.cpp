// Tests of reading relationships, entities and attributes from a loaded model.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "brenlo/model_checker.h"
#include "fakes/scoped_fakes.h"
#include "model/attribute.h"
#include "model/entity.h"
#include "model/form.h"
#include "tavikfw/brenlo.h"

namespace tavik {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr const char* kEntitiesFailed = "Failure to read Tavik entities; form will not generate";
constexpr const char* kAttributesFailed =
    "Failure to read Tavik Attributes; form will not generate";

// An attribute object: its ATTRIB_INFO with names made from the column and the relation
// members given, then its other groups.
std::string Attribute(int id, std::string_view column,
                      std::string_view relations = R"("REL_COUNT": 0)",
                      std::string_view groups = R"j(, "COL_PROP": {"CD_TYP": "CHAR(10)"})j") {
  std::string info = R"({"ATTRIB_INFO": {"ID": )" + std::to_string(id) + R"(, "PHYSICAL_NAME": ")" +
                     std::string(column) + R"(", "DISPLAY_NAME": "D)" + std::string(column) +
                     R"(", "BASE_NAME": "B)" + std::string(column) + R"(", "ROLE_NAME": "R)" +
                     std::string(column) + R"(", )";
  return info + std::string(relations) + "}" + std::string(groups) + "}";
}

std::string Entity(int id, std::string_view table, std::string_view attributes = "") {
  return R"({"properties": {"ID": )" + std::to_string(id) + R"(, "PHYSICAL_NAME": ")" +
         std::string(table) + R"(", "UNIQUE_PHYS_NAME": "U_)" + std::string(table) +
         R"("}, "attributes": [)" + std::string(attributes) + "]}";
}

std::string Model(std::string_view entities, std::string_view relationships = "") {
  return R"({"tavik_model": 1, "entities": [)" + std::string(entities) +
         R"(], "relationships": [)" + std::string(relationships) + "]}";
}

class ModelReading : public ::testing::Test {
 public:
  // Models the loader refuses as a whole are read here all the same.
  ModelReading() { brenlo::ModelChecker::SetChecking(false); }
  ~ModelReading() override { brenlo::ModelChecker::SetChecking(true); }

 protected:
  void Start(const std::string& model) {
    ASSERT_EQ(BR_LoadModelText(model.data(), model.size(), &host_value_), BR_LOAD_OK)
        << BR_LastLoadError();
    ASSERT_EQ(BR_Start(host_value_, 1), 1);
    started_ = true;
  }
  void TearDown() override {
    if (!started_) return;
    BR_Done();
    BR_UnloadModel(host_value_);
  }
  // Reads the attributes of the model's first entity into a fresh entity of form_.
  Status ReadFirstEntityAttributes(const std::string& model) {
    Start(model);
    std::uint32_t attribute_list = 0;
    std::uint32_t property_list = 0;
    EXPECT_EQ(BR_GetFirstEntity(&attribute_list, &property_list), 0);
    entity_ = std::make_unique<CEntity>();
    EXPECT_EQ(entity_->Init("E1", &form_), kOk);
    return entity_->ReadAttributes(attribute_list);
  }

  testing::ScopedFakes fakes_;
  CForm form_;
  std::unique_ptr<CEntity> entity_;
  std::uint32_t host_value_ = 0;
  bool started_ = false;
};

TEST_F(ModelReading, BuildsEntitiesAttributesAndTheirLinks) {
  std::string relation_info = R"("REL_COUNT": 2, "REL0_ID": 7, "REL1_ID": 65544)";
  Start(Model(Entity(1, "CUSTOMER",
                     Attribute(101, "CUST_ID") + "," + Attribute(102, "NAME", relation_info)) +
                  "," + Entity(2, "ORDERS"),
              R"({"properties": {"RELATION_ID": 7, "PARENT_ENTITY": 1, "CHILD_ENTITY": 2},
                  "attributes": [101, 102, 101]},
                 {"properties": {"RELATION_ID": 8, "PARENT_ENTITY": 1, "CHILD_ENTITY": 2},
                  "attributes": [102]},
                 {"properties": {"RELATION_ID": 9, "PARENT_ENTITY": 1, "CHILD_ENTITY": 3},
                  "attributes": [102]})"));
  ASSERT_EQ(form_.ReadRelations(), kOk);
  ASSERT_EQ(form_.ReadEntities(), kOk);
  ASSERT_EQ(form_.BuildParentChildLists(), kOk);
  EXPECT_THAT(fakes_.message_boxes.shown, IsEmpty());

  ASSERT_EQ(form_.GetRelationList().size(), 3u);
  const CRelationDesc& first_relation = *form_.GetRelationList()[0];
  ASSERT_EQ(first_relation.GetAttribCount(), 2u);  // the repeated id counts once
  EXPECT_EQ(first_relation.GetAttrib(1), 102);

  // Labels, unique names and the select texts of entities with attributes are the goldens'.
  CEntity* customer = form_.GetEntity(1);
  CEntity* orders = form_.GetEntity(2);
  ASSERT_TRUE(customer && orders);
  EXPECT_EQ(orders->GetSelectText(), "SELECT FROM ORDERS");

  // Two relationships between the same pair give two records each way; the one whose
  // child is not in the model gives none.
  ASSERT_EQ(customer->GetChildCount(), 2u);
  EXPECT_EQ(customer->GetChildList()[1].relation, form_.GetRelationList()[1].get());
  EXPECT_EQ(orders->GetParentCount(), 2u);
  EXPECT_EQ(customer->GetParentCount(), 0u);

  CAttribute* name = customer->GetAttribFromDisplayName("DNAME");
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(customer->GetAttribFromDisplayName("dname"), nullptr);
  EXPECT_EQ(name->GetRelationID(1), 8);  // low 16 bits of 65544
  EXPECT_EQ(name->GetRelationID(2), -1);
  EXPECT_EQ(customer->GetFirstAttrib(102, 8), name);
  EXPECT_EQ(customer->GetNextAttrib(102, 8, name), nullptr);
}

TEST_F(ModelReading, AnEntityWithAnIdAlreadyReadReplacesTheFirst) {
  Start(Model(Entity(1, "FIRST") + "," + Entity(2, "OTHER") + "," + Entity(65537, "SECOND")));
  ASSERT_EQ(form_.ReadEntities(), kOk);
  ASSERT_EQ(form_.GetEntityMap().size(), 2u);
  EXPECT_EQ(form_.GetEntityMap().front().entity->GetEntityName(), "U_SECOND");
  EXPECT_EQ(form_.GetEntity(1)->GetEntLabel(), "E3");
}

// A name ATTRIB_INFO's pairs give twice, or another group gives again, keeps the value
// given last.
TEST_F(ModelReading, AnOwnPropertyGivenAgainKeepsTheLastValue) {
  Start(Model(Entity(1, "T", R"j({"ATTRIB_INFO": [["ID", 1], ["PHYSICAL_NAME", "A"],
      ["DISPLAY_NAME", "D"], ["BASE_NAME", "B"], ["ROLE_NAME", "R"], ["REL_COUNT", 0],
      ["CD_TYP", "MINE"], ["PHYSICAL_NAME", "LAST"], ["ID", 2]],
      "COL_PROP": {"CD_TYP": "CHAR(1)"}})j")));
  ASSERT_EQ(form_.ReadEntities(), kOk);
  const CAttribute& attribute = *form_.GetEntity(1)->GetAttribList().at(0);
  EXPECT_EQ(attribute.GetProperty("PHYSICAL_NAME")->AsString(), "LAST");
  EXPECT_EQ(attribute.GetProperty("CD_TYP")->AsString(), "CHAR(1)");
  EXPECT_EQ(attribute.GetAttribID(), 2);
  EXPECT_EQ(form_.GetEntity(1)->GetSelectText(), "SELECT [LAST] FROM T");
}

TEST_F(ModelReading, AttributesWithOneValidationRuleShareOneValueList) {
  auto with_rule = [](int id, std::string_view column, std::string_view values) {
    return Attribute(id, column, R"("REL_COUNT": 0)",
                     R"j(, "COL_PROP": {"CD_TYP": "CHAR(1)", "CD_PTR": 1},
                        "COL_VLD_RULE": {"NAME": "Status Code"}, "COL_VLD_VALUE": )j" +
                         std::string(values));
  };
  std::string edit_style_rule =
      Attribute(103, "KIND", R"("REL_COUNT": 0)",
                R"j(, "COL_PROP": {"CD_TYP": "CHAR(1)"}, "CP_EST": {"ES_TYP": 4, "ES_VLD": 1},
         "ES_VLD_RULE": {"NAME": "Kinds"}, "ES_VLD_VALUE": [["A", "a"]])j");
  Start(Model(Entity(1, "T",
                     with_rule(101, "S1", R"([["Open", "O"], ["", "C"]])") + "," +
                         with_rule(102, "S2", R"([["Other", "X"]])") + "," + edit_style_rule)));
  ASSERT_EQ(form_.ReadEntities(), kOk);

  const CNxPropertySection* list = form_.GetValidValueList("Status Code");
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->GetPropertyList().size(), 2u);
  EXPECT_EQ(list->GetPropertyList()[0].GetName(), "Open");
  EXPECT_EQ(list->GetPropertyList()[1].GetText(), "C");
  EXPECT_EQ(form_.GetValidValueLists().size(), 2u);

  CEntity* entity = form_.GetEntity(1);
  const auto& attributes = entity->GetAttribList();
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(attributes[i]->GetProperty("COL_VLDRULE")->AsString(), "Status Code");
    EXPECT_EQ(attributes[i]->GetProperty("COL_VLDLIST")->AsString(), "Status Code");
    EXPECT_EQ(attributes[i]->GetTvkProps().GetSection(TavikFormatId(0x9E)), nullptr);
  }
  EXPECT_EQ(attributes[2]->GetProperty("EST_VLDLIST")->AsString(), "Kinds");
  EXPECT_FALSE(attributes[2]->GetProperty("COL_VLDRULE"));
  EXPECT_EQ(form_.GetValidValueList("Kinds")->GetPropertyList()[0].GetText(), "a");
}

TEST_F(ModelReading, AttributeFailuresGiveTheirStatusAndMessage) {
  struct Case {
    std::string attribute;
    Status status;
  };
  const Case cases[] = {
      {Attribute(1, "A", R"("REL_COUNT": 0)", R"(, "UNKNOWN": {"X": 1})"), 6},
      {Attribute(1, "A", R"("REL_COUNT": 0)", R"(, "COL_PROP": {"CD_NAM": "A"})"), 6},
      {Attribute(1, ""), 7},
      {R"({"ATTRIB_INFO": {"PHYSICAL_NAME": "A"}, "COL_PROP": {"CD_TYP": "X"}})", 9},
      {R"({"ATTRIB_INFO": {"ID": 1, "PHYSICAL_NAME": "A", "DISPLAY_NAME": "", "REL_COUNT": 0},
          "COL_PROP": {"CD_TYP": "X"}})",
       11},
      {R"({"ATTRIB_INFO": {"ID": 1, "PHYSICAL_NAME": "A", "DISPLAY_NAME": "D", "REL_COUNT": 0},
          "COL_PROP": {"CD_TYP": "X"}})",
       12},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.attribute);
    testing::ScopedFakes fakes;
    EXPECT_EQ(ReadFirstEntityAttributes(Model(Entity(1, "T", "{}," + test.attribute))),
              test.status);
    EXPECT_THAT(fakes.message_boxes.Texts(), ElementsAre(kAttributesFailed));
    EXPECT_EQ(fakes.message_boxes.shown[0].caption, "Tavik Form Wizard Error");
    EXPECT_THAT(entity_->GetAttribList(), IsEmpty());
    TearDown();
    started_ = false;
  }

  EXPECT_EQ(ReadFirstEntityAttributes(
                Model(Entity(1, "T", Attribute(1, "A", R"("REL_COUNT": 2, "REL0_ID": 4)")))),
            10u);
  EXPECT_THAT(fakes_.message_boxes.Texts(),
              ElementsAre("Failed to build attribute relation id list; form will not generate",
                          kAttributesFailed));
}

TEST_F(ModelReading, AFailingEntityStopsReadingAndKeepsTheEntitiesBefore) {
  struct Case {
    std::string entity;
    Status status;
    std::size_t messages;
  };
  const Case cases[] = {
      {R"({"properties": {}})", 5, 1},
      {R"({"properties": {"ID": 2, "PHYSICAL_NAME": "B"}})", 5, 1},
      {R"({"properties": {"ID": 2, "UNIQUE_PHYS_NAME": "B"}})", 8, 1},
      {R"({"properties": {"PHYSICAL_NAME": "B", "UNIQUE_PHYS_NAME": "B"}})", 9, 1},
      {Entity(2, "B", Attribute(1, "A", R"("REL_COUNT": 0)", "")), 7, 2},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.entity);
    testing::ScopedFakes fakes;
    CForm form;
    Start(Model(Entity(1, "A") + "," + test.entity + "," + Entity(3, "C")));
    EXPECT_EQ(form.ReadEntities(), test.status);
    ASSERT_EQ(fakes.message_boxes.shown.size(), test.messages);
    EXPECT_EQ(fakes.message_boxes.Texts().back(), kEntitiesFailed);
    ASSERT_EQ(form.GetEntityMap().size(), 1u);
    EXPECT_NE(form.GetEntity(1), nullptr);
    TearDown();
    started_ = false;
  }
}

TEST_F(ModelReading, ARelationshipNeedsPropertiesAndAttributes) {
  const char* kRelationsFailed = "Failure to read Tavik relations; form will not generate";
  Start(Model("", R"({"properties": {"RELATION_ID": 1}, "attributes": [5]},
                     {"properties": {"RELATION_ID": 2}, "attributes": []})"));
  EXPECT_EQ(form_.ReadRelations(), 6u);
  EXPECT_EQ(form_.GetRelationList().size(), 1u);
  TearDown();

  CForm form;
  Start(Model("", R"({"properties": {}, "attributes": [5]})"));
  EXPECT_EQ(form.ReadRelations(), 5u);
  EXPECT_THAT(fakes_.message_boxes.Texts(), ElementsAre(kRelationsFailed, kRelationsFailed));
}

}  // namespace
}  // namespace tavik
