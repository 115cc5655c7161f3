// Entity generation: each entity's data control, controls and layout, or its drop.
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

// The model's property groups of an attribute are read while its controls are made; only the
// edit style is read later (a grid's joins, a lookup's source). Dropped once the entity is
// generated, their room goes to the next entities' controls, as does the room the reader
// reserved for own properties the attribute did not get.
void DropModelGroups(const CEntityDesc& entity) {
  for (const auto& attribute : entity.GetAttribList()) {
    attribute->GetTvkProps().KeepOnlySection(format_ids::kEditStyle);
    attribute->ReleaseSpareRoom();
  }
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
        StreamNewControls();
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
