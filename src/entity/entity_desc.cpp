// Entity descriptors: groups, query names, rows, first focus and the grid choice.
#include "entity/entity_desc.h"

#include <algorithm>

#include "controls/data_ctrl.h"
#include "entity/grid_lookups.h"
#include "form/ctrl_pos_item.h"
#include "form/form_context.h"
#include "model/sql_name.h"
#include "visualizers/grid_visualizer.h"

namespace tavik {

CEntityDesc::CEntityDesc(FormContext& form) : form_(&form) {}
CEntityDesc::~CEntityDesc() = default;

Status CEntityDesc::Init(std::string_view label, CForm* form) {
  if (Status status = CEntity::Init(label, form)) return status;
  owned_group_ = std::make_unique<CCtrlGroup>(4, 0.0f, 0.0f);
  owned_group_->column = 0;
  group_ = owned_group_.get();
  owned_button_group_ = std::make_unique<CCtrlGroup>(4, 0.0f, 0.0f);
  owned_button_group_->column = 0;
  owned_button_group_->SetCurrentY(100);
  button_group_ = owned_button_group_.get();
  return kOk;
}

std::unique_ptr<CAttribute> CEntityDesc::AllocateAttribute() {
  return std::make_unique<CAttribDesc>();
}

const GridLookups* CEntityDesc::JoinedLookups() const {
  if (!grid_visualizer_) return nullptr;
  if (!grid_lookups_) grid_lookups_ = std::make_unique<GridLookups>(*this);
  return grid_lookups_->Empty() ? nullptr : grid_lookups_.get();
}

std::string CEntityDesc::SqlColumnName(std::string_view column) const {
  const GridLookups* lookups = JoinedLookups();
  return lookups ? lookups->ColumnName(column) : SqlName::Quoted(column);
}

Status CEntityDesc::GetProperties(std::uint32_t property_list) {
  if (Status status = CEntity::GetProperties(property_list)) return status;
  auto physical_name = GetProperty("PHYSICAL_NAME");
  if (!HasText(physical_name)) return kMissingProperty;
  std::string name = physical_name->Text();
  AddProperty(Value::String(name), "PHYSICAL_NAME");
  return AddProperty(Value::String(SqlName::Quoted(name)), "SQLQUERY_NAME");
}

CDataCtrl* CEntityDesc::MasterDataCtrl() const {
  if (GetParentCount() == 0) return nullptr;
  return static_cast<const CEntityDesc&>(*GetParentList().front().entity).GetDataCtrl();
}

void CEntityDesc::SetGridVisualizer(std::unique_ptr<CGridVisualizer> visualizer) {
  grid_visualizer_ = std::move(visualizer);
}

std::int32_t CEntityDesc::CalcRow() {
  // A model may relate an entity to itself or close a cycle; an entity whose row is being
  // computed does not count as its own ancestor.
  constexpr std::int32_t kComputing = -2;
  row_ = kComputing;
  std::int32_t row = 0;
  for (const auto& [parent, relation] : GetParentList()) {
    auto* parent_desc = static_cast<CEntityDesc*>(parent);
    if (parent_desc->row_ == kComputing) continue;
    std::int32_t parent_row = parent_desc->row_ < 0 ? parent_desc->CalcRow() : parent_desc->row_;
    row = std::max(row, parent_row + 1);
  }
  row_ = row;
  return row_;
}

CCtrlDesc* CEntityDesc::FindFirstFocusCtrl(const CCtrlGroup& group) {
  for (const auto& item : group.GetItems()) {
    if (item->GetType() == CPosListItem::kGroupItem) {
      if (auto* found = FindFirstFocusCtrl(static_cast<const CCtrlGroup&>(*item))) return found;
      continue;
    }
    CCtrlDesc* control = static_cast<const CCtrlPosItem&>(*item).GetCtrl();
    if (control->IsFocusCtrl()) return control;
  }
  return nullptr;
}

Status CEntityDesc::HandleGridChoice() {
  auto style = GetProperty("DISPLAY_STYLE");
  if (!HasText(style)) return kMissingProperty;
  if (style->Text() != "GRID") return kOk;
  if (Status status = form_->AllocateVisualizer(3, this)) return status;
  if (!grid_visualizer_) return kOk;
  if (Status status = grid_visualizer_->CreateControls()) return status;
  return grid_visualizer_->DoBinding();
}

}  // namespace tavik
