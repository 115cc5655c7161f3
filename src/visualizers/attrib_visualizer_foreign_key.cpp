// Key migration: a new child row takes the parent's key values.
#include <string>

#include "controls/data_ctrl.h"
#include "entity/attrib_desc.h"
#include "entity/entity_desc.h"
#include "form/event_desc.h"
#include "form/form_context.h"
#include "form/vb_fragment.h"
#include "visualizers/attrib_visualizer.h"

namespace tavik {

namespace {

// The one parameter of the key-migration procedure.
constexpr PARAMDESCRIPTION kParentDataCtrlParam[] = {{8, "ParentDataCtrl", "Data"},
                                                     {-1, nullptr, nullptr}};

// The key-migration procedure cannot be had.
enum ForeignKeyFault : Status { kNoProcedure = 5 };

std::string PhysicalName(const CAttribDesc& attribute) {
  auto name = attribute.GetProperty("PHYSICAL_NAME");
  return name ? name->Text() : std::string();
}

}  // namespace

Status CAttribVisualizer::DoForeignKey(CDataCtrl* parent_data_ctrl, CAttribDesc* parent_attribute) {
  if (!parent_data_ctrl) return kNullArgument;
  CAttribDesc* attribute = GetAttribDesc();
  CEntityDesc* child = GetEntityDesc();
  CCtrlDesc* new_button = child->GetButton("New");
  CEventDesc* click = new_button ? new_button->GetEvent("Click") : nullptr;
  if (!click) return kNoEvent;
  std::string child_column = PhysicalName(*attribute);
  std::string parent_column = parent_attribute ? PhysicalName(*parent_attribute) : std::string();
  if (child_column.empty() || parent_column.empty()) return kMissingProperty;

  const std::string& child_name = child->GetEntityName();
  const std::string& parent_ctrl = parent_data_ctrl->GetCtrlName();
  CEventDesc* procedure = GetFormDesc()->MakeProcedure(child_name + "_MigrateKeys");
  if (!procedure) return kNoProcedure;
  // The first key of a child sets the procedure up, with the parent met first.
  if (procedure->GetSubEventCount() == 0) {
    procedure->AddParameters(kParentDataCtrlParam);
    click->Append(SubEvent::kMain, SubEventSlot::kBody,
                  VbFragment(R"(
            $child$_MigrateKeys $parent$
    )",
                             {{"child", child_name}, {"parent", parent_ctrl}}));
    procedure->Append(SubEvent::kMain, SubEventSlot::kHead,
                      VbFragment(R"(
        If tk_CurrRowExists($parent$) Then
    )",
                                 {{"parent", parent_ctrl}}));
    procedure->Append(SubEvent::kMain, SubEventSlot::kTail,
                      VbFragment(R"(
            b$child$Bind = True
        End If
    )",
                                 {{"child", child_name}}));
  }
  procedure->Append(
      SubEvent::kMain, SubEventSlot::kBody,
      VbFragment(R"(
            $child_field$ = $parent_field$
    )",
                 {{"child_field", CDataCtrl::FieldExpression(child->DataCtrlName(), child_column)},
                  {"parent_field", parent_data_ctrl->FieldExpression(parent_column)}}));
  return kOk;
}

}  // namespace tavik
