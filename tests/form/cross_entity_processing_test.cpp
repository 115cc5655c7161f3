// Tests of the cross-entity code: record sources, the repopulate order, data control events.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "controls/data_ctrl.h"
#include "controls/timer_ctrl.h"
#include "entity/entity_desc.h"
#include "fakes/event_text.h"
#include "fakes/model_form.h"
#include "fakes/model_text.h"
#include "fakes/scoped_fakes.h"
#include "form/ctrl_pos_item.h"
#include "form/form_desc.h"
#include "formfile/block_printer.h"
#include "visualizers/text_visualizer.h"

namespace tavik {
namespace {

using testing::Piece;
using testing::Prepared;

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

std::string Attribute(int id, std::string_view column, int relation = 0,
                      std::string_view base = "") {
  return testing::AttributeText(id, column,
                                testing::KeyNames(column, base.empty() ? column : base, relation),
                                testing::Group("COL_PROP", R"("CD_TYP": "INTEGER")"));
}

std::string Entity(int id, std::string_view name, std::string_view attributes) {
  return testing::EntityText(id, name, "FIELDS", attributes);
}

std::string Relation(int id, int parent, int child, int attribute) {
  return testing::RelationText(id, parent, child, std::to_string(attribute));
}

// A control that records the control-array index it is given and uses `entries` of them.
class ArrayCtrl : public CCtrlDesc {
 public:
  ArrayCtrl(std::vector<std::string>* log, int entries) : log_(log), entries_(entries) {}
  Status AddControlRef(int* index) override {
    log_->push_back(GetCtrlName() + "=" + std::to_string(*index));
    *index += entries_;
    return kOk;
  }

 private:
  std::vector<std::string>* log_;
  int entries_;
};

class CrossEntity : public ::testing::Test {
 protected:
  // Reads the model and builds what entity generation leaves for each entity, with a timer.
  void Load(const std::string& entities, const std::string& relations) {
    model_ = std::make_unique<testing::ModelForm>(testing::ModelText(entities, relations));
    ASSERT_EQ(model_->read_status(), kOk);
    ASSERT_NE(form().CreateTimer(), nullptr);
    model_->PrepareEntities();
  }

  CFormDesc& form() { return model_->form(); }
  CEntityDesc& Get(std::string_view name) { return model_->EntityNamed(name); }
  CEventDesc* DataEvent(std::string_view entity, std::string_view event) {
    return Get(entity).GetDataCtrl()->GetEvent(event);
  }
  std::string Globals() {
    std::string text;
    formfile::BlockPrinter printer(text);
    form().WriteGlobalDeclarations(printer);
    return text;
  }

  testing::ScopedFakes fakes_;
  std::unique_ptr<testing::ModelForm> model_;
};

TEST_F(CrossEntity, AFormWithoutEntitiesIsRefused) {
  Load("", "");
  EXPECT_EQ(form().DoCrossEntityProcessing(), 6u);
  EXPECT_THAT(fakes_.message_boxes.shown,
              ElementsAre(testing::RecordingMessageBoxes::Shown{
                  "Form Generation Abort",
                  "No entities successfully generated; form generation will abort"}));
  EXPECT_EQ(Globals(), "\r\n");
}

// A chain given grandchild first (its order, record sources, timer checks and guards) is the
// grandchild golden.
// A grid child's filter, repopulation node, update and screen code are pinned by the grid
// goldens.
TEST_F(CrossEntity, ControlArraysAndFieldChecks) {
  Load(Entity(1, "CUSTOMER", Attribute(101, "CUST_ID") + "," + Attribute(102, "NAME")) + "," +
           Entity(2, "ORDERS", Attribute(101, "CUST_ID", 1)),
       Relation(1, 1, 2, 101));
  CEntityDesc& customer = Get("CUSTOMER");

  // Control-array entries follow the attributes and, within one, its group depth first.
  std::vector<std::string> log;
  std::vector<std::unique_ptr<ArrayCtrl>> controls;
  auto place = [&](CCtrlGroup& group, const char* name, int entries) {
    controls.push_back(std::make_unique<ArrayCtrl>(&log, entries));
    controls.back()->SetCtrlName(name);
    ASSERT_EQ(group.AddItem(std::make_unique<CCtrlPosItem>(controls.back().get(), 0, 0.0f, 0.0f)),
              kOk);
  };
  auto group_of = [](const CEntityDesc& entity, std::size_t attribute) -> CCtrlGroup& {
    return *static_cast<CAttribDesc&>(*entity.GetAttribList()[attribute])
                .GetVisualizer()
                ->GetCtrlGroup();
  };
  place(group_of(customer, 0), "first", 1);
  auto nested = std::make_unique<CCtrlGroup>(1, 0.0f, 0.0f);
  place(*nested, "nested", 2);
  ASSERT_EQ(group_of(customer, 0).AddItem(std::move(nested)), kOk);
  place(group_of(customer, 0), "after", 1);
  place(group_of(customer, 1), "second", 1);
  customer.SetRegCtrlIndex(5);

  // Field checks already in the parent's Validate and Reposition get their frames.
  DataEvent("CUSTOMER", "Validate")
      ->Append(SubEvent::kValidateFieldChecks, SubEventSlot::kBody, "\t\t'check\r\n");
  DataEvent("CUSTOMER", "Reposition")
      ->Append(SubEvent::kRepositionBeforeLoad, SubEventSlot::kBody, "\t'load\r\n");

  CFormDesc::AddControlArray(customer);
  ASSERT_EQ(form().DoCrossEntityProcessing(), kOk);

  EXPECT_THAT(log, ElementsAre("first=0", "nested=1", "after=3", "second=4"));
  EXPECT_THAT(Globals(), HasSubstr("Dim axCUSTOMER_Ctrl(4) As Control\r\n"
                                   "Dim abCUSTOMER_Changed(4) As Integer\r\n"));
  // The frames go round the checks already there; the translation and trimming follow them.
  CEventDesc* validate = DataEvent("CUSTOMER", "Validate");
  EXPECT_EQ(Piece(validate, 2, 0), "\tIf bFormLoaded And Save Then\r\n");
  EXPECT_THAT(Piece(validate, 2, 1),
              StartsWith("\t\ttk_SetEditMode dsCUSTOMER\r\n"
                         "\t\ttk_SaveChangedFlags axCUSTOMER_Ctrl(), abCUSTOMER_Changed()\r\n"
                         "\t\t'check\r\n"
                         "\t\tIf nDFTransCount > 0 Then\r\n"));
  EXPECT_EQ(Piece(validate, 2, 2), "\tEnd If\r\n");
  CEventDesc* reposition = DataEvent("CUSTOMER", "Reposition");
  EXPECT_EQ(Piece(reposition, 1, 0), "\tIf bFormLoaded = False Then\r\n");
  EXPECT_EQ(Piece(reposition, 1, 2), "\tEnd If\r\n");
}

}  // namespace
}  // namespace tavik
