// Key migration: a new child row takes the parent's key values.
#include <string>

#include <fmt/format.h>

#include "entity/attrib_desc.h"
#include "entity/data_ctrl.h"
#include "entity/entity_desc.h"
#include "form/code_text.h"
#include "form/form_desc.h"
#include "visualizers/attrib_visualizer.h"

namespace tavik {

namespace {

// The one parameter of the key-migration procedure.
constexpr PARAMDESCRIPTION kParentDataCtrlParam[] = {{8, "ParentDataCtrl", "Data"},
                                                     {-1, nullptr, nullptr}};

constexpr Status kNoProcedure = 5;

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
    click->Append(
        SubEvent::kMain, SubEventSlot::kBody,
        CodeText().Line(2, fmt::format("{}_MigrateKeys {}", child_name, parent_ctrl)).str());
    procedure->Append(
        SubEvent::kMain, SubEventSlot::kHead,
        CodeText().Line(1, fmt::format("If tk_CurrRowExists({}) Then", parent_ctrl)).str());
    procedure->Append(
        SubEvent::kMain, SubEventSlot::kTail,
        CodeText().Line(2, fmt::format("b{}Bind = True", child_name)).Line(1, "End If").str());
  }
  std::string child_ctrl = child->DataCtrlName();
  procedure->Append(SubEvent::kMain, SubEventSlot::kBody,
                    CodeText()
                        .Line(2, CDataCtrl::FieldExpression(child_ctrl, child_column) + " = " +
                                     parent_data_ctrl->FieldExpression(parent_column))
                        .str());
  return kOk;
}

}  // namespace tavik
