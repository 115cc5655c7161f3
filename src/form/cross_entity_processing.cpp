// Cross-entity processing: the code that ties the entities of one form together.
#include <algorithm>
#include <string>
#include <vector>

#include <fmt/format.h>

#include "base/string_table.h"
#include "controls/timer_ctrl.h"
#include "entity/data_ctrl.h"
#include "entity/entity_desc.h"
#include "form/code_text.h"
#include "form/ctrl_pos_item.h"
#include "form/form_desc.h"
#include "platform/message_boxes.h"
#include "platform/platform.h"
#include "visualizers/grid_visualizer.h"

namespace tavik {

namespace {

constexpr Status kNoEntities = 6;

// The names the generated code uses for one entity.
struct EntityNames {
  explicit EntityNames(const CEntityDesc& described)
      : entity(described.GetEntityName()), data_ctrl(described.DataCtrlName()) {}
  std::string entity;
  std::string data_ctrl;
};

// Every control of the group, nested groups where they stand, gets its control-array entry.
void AddControlRefs(const CCtrlGroup& group, int& index) {
  for (const auto& item : group.GetItems()) {
    if (item->GetType() == CPosListItem::kGroupItem) {
      AddControlRefs(static_cast<const CCtrlGroup&>(*item), index);
    } else if (item->GetType() == CPosListItem::kControlItem) {
      if (CCtrlDesc* control = static_cast<const CCtrlPosItem&>(*item).GetCtrl()) {
        (void)control->AddControlRef(&index);
      }
    }
  }
}

void AddControlArray(CEntityDesc& entity) {
  int index = 0;
  for (const auto& attribute : entity.GetAttribList()) {
    CVisualizer* visualizer = static_cast<CAttribDesc&>(*attribute).GetVisualizer();
    if (visualizer && visualizer->GetCtrlGroup())
      AddControlRefs(*visualizer->GetCtrlGroup(), index);
  }
}

void AddEntityDeclarations(CFormDesc& form, CEntityDesc& entity, const EntityNames& names) {
  std::int32_t count = entity.IsGrid() ? 0 : entity.GetRegCtrlIndexCount();
  std::int32_t bound = count > 0 ? count - 1 : 0;
  (void)form.AddGlobalDeclaration(fmt::format("Dim b{}UpdateFailed As Integer\r\n", names.entity));
  (void)form.AddGlobalDeclaration(
      fmt::format("Dim ax{}_Ctrl({}) As Control\r\n", names.entity, bound));
  (void)form.AddGlobalDeclaration(
      fmt::format("Dim ab{}_Changed({}) As Integer\r\n", names.entity, bound));
}

// A child's data source starts with a condition that matches no row; the repopulate code of
// its parent puts in the real one.
void AddRecordSource(CEventDesc& load, CEntityDesc& entity, const EntityNames& names) {
  CodeText code;
  if (entity.GetParentCount() == 0) {
    code.Line(1, fmt::format("s{}_Select = \"{}\"", names.entity, entity.GetSelectText()));
  } else {
    if (!entity.IsGrid()) (void)entity.SetForeignKeys();
    entity.AddSelectText(" WHERE ");
    code.Line(1, fmt::format("s{}_Select = \"{}\"", names.entity, entity.GetSelectText()))
        .Line(1, fmt::format("{}.RecordSource = s{}_Select & \" 1=2 \"", names.data_ctrl,
                             names.entity));
  }
  load.Append(SubEvent::kMain, SubEventSlot::kBody, code.str());
}

void AddRepopulateNode(CEventDesc& repopulate, CEntityDesc& entity) {
  if (entity.IsGrid()) {
    if (CGridVisualizer* grid = entity.GetGridVisualizer()) (void)grid->RepopulateNode();
    return;
  }
  EntityNames names(entity);
  CodeText code;
  if (entity.GetParentCount() == 0) {
    code.Line(1, fmt::format("{}.RecordSource = s{}_Select", names.data_ctrl, names.entity))
        .Line(1, names.data_ctrl + ".Refresh");
  } else {
    const auto& parent = static_cast<const CEntityDesc&>(*entity.GetParentList().front().entity);
    code.Line(1, fmt::format("{}_DoRefresh {}", names.entity, EntityNames(parent).data_ctrl));
  }
  code.Line(1, SetToScreenName(names.entity));
  repopulate.Append(SubEvent::kMain, SubEventSlot::kBody, code.str());
}

void AddRepositionCode(CEventDesc& reposition, const CEntityDesc& entity,
                       const EntityNames& names) {
  if (reposition.HasSubEventCode(SubEvent::kRepositionFields, SubEventSlot::kBody)) {
    reposition.Append(
        SubEvent::kRepositionFields, SubEventSlot::kHead,
        CodeText()
            .Line(1, fmt::format("On Error Goto {}_RepositionErrorHandler", names.data_ctrl))
            .Blank()
            .Line(1, "If bFormLoaded Then")
            .str());
    reposition.Append(SubEvent::kRepositionFields, SubEventSlot::kTail,
                      CodeText().Line(1, "End If").str());
  }
  if (reposition.HasSubEventCode(SubEvent::kRepositionBeforeLoad, SubEventSlot::kBody)) {
    reposition.Append(SubEvent::kRepositionBeforeLoad, SubEventSlot::kHead,
                      CodeText().Line(1, "If bFormLoaded = False Then").str());
    reposition.Append(SubEvent::kRepositionBeforeLoad, SubEventSlot::kTail,
                      CodeText().Line(1, "End If").str());
  }
  reposition.AddDeclarations(CodeText().Line(1, "Dim ds As Data").str());
  CodeText code;
  code.Line(1, SetToScreenName(names.entity))
      .Line(1, "Exit Sub")
      .Blank()
      .Line(names.data_ctrl + "_RepositionErrorHandler:")
      .Line(1, "If Err = 3021 Then");
  if (entity.GetChildCount() > 0) code.Line(2, "ds.Recordset.AddNew");
  code.Line(2, "Resume Next")
      .Line(1, "Else")
      .Line(2, "tk_DisplayError(Err)")
      .Line(2, "Resume Next")
      .Line(1, "End If");
  reposition.Append(SubEvent::kClosing, SubEventSlot::kBody, code.str());
}

std::string ChildUpdateCode(CEntityDesc& entity, const EntityNames& names) {
  CodeText code;
  if (entity.GetChildCount() == 0) return code.Take();
  code.Line(1, "'Update all child data sources").Line(1, "If tk_ActionNeedsUpdate(Action) Then");
  for (const auto& [child_entity, relation] : entity.GetChildList()) {
    EntityNames child(static_cast<const CEntityDesc&>(*child_entity));
    code.Line(2, fmt::format("tk_DS_Update Me, {}, nNoRepos, b{}UpdateFailed", child.data_ctrl,
                             child.entity))
        .Line(2,
              fmt::format("If b{}UpdateFailed Then GoTo {}_BadData", child.entity, names.entity));
  }
  code.Line(1, "End If").Blank();
  return code.Take();
}

// The field checks of the controls stand in their own sub-event; they run with the changed flags
// saved and are followed by the display-value translation and the trimming of text fields.
void AddFieldCheckFrame(CEventDesc& validate, const EntityNames& names) {
  const std::string& e = names.entity;
  validate.Prepend(SubEvent::kValidateFieldChecks, SubEventSlot::kBody,
                   CodeText()
                       .Line(2, "tk_SetEditMode " + names.data_ctrl)
                       .Line(2, fmt::format("tk_SaveChangedFlags ax{0}_Ctrl(), ab{0}_Changed()", e))
                       .str());
  validate.Prepend(SubEvent::kMain, SubEventSlot::kBody,
                   CodeText().Line(1, "nDFTransCount = 0").str(), SubEventPlacement::kFirst);
  validate.Append(
      SubEvent::kValidateFieldChecks, SubEventSlot::kBody,
      CodeText()
          .Line(2, "If nDFTransCount > 0 Then")
          .Line(3, fmt::format("FnErr = tvkDoDisplayFieldTranslation({}, DisplayFieldTranslate(), "
                               "nDFTransCount)",
                               names.data_ctrl))
          .Line(2, "End If")
          .Blank()
          .Line(2, fmt::format("nMax = UBound(ax{}_Ctrl)", e))
          .Line(2, fmt::format("For nIndex = LBound(ax{}_Ctrl) To nMax", e))
          .Line(3, fmt::format(" If TypeOf ax{0}_Ctrl(nIndex) Is TextBox Or TypeOf "
                               "ax{0}_Ctrl(nIndex) Is MaskEdBox Then",
                               e))
          .Line(4, fmt::format("ax{0}_Ctrl(nIndex).Text = Trim(ax{0}_Ctrl(nIndex).Text)", e))
          .Line(4, fmt::format("ax{}_Ctrl(nIndex).DataChanged = True", e))
          .Line(3, "End If")
          .Line(2, "Next")
          .str());
  validate.Append(SubEvent::kValidateFieldChecks, SubEventSlot::kHead,
                  CodeText().Line(1, "If bFormLoaded And Save Then").str());
  validate.Append(SubEvent::kValidateFieldChecks, SubEventSlot::kTail,
                  CodeText().Line(1, "End If").str());
}

std::string ValidateTail(const CEntityDesc& entity, const EntityNames& names) {
  const std::string& e = names.entity;
  CodeText code;
  code.Line(1, entity.IsGrid() ? "If Save = True And Action <> DATA_ACTIONUPDATE Then"
                               : "If Save = True Then")
      .Line(2, fmt::format("b{}UpdateFailed = False", e))
      .Line(2, "nNoRepos = nNoRepos + 1")
      .Line(2, names.data_ctrl + ".UpdateRecord")
      .Line(2, "nNoRepos = nNoRepos - 1")
      .Line(2, fmt::format("If b{0}UpdateFailed Then GoTo {0}_BadData", e))
      .Line(2, "Save = False")
      .Line(1, "End If")
      .Line(1, fmt::format("b{}Bind = False", e))
      .Line(1, "Exit Sub")
      .Blank()
      .Line(e + "_BadData:")
      .Line(1, "Save = False")
      .Line(1, fmt::format("b{}UpdateFailed = True", e))
      .Line(1, "If Action = DATA_ACTIONCLOSE Or Action = DATA_ACTIONUNLOAD Then")
      .Line(2, "Beep")
      .Line(2,
            "nButton = MsgBox(\"Changed data will be lost.  Do you wish to continue?\", vbYesNo)")
      .Line(2, "If nButton = vbNo Then")
      .Line(3, "Action = DATA_ACTIONCANCEL")
      .Line(2, "Else")
      .Line(3, fmt::format("b{}UpdateFailed = False", e))
      .Line(3, fmt::format("b{}Bind = False", e))
      .Line(3, fmt::format("tk_ClearChangedFlags ax{0}_Ctrl(), ab{0}_Changed()", e))
      .Line(2, "End If")
      .Line(1, "Else")
      .Line(2, "Action = DATA_ACTIONCANCEL")
      .Line(1, "End If")
      .Line(1, "Exit Sub")
      .Blank()
      .Line(names.data_ctrl + "_ValidationErrorHandler:");
  if (!entity.IsGrid()) {
    code.Line(2, fmt::format("tk_RestoreChangedFlags ax{0}_Ctrl(), ab{0}_Changed()", e));
  }
  code.Line(1, fmt::format("b{}UpdateFailed = True", e))
      .Line(1, "If Err = 3021 Then")
      .Line(2, "Resume Next")
      .Line(1, "Else")
      .Line(2, "tk_DisplayError(Err)")
      .Line(2, "Resume Next")
      .Line(1, "End If");
  return code.Take();
}

void AddValidateCode(CEventDesc& validate, CEntityDesc& entity, const EntityNames& names) {
  validate.AddDeclarations(
      CodeText()
          .Line(1, fmt::format("Static DisplayFieldTranslate({}) As TranslateItem",
                               entity.GetAttributeCountValue()))
          .Line(1, "Static nDFTransCount As Integer")
          .Line(1, "Dim sBuff As String")
          .Line(1, "Dim sValue As String")
          .Line(1, "Dim nResult As Integer")
          .Line(1, "Dim nMax As Integer")
          .Line(1, "Dim nIndex As Integer")
          .Line(1, fmt::format("On Error Goto {}_ValidationErrorHandler", names.data_ctrl))
          .Blank()
          .str());
  validate.Append(SubEvent::kMain, SubEventSlot::kHead, ChildUpdateCode(entity, names));
  if (validate.HasSubEventCode(SubEvent::kValidateFieldChecks, SubEventSlot::kBody))
    AddFieldCheckFrame(validate, names);
  const std::string& e = names.entity;
  validate.Append(SubEvent::kValidateBind, SubEventSlot::kHead,
                  CodeText().Line(1, fmt::format("If b{}Bind Then", e)).str(),
                  SubEventPlacement::kFirst);
  validate.Append(SubEvent::kValidateBind, SubEventSlot::kBody,
                  CodeText().Line(2, "Save = True").str());
  validate.Append(SubEvent::kValidateBind, SubEventSlot::kTail,
                  CodeText().Line(1, "End If").Blank().str());
  validate.Append(SubEvent::kClosing, SubEventSlot::kBody, ValidateTail(entity, names));
}

// The per-field transfer code of the controls stands between the opening and the closing.
void AddSetToScreenCode(CEventDesc& set_to_screen, const CEntityDesc& entity,
                        const EntityNames& names) {
  set_to_screen.AddDeclarations(CodeText().Line(1, "Dim zTmpField As String").str());
  set_to_screen.AddDeclarations(CodeText().Line(1, "Dim sMask As String").str());
  set_to_screen.AddDeclarations(CodeText().Line(1, "Dim sValue As String").str());
  set_to_screen.AddDeclarations(CodeText().Line(1, "Dim nResult As String").str());
  CodeText opening;
  opening.Line(1, fmt::format("If tk_DS_FieldsAvailable({}) Then", names.data_ctrl));
  if (!entity.IsGrid()) opening.Line(2, names.data_ctrl + ".UpdateControls");
  opening.Line(2, "bNoClick = True");
  set_to_screen.Append(SubEvent::kMain, SubEventSlot::kHead, opening.str());
  set_to_screen.Append(SubEvent::kMain, SubEventSlot::kTail,
                       CodeText()
                           .Line(2, "bNoClick = False")
                           .Line(1, "End If")
                           .Line(1, ResetName(names.entity))
                           .str());
}

void AddResetCode(CEventDesc& reset, const EntityNames& names) {
  const std::string& e = names.entity;
  reset.Append(SubEvent::kMain, SubEventSlot::kHead,
               CodeText()
                   .Line(1, fmt::format("b{}Bind = False", e))
                   .Line(1, "If bFormLoaded Then")
                   .Line(2, fmt::format("tk_ClearChangedFlags ax{0}_Ctrl(), ab{0}_Changed()", e))
                   .Line(1, "End If")
                   .str());
}

}  // namespace

Status CFormDesc::DoCrossEntityProcessing() {
  auto& entities = GetEntityMap();
  if (entities.empty()) {
    if (MessageBoxes* boxes = CurrentPlatform().message_boxes) {
      boxes->ShowMessage(StringTable::Text(StringTable::kFormGenerationAbortCaption),
                         StringTable::Text(StringTable::kNoEntitiesGenerated));
    }
    return kNoEntities;
  }
  CEventDesc* load = LoadEvent();
  if (!load) return kNoEvent;
  CEventDesc* timer_event = timer_ ? timer_->GetEvent("Timer") : nullptr;

  std::vector<CEntityDesc*> ordered;
  ordered.reserve(entities.size());
  for (auto& record : entities) {
    auto& entity = static_cast<CEntityDesc&>(*record.entity);
    EntityNames names(entity);
    // The timer does nothing until every data control exists.
    if (timer_event) {
      timer_event->Append(
          SubEvent::kMain, SubEventSlot::kHead,
          CodeText()
              .Line(1, fmt::format("If tk_ObjectSet({}) = False Then Exit Sub", names.data_ctrl))
              .str());
    }
    AddControlArray(entity);
    AddEntityDeclarations(*this, entity, names);
    AddRecordSource(*load, entity, names);
    entity.CalcRow();
    ordered.push_back(&entity);
    if (entity.GetChildCount() > 0) (void)entity.RepopulateChildren();
  }

  // Parents are refreshed before their children.
  std::stable_sort(ordered.begin(), ordered.end(), [](const CEntityDesc* a, const CEntityDesc* b) {
    return a->GetRowNum() < b->GetRowNum();
  });
  if (CEventDesc* repopulate = RepopulateProcedure()) {
    repopulate->Append(SubEvent::kMain, SubEventSlot::kHead,
                       CodeText()
                           .Line(1, "Screen.MousePointer = HOURGLASS")
                           .Line(1, "nNoRepos = nNoRepos + 1")
                           .str());
    for (CEntityDesc* entity : ordered) AddRepopulateNode(*repopulate, *entity);
    repopulate->Append(
        SubEvent::kMain, SubEventSlot::kTail,
        CodeText().Line(1, "nNoRepos = nNoRepos - 1").Line(1, "Screen.MousePointer = ARROW").str());
  }

  for (CEntityDesc* entity : ordered) {
    EntityNames names(*entity);
    if (CDataCtrl* data_ctrl = entity->GetDataCtrl()) {
      if (CEventDesc* reposition = data_ctrl->GetEvent("Reposition")) {
        AddRepositionCode(*reposition, *entity, names);
      }
      if (CEventDesc* validate = data_ctrl->GetEvent("Validate")) {
        AddValidateCode(*validate, *entity, names);
      }
    }
    if (CEventDesc* set_to_screen = SetToScreenProcedure(names.entity)) {
      AddSetToScreenCode(*set_to_screen, *entity, names);
    }
    if (CEventDesc* reset = ResetProcedure(names.entity)) AddResetCode(*reset, names);
  }
  return kOk;
}

}  // namespace tavik
