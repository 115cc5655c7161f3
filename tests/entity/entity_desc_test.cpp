// Entity generation: rows and hidden data controls (edit styles, names and labels are the
// column-properties golden's, columns the other goldens').
#include <gtest/gtest.h>

#include <string>

#include "controls/ctrl_desc.h"
#include "controls/data_ctrl.h"
#include "entity/entity_desc.h"
#include "fakes/model_form.h"
#include "fakes/model_text.h"
#include "fakes/scoped_fakes.h"
#include "form/ctrl_pos_item.h"
#include "visualizers/attrib_visualizer.h"

namespace tavik {
namespace {

using testing::AttributeText;
using testing::EntityText;
using testing::Group;
using testing::ModelForm;
using testing::ModelText;
using testing::ScopedFakes;

// A column named "D" + id, labelled "Label" unless column_extra gives its own label.
std::string Attribute(int id, const std::string& physical, const std::string& extra_groups = "",
                      const std::string& column_extra = "") {
  std::string label =
      column_extra.find("CD_PLB") == std::string::npos ? R"(, "CD_PLB": "Label")" : "";
  return AttributeText(
      id, physical,
      R"(, "DISPLAY_NAME": "D)" + std::to_string(id) +
          R"(", "BASE_NAME": "B", "ROLE_NAME": "R", "REL_COUNT": 0, "REQUIRED": 0)",
      Group("COL_PROP",
            R"j("CD_TYP": "CHAR(10)", "CD_NAM": ")j" + physical + "\"" + label + column_extra) +
          extra_groups);
}

TEST(EntityGeneration, RowsFollowTheDeepestParent) {
  ScopedFakes fakes;
  auto entity = [](int id) { return EntityText(id, "T" + std::to_string(id), "FIELDS", ""); };
  auto relation = [](int id, int parent, int child) {
    return testing::RelationText(id, parent, child, "1");
  };
  ModelForm model(ModelText(entity(1) + "," + entity(2) + "," + entity(3) + "," + entity(4),
                            relation(1, 1, 2) + "," + relation(2, 2, 3) + "," + relation(3, 3, 4) +
                                "," + relation(4, 1, 4) + "," + relation(5, 3, 3)));
  ASSERT_EQ(model.read_status(), kOk);
  // Parents of rows 0 and 2; the third entity is also its own parent, which adds nothing.
  EXPECT_EQ(model.Entity(3).CalcRow(), 3);
  EXPECT_EQ(model.Entity(0).GetRowNum(), 0);
  EXPECT_EQ(model.Entity(1).GetRowNum(), 1);
}

TEST(EntityGeneration, DataControlIsHiddenWhenVisibleReadsZeroAlsoAsText) {
  ScopedFakes fakes;
  auto entity = [](int id, const std::string& visible) {
    std::string text = EntityText(id, "T" + std::to_string(id), "FIELDS", Attribute(id, "A"));
    const std::string given = R"("VISIBLE": 1)";
    return text.replace(text.find(given), given.size(), R"("VISIBLE": )" + visible);
  };
  ModelForm model(
      ModelText(entity(1, R"("1")") + "," + entity(2, R"("0")") + "," + entity(3, "0")));
  ASSERT_EQ(model.Generate(), kOk);
  EXPECT_FALSE(model.Entity(0).GetDataCtrl()->GetProperty("Visible"));
  EXPECT_EQ(model.Entity(1).GetDataCtrl()->GetProperty("Visible"), Value::Short(0));
  EXPECT_EQ(model.Entity(2).GetDataCtrl()->GetProperty("Visible"), Value::Short(0));
}

// FORM_ATTRIB_INFO, wherever the model puts it, outweighs ATTRIB_INFO and the properties
// derived from the groups (the type here), but not the query name made last.
TEST(EntityGeneration, FormInfoOutweighsTheAttributesOwnAndDerivedProperties) {
  ScopedFakes fakes;
  const std::string attribute =
      R"j({"FORM_ATTRIB_INFO": {"VISIBLE": 1, "PHYSICAL_NAME": "P", "CD_TYP": "FORM",
          "SQLQUERY_NAME": "Q"},
          "ATTRIB_INFO": {"ID": 1, "PHYSICAL_NAME": "A", "CD_TYP": "OWN")j" +
      std::string(testing::kPlainNames) + R"j(}, "COL_PROP": {"CD_TYP": "CHAR(10)"}})j";
  ModelForm model(ModelText(EntityText(1, "T", "FIELDS", attribute)));
  ASSERT_EQ(model.read_status(), kOk);
  const CAttribute& read = *model.Entity(0).GetAttribList().at(0);
  EXPECT_EQ(read.GetProperty("PHYSICAL_NAME"), Value::String("P"));
  EXPECT_EQ(read.GetProperty("CD_TYP"), Value::String("FORM"));
  EXPECT_EQ(read.GetProperty("SQLQUERY_NAME"), Value::String("P"));
  EXPECT_EQ(read.GetProperty("VISIBLE"), Value::Long(1));
}

// An entity dropped for a failed attribute, with its messages and without what it made, is
// pinned by the entity_dropped goldens.

}  // namespace
}  // namespace tavik
