// Entity generation: each entity's data control, controls and layout, or its drop.
#include <algorithm>
#include <vector>

#include "base/string_table.h"
#include "controls/data_ctrl.h"
#include "entity/entity_desc.h"
#include "form/ctrl_pos_item.h"
#include "form/form_desc.h"
#include "form/vb_fragment.h"
#include "platform/message_boxes.h"
#include "platform/platform.h"

namespace tavik {

namespace {

void RemoveLinks(std::vector<RelatedEntity>& links, const CEntity* entity) {
  std::erase_if(links, [entity](const RelatedEntity& link) { return link.entity == entity; });
}

// The model's property groups of an attribute are read while its controls are made; only a
// grid's edit styles are read later (the tables it joins to show names beside its keys).
// Dropped once the entity is generated, their room goes to the next entities' controls, as
// does the room the reader reserved for own properties the attribute did not get.
void DropModelGroups(const CEntityDesc& entity) {
  const bool is_grid = entity.GetGridVisualizer() != nullptr;
  for (const auto& attribute : entity.GetAttribList()) {
    if (is_grid) {
      attribute->GetTvkProps().KeepOnlySection(format_ids::kEditStyle);
    } else {
      attribute->GetTvkProps().Clear();
    }
    attribute->ReleaseSpareRoom();
  }
}

// A printed control that has no code and no children: a label, which nothing reads again.
bool CarriesNothingMore(const CCtrlDesc& control) {
  return !control.GetDrawFlag() && !control.HasEvents() && !control.HasChildren();
}

// Every control of the group, nested groups where they stand, gets its control-array entry.
void AddControlRefs(const CCtrlGroup& group, int& index) {
  for (const auto& item : group.GetItems()) {
    if (item->GetType() == CPosListItem::kGroupItem) {
      AddControlRefs(static_cast<const CCtrlGroup&>(*item), index);
    } else if (item->GetType() == CPosListItem::kControlItem) {
      if (CCtrlDesc* control = static_cast<const CCtrlPosItem&>(*item).GetCtrl()) {
        // Fails only without the form's timer, which the run makes before any entity.
        (void)control->AddControlRef(&index);
      }
    }
  }
}

}  // namespace

void CFormDesc::AddControlArray(const CEntityDesc& entity) {
  int index = 0;
  for (const auto& attribute : entity.GetAttribList()) {
    CVisualizer* visualizer = static_cast<CAttribDesc&>(*attribute).GetVisualizer();
    if (visualizer && visualizer->GetCtrlGroup())
      AddControlRefs(*visualizer->GetCtrlGroup(), index);
  }
}

Status CFormDesc::GenerateEntity(CEntityDesc& entity) {
  std::string name = MakeEntityName(entity.GetEntityName());
  if (name.empty()) return kNameFailed;
  entity.SetEntityName(name);
  if (entity.CreateDataControl() != kOk) return kDataControlFailed;
  if (!SetToScreenProcedure(name)) return kNoSetToScreen;
  if (!ResetProcedure(name)) return kNoReset;
  if (entity.HandleGridChoice() != kOk) return kGridFailed;
  if (entity.GenerateAttributes() != kOk) return kAttributesFailed;
  entity.GetDataCtrl()->AddProperty(Value::String(database_string_), "DatabaseName");
  LayoutGroup(*entity.GetCtrlGroup());
  if (control_group_->AddItem(entity.ReleaseCtrlGroup()) != kOk) return kGroupFailed;
  // Adding a declaration answers kOk always.
  (void)AddGlobalDeclaration(VbFragment(R"(
    Dim s$e$_Select As String
    )",
                                        {{"e", name}}));
  CEventDesc* load = LoadEvent();
  if (!load) return kNoEvent;
  load->Append(SubEvent::kMain, SubEventSlot::kBody,
               DataControlLoadCode(entity.GetDataCtrl()->GetCtrlName()));
  return kOk;
}

void CFormDesc::DropEntity(CEntityDesc& entity) {
  const std::string& name = entity.GetEntityName();
  if (CDataCtrl* data_ctrl = entity.GetDataCtrl()) RemoveCtrl(data_ctrl);
  for (auto& [parent, relation] : entity.GetParentList())
    RemoveLinks(parent->GetChildList(), &entity);
  for (auto& [child, relation] : entity.GetChildList())
    RemoveLinks(child->GetParentList(), &entity);
  RemoveProcedure(SetToScreenName(name));
  RemoveProcedure(ResetName(name));
  RemoveProcedure(SetDefaultsName(name));
  for (const auto& attribute : entity.GetAttribList()) {
    CVisualizer* visualizer = static_cast<CAttribDesc&>(*attribute).GetVisualizer();
    if (visualizer && visualizer->GetCtrlGroup()) {
      RemoveGroupCtrls(*visualizer->GetCtrlGroup());
    }
  }
  RemoveEntity(&entity);
}

// Nothing after the printing of an entity's blocks walks its attributes' layout groups: the
// cross-entity code reaches its controls through its data control and its buttons' group, and
// the form's end prints code from the form's lists. The groups go, and with them the labels,
// which carry no code: their room is taken by the next entities' controls. The groups stand
// in the entity's group, and the labels among the controls printed, in the order of the
// attributes, so each is found in one walk; one standing elsewhere would only be kept.
void CFormDesc::ReleasePrintedLayout(const CEntityDesc& entity, std::size_t first_streamed) {
  const auto& attributes = entity.GetAttribList();
  std::vector<const CPosListItem*> groups;
  std::vector<const CCtrlDesc*> labels;
  groups.reserve(attributes.size());
  labels.reserve(attributes.size());
  for (const auto& attribute : attributes) {
    CVisualizer* visualizer = static_cast<CAttribDesc&>(*attribute).GetVisualizer();
    const CCtrlGroup* group = visualizer ? visualizer->GetCtrlGroup() : nullptr;
    if (!group) continue;
    groups.push_back(group);
    for (const auto& item : group->GetItems()) {
      if (item->GetType() != CPosListItem::kControlItem) continue;
      const CCtrlDesc* control = static_cast<const CCtrlPosItem&>(*item).GetCtrl();
      if (CarriesNothingMore(*control)) labels.push_back(control);
    }
    (void)visualizer->DestroyCtrlGroup();  // the entity's group owns it: only forgotten here
  }
  auto next_group = groups.begin();
  entity.GetCtrlGroup()->DropItems([&](const CPosListItem& item) {
    if (next_group == groups.end() || &item != *next_group) return false;
    ++next_group;
    return true;
  });
  // The labels met are kept at the front of the list, then taken off the form's list, in
  // which they stand in the order they were printed.
  auto met = labels.begin();
  auto kept = streamed_.begin() + static_cast<std::ptrdiff_t>(first_streamed);
  for (auto printed = kept; printed != streamed_.end(); ++printed) {
    if (met != labels.end() && *printed == *met) {
      ++met;
    } else {
      *kept++ = *printed;
    }
  }
  streamed_.erase(kept, streamed_.end());
  if (met == labels.begin()) return;
  auto label = labels.begin();
  auto released = std::remove_if(controls_.lower_bound((*label)->GetCtrlHandle()), controls_.end(),
                                 [&](const CtrlMap::Entry& entry) {
                                   if (label == met || entry.second.get() != *label) return false;
                                   ++label;
                                   return true;
                                 });
  controls_.erase(released, controls_.end());
}

bool CFormDesc::AskToContinue(const std::string& entity_name) {
  std::string text(StringTable::Text(StringTable::kEntityProblem));
  if (auto at = text.find("%1"); at != std::string::npos) text.replace(at, 2, entity_name);
  auto* boxes = CurrentPlatform().message_boxes;
  return boxes && boxes->AskYesNo(StringTable::Text(StringTable::kEntityAbortCaption), text);
}

Status CFormDesc::GenerateEntities() {
  auto& entities = GetEntityMap();
  for (auto record = entities.begin(); record != entities.end();) {
    auto& entity = static_cast<CEntityDesc&>(*record->entity);
    ++record;  // the entity may leave the list below
    Status status = GenerateEntity(entity);
    if (status == kOk) {
      AddControlArray(entity);
      DropModelGroups(entity);
      if (stream_past_) {
        PlaceNewGroups();
        KeepButtonsOffDataControl(entity);
        const std::size_t first_streamed = streamed_.size();
        StreamNewControls();
        if (stream_) ReleasePrintedLayout(entity, first_streamed);
      }
      continue;
    }
    std::string name = entity.GetEntityName();
    DropEntity(entity);
    if (!AskToContinue(name)) return status;
  }
  return kOk;
}

}  // namespace tavik
