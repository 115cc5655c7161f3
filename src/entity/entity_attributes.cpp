// Attribute generation: edit styles, visualizers, the entity's group and its columns.
#include <algorithm>
#include <cstdlib>

#include "base/string_table.h"
#include "controls/ctrl_desc.h"
#include "entity/entity_desc.h"
#include "form/ctrl_pos_item.h"
#include "form/form_context.h"
#include "model/property_names.h"
#include "platform/message_boxes.h"
#include "platform/platform.h"
#include "visualizers/grid_visualizer.h"

namespace tavik {

namespace {

constexpr std::size_t kLongColumnName = 15;

std::int64_t NumberOf(const Value& value) {
  if (value.IsString()) return std::strtol(value.AsCString(), nullptr, 10);
  return value.AsInteger();
}

// The length of the value's text, made only for a number.
std::size_t TextSize(const Value& value) {
  return value.IsString() ? value.AsString().size() : value.Text().size();
}

// Every attribute is asked for these: their names are interned once, found by address.
const std::string& EditStyleKey() {
  static const std::string& key = PropertyNames::Intern("ES_TYP");
  return key;
}

}  // namespace

Status CEntityDesc::ChooseEditStyle(CAttribDesc& attribute) {
  const Value* style = attribute.FindGroupValue(format_ids::kEditStyle, EditStyleKey());
  if (style && !style->IsEmpty()) {
    attribute.SetEditStyle(static_cast<std::int32_t>(NumberOf(*style)));
    return kOk;
  }
  // Without an edit style the attribute is a text box, translating coded values when it
  // has a valid-value list.
  bool had_group = attribute.GetTvkProps().GetSection(format_ids::kEditStyle) != nullptr;
  CNxPropertySection& group = attribute.GetTvkProps().AddSection(format_ids::kEditStyle);
  attribute.AddGroupProperty(group, Value::Long(4), &EditStyleKey());
  bool coded = HasText(attribute.GetProperty("COL_VLDLIST")) ||
               HasText(attribute.GetProperty("EST_VLDLIST"));
  if (!had_group && coded) {
    attribute.AddGroupProperty(group, Value::Long(1), "ESECOD");
    attribute.AddGroupProperty(group, Value::Long(1), "ESEVAL");
  }
  attribute.SetEditStyle(4);
  return kOk;
}

Status CEntityDesc::GenerateAttribute(CAttribDesc& attribute) {
  (void)ChooseEditStyle(attribute);  // answers kOk always: no style is a text box
  if (IsGrid()) return grid_visualizer_->AddAttribToGrid(&attribute);
  if (attribute.CreateVisualizer() != kOk || !attribute.GetVisualizer()) return kNoVisualizer;
  CVisualizer& visualizer = *attribute.GetVisualizer();
  if (visualizer.DetermineValidationList() != kOk) return kValidationListFailed;
  if (visualizer.CreateControls() != kOk) return kControlsFailed;
  if (visualizer.DoBinding() != kOk) return kBindingFailed;
  static const std::string& visible_key = PropertyNames::Intern("VISIBLE");
  static const std::string& column_name_key = PropertyNames::Intern("CD_NAM");
  const Value* visible = attribute.FindPropertyOfShared(visible_key);
  if (!visible || visible->IsEmpty()) return kNoVisibleProperty;
  // MakeInvisible answers kOk always.
  if (NumberOf(*visible) != 1) (void)CVisualizer::MakeInvisible(visualizer.GetCtrlGroup());
  if (!compress_names_) {
    const Value* column_name = attribute.FindGroupValue(format_ids::kColProp, column_name_key);
    if (!column_name || column_name->IsEmpty() || !column_name->HasText()) return kNoColumnName;
    if (TextSize(*column_name) > kLongColumnName) compress_names_ = 1;
  }
  if (group_->AddItem(visualizer.ReleaseCtrlGroup()) != kOk) return kGroupNotAdded;
  return kOk;
}

void CEntityDesc::ReportAttributeError(CAttribDesc& attribute) {
  if (auto* boxes = CurrentPlatform().message_boxes) {
    boxes->ShowMessage(StringTable::Text(StringTable::kAttributeErrorCaption),
                       std::string(StringTable::Text(StringTable::kAttributeProblem)) +
                           attribute.GetDisplayName());
  }
  if (CVisualizer* visualizer = attribute.GetVisualizer()) {
    // Nothing half-made stays on the form: the controls made so far go with the group.
    if (CCtrlGroup* group = visualizer->GetCtrlGroup()) GetFormContext()->RemoveGroupCtrls(*group);
    (void)visualizer->DestroyCtrlGroup();  // answers kOk always
  }
}

Status CEntityDesc::GenerateAttributes() {
  for (const auto& attribute : GetAttribList()) {
    auto& attribute_desc = static_cast<CAttribDesc&>(*attribute);
    if (GenerateAttribute(attribute_desc) != kOk) {
      ReportAttributeError(attribute_desc);
      return kAttributeFailed;
    }
  }
  if (Status status = AddDataNavigationButtons()) return status;
  PlaceColumns();
  return kOk;
}

namespace {

// The widest control of a column: items of order 0 or less, data controls left out.
std::uint16_t WidestInColumn(const CCtrlGroup& group, std::int32_t column) {
  std::uint16_t widest = 0;
  for (const auto& item : group.GetItems()) {
    if (item->GetType() == CPosListItem::kGroupItem) {
      widest = std::max(widest, WidestInColumn(static_cast<const CCtrlGroup&>(*item), column));
      continue;
    }
    if (item->column + group.column != column || item->order > 0) continue;
    CCtrlDesc* control = static_cast<const CCtrlPosItem&>(*item).GetCtrl();
    if (control->GetClassName() == "Data") continue;
    if (const Value* width = control->FindProperty(ctrl_props::kWidth)) {
      widest = std::max(widest,
                        static_cast<std::uint16_t>(static_cast<std::int64_t>(width->AsSingle())));
    }
  }
  return widest;
}

// Nested groups share the column's position; a group behind a container is the
// container's own and keeps its positions.
void PassColumnDown(CCtrlGroup& group, std::int32_t column, float x) {
  bool skip_next_group = false;
  for (const auto& item : group.GetItems()) {
    if (item->GetType() == CPosListItem::kControlItem) {
      if (static_cast<const CCtrlPosItem&>(*item).GetCtrl()->HasChildren()) skip_next_group = true;
      continue;
    }
    if (skip_next_group) {
      skip_next_group = false;
      continue;
    }
    auto& nested = static_cast<CCtrlGroup&>(*item);
    (void)nested.SetColumnPosition(column, x);  // a nested group without the column keeps none
    PassColumnDown(nested, column, x);
  }
}

}  // namespace

void CEntityDesc::PlaceColumns() {
  float x = 100.0f;
  (void)group_->SetColumnPosition(0, x);  // a group has a first column always
  PassColumnDown(*group_, 0, x);
  for (std::int32_t column = 1; column < group_->GetColumnCount(); ++column) {
    x = group_->GetColumnPosition(column - 1) + WidestInColumn(*group_, column - 1) + 50.0f;
    (void)group_->SetColumnPosition(column, x);  // column counted above
    PassColumnDown(*group_, column, x);
  }
}

}  // namespace tavik
