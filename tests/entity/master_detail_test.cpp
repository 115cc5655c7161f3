// Tests of key migration and child refresh between the entities of one form.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "controls/data_ctrl.h"
#include "entity/entity_desc.h"
#include "fakes/event_text.h"
#include "fakes/model_form.h"
#include "fakes/model_text.h"
#include "fakes/scoped_fakes.h"
#include "form/form_desc.h"
#include "formfile/block_printer.h"
#include "visualizers/grid_visualizer.h"
#include "visualizers/text_visualizer.h"

namespace tavik {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;
using testing::Piece;
using testing::Prepared;

// An attribute; a migrated key names its relation and the parent attribute's display name.
std::string Attribute(int id, std::string_view column, std::string_view display, int relation = 0,
                      std::string_view base = "") {
  return testing::AttributeText(id, column,
                                testing::KeyNames(display, base.empty() ? display : base, relation),
                                testing::Group("COL_PROP", R"("CD_TYP": "INTEGER")"));
}

std::string Entity(int id, std::string_view name, std::string_view attributes) {
  return testing::EntityText(id, name, "FIELDS", attributes);
}

// A grid whose hooks leave a mark in the text they are given.
class MarkingGrid : public CGridVisualizer {
 public:
  Status DoParentPreChildRepopulate(std::string& reposition, std::string&, CEntityDesc*) override {
    reposition += "\t\t'parent pre\r\n";
    return kOk;
  }
  Status DoChildPreChildRepopulate(std::string&, std::string& refresh, CEntityDesc*) override {
    refresh += "\t'child pre\r\n";
    return kOk;
  }
  Status DoParentPostChildRepopulate(std::string&, std::string& refresh, CEntityDesc*) override {
    refresh += "\t'parent post\r\n";
    return kOk;
  }
  Status DoChildPostChildRepopulate(std::string&, std::string& refresh, CEntityDesc*) override {
    refresh += "\t'child post\r\n";
    return kOk;
  }
};

class MasterDetail : public ::testing::Test {
 protected:
  void Load(const std::string& entities, const std::string& relations,
            std::string_view no_buttons = "") {
    model_ = std::make_unique<testing::ModelForm>(testing::ModelText(entities, relations));
    ASSERT_EQ(model_->read_status(), kOk);
    model_->PrepareEntities(no_buttons);
  }

  CFormDesc& form() { return model_->form(); }
  CEntityDesc& Get(std::string_view name) { return model_->EntityNamed(name); }
  std::string Procedures() {
    std::string text;
    formfile::BlockPrinter printer(text);
    form().WriteProcedures(printer);
    return text;
  }
  CEventDesc* Reposition(std::string_view entity) {
    return Get(entity).GetDataCtrl()->GetEvent("Reposition");
  }

  testing::ScopedFakes fakes_;
  std::unique_ptr<testing::ModelForm> model_;
};

// Customers and stores both own orders: the order's keys come from both parents.
std::string TwoParentModel() {
  return Entity(1, "CUSTOMER", Attribute(101, "CUST_ID", "Customer Id")) + "," +
         Entity(3, "STORE", Attribute(301, "STORE NO", "Store No")) + "," +
         Entity(2, "ORDERS",
                Attribute(201, "ORDER_ID", "Order Id") + "," +
                    Attribute(101, "CUST_ID", "Ordering Customer", 1, "Customer Id") + "," +
                    Attribute(301, "STORE NO", "Selling Store", 2, "Store No"));
}

TEST_F(MasterDetail, AChildOfTwoParentsMigratesAndFiltersOnTheKeysOfBoth) {
  Load(TwoParentModel(),
       testing::RelationText(1, 1, 2, "101") + "," + testing::RelationText(2, 3, 2, "301"));
  // An earlier contributor's code in the parent's sub-event 2 stays behind the refresh calls.
  Reposition("CUSTOMER")
      ->Append(SubEvent::kRepositionFields, SubEventSlot::kBody, "\t\t'earlier\r\n");

  EXPECT_EQ(Get("ORDERS").SetForeignKeys(), kOk);
  EXPECT_EQ(Get("CUSTOMER").RepopulateChildren(), kOk);
  EXPECT_EQ(Get("STORE").RepopulateChildren(), kOk);
  EXPECT_EQ(Get("ORDERS").RepopulateChildren(), kOk);

  // Physical names in the key migration, query names in the condition. The New button
  // migrating from the first parent only, and the call of each parent, are the
  // child_two_parents golden's.
  CEventDesc* migrate = form().MakeProcedure("ORDERS_MigrateKeys");
  EXPECT_THAT(Prepared(migrate), HasSubstr("\t\tdsORDERS.Recordset.Fields(\"STORE NO\") = "
                                           "dsSTORE.Recordset.Fields(\"STORE NO\")\r\n"));
  EXPECT_THAT(Prepared(form().MakeProcedure("ORDERS_DoRefresh")),
              HasSubstr("\t\t\tdsORDERS.RecordSource = sORDERS_Select & \" CUST_ID = \" & "
                        "tk_SQLValue(dsCUSTOMER, \"CUST_ID\")& \" AND [STORE NO] = \" & "
                        "tk_SQLValue(dsSTORE, \"STORE NO\")\r\n"));

  // The refresh call comes before what the sub-event held already.
  CEventDesc* customer = Reposition("CUSTOMER");
  EXPECT_EQ(Piece(customer, 2, 1),
            "\t\tScreen.MousePointer = HOURGLASS\r\n"
            "\t\tSet ds = dsORDERS\r\n"
            "\t\tORDERS_DoRefresh dsCUSTOMER\r\n"
            "\t\tScreen.MousePointer = ARROW\r\n"
            "\t\t'earlier\r\n");
  // Without children only the pointer lines remain.
  EXPECT_EQ(Piece(Reposition("ORDERS"), 2, 1),
            "\t\tScreen.MousePointer = HOURGLASS\r\n\t\tScreen.MousePointer = ARROW\r\n");
}

TEST_F(MasterDetail, KeysAndRelationsThatCannotBeUsedAreLeftOutOrStopTheWork) {
  // NOTE has no attribute migrated through its relation; TAG has a key but no buttons,
  // and a second link to TAG lacks a relation id.
  Load(Entity(1, "CUSTOMER", Attribute(101, "CUST_ID", "Customer Id")) + "," +
           Entity(2, "NOTE", Attribute(201, "TEXT", "Text")) + "," +
           Entity(3, "TAG",
                  Attribute(101, "CUST_ID", "Tagged Customer", 6, "Customer Id") + "," +
                      Attribute(102, "OTHER", "Other", 6, "No Such Attribute")),
       testing::RelationText(5, 1, 2, "101") + "," + testing::RelationText(6, 1, 3, "101,102"),
       "TAG");
  CEntityDesc& customer = Get("CUSTOMER");
  CEntityDesc& tag = Get("TAG");

  EXPECT_EQ(Get("NOTE").SetForeignKeys(), kOk);
  EXPECT_EQ(tag.SetForeignKeys(), 4u);
  auto* key_visualizer = static_cast<CAttribDesc&>(*tag.GetAttribList()[0]).GetVisualizer();
  EXPECT_EQ(key_visualizer->DoForeignKey(
                customer.GetDataCtrl(),
                static_cast<CAttribDesc*>(customer.GetAttribFromDisplayName("Customer Id"))),
            3u);
  EXPECT_THAT(Procedures(), Not(HasSubstr("_MigrateKeys")));

  // The condition of a relation without migrated keys is empty; a key whose parent
  // attribute is unknown is skipped.
  EXPECT_EQ(customer.RepopulateChildren(), kOk);
  EXPECT_THAT(Prepared(form().MakeProcedure("NOTE_DoRefresh")),
              HasSubstr("\t\t\tdsNOTE.RecordSource = sNOTE_Select & \" \r\n\t\tElse\r\n"));
  EXPECT_THAT(
      Prepared(form().MakeProcedure("TAG_DoRefresh")),
      HasSubstr("sTAG_Select & \" CUST_ID = \" & tk_SQLValue(dsCUSTOMER, \"CUST_ID\")\r\n"));
}

TEST_F(MasterDetail, GridsTakeOverTheHooksAroundAChildRefresh) {
  Load(Entity(1, "CUSTOMER", Attribute(101, "CUST_ID", "Customer Id")) + "," +
           Entity(2, "ORDERS", Attribute(101, "CUST_ID", "Customer", 1, "Customer Id")),
       testing::RelationText(1, 1, 2, "101"));
  for (std::string_view name : {"CUSTOMER", "ORDERS"}) {
    auto grid = std::make_unique<MarkingGrid>();
    ASSERT_EQ(grid->Init(&Get(name)), kOk);
    Get(name).SetGridVisualizer(std::move(grid));
  }
  EXPECT_EQ(Get("CUSTOMER").RepopulateChildren(), kOk);

  std::string refresh = Prepared(form().MakeProcedure("ORDERS_DoRefresh"));
  EXPECT_THAT(refresh, ::testing::StartsWith("\t'child pre\r\n\t\tIf dsORDERS.EditMode"));
  EXPECT_THAT(refresh, EndsWith("\t\tEnd If\r\n\t'parent post\r\n\t'child post\r\n\r\n"));
  EXPECT_THAT(refresh, Not(HasSubstr(".Refresh")));
  EXPECT_EQ(Piece(Reposition("CUSTOMER"), 2, 1),
            "\t\tScreen.MousePointer = HOURGLASS\r\n"
            "\t\t'parent pre\r\n"
            "\t\tSet ds = dsORDERS\r\n"
            "\t\tORDERS_DoRefresh dsCUSTOMER\r\n"
            "\t\tScreen.MousePointer = ARROW\r\n");
}

}  // namespace
}  // namespace tavik
