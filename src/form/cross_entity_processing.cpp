// Cross-entity processing: the code that ties the entities of one form together.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "base/string_table.h"
#include "controls/data_ctrl.h"
#include "controls/timer_ctrl.h"
#include "entity/entity_desc.h"
#include "entity/grid_lookups.h"
#include "form/form_desc.h"
#include "form/vb_fragment.h"
#include "platform/message_boxes.h"
#include "platform/platform.h"
#include "visualizers/grid_visualizer.h"

namespace tavik {

namespace {

// Every entity was dropped during generation.
enum CrossEntityFault : Status { kNoEntities = 6 };

// The names the generated code uses for one entity.
struct EntityNames {
  explicit EntityNames(const CEntityDesc& described)
      : entity(described.GetEntityName()),
        data_ctrl(described.DataCtrlName()),
        set_to_screen(CFormDesc::SetToScreenName(entity)) {}
  std::string entity;
  std::string data_ctrl;
  std::string set_to_screen;
};

void AddEntityDeclarations(CFormDesc& form, CEntityDesc& entity, const EntityNames& names) {
  std::int32_t count = entity.IsGrid() ? 0 : entity.GetRegCtrlIndexCount();
  const std::string bound = std::to_string(count > 0 ? count - 1 : 0);
  // AddGlobalDeclaration answers kOk always.
  (void)form.AddGlobalDeclaration(VbFragment(R"(
    Dim b$e$UpdateFailed As Integer
    Dim ax$e$_Ctrl($bound$) As Control
    Dim ab$e$_Changed($bound$) As Integer
    )",
                                             {{"e", names.entity}, {"bound", bound}}));
}

// The statements that put the SELECT into its variable, appended to code. Visual Basic reads at
// most 1,023 characters a line, so a longer SELECT is put together piece by piece; the pieces are
// cut before the quotes are doubled, so that a doubled quote stays on one line.
void AppendSelectAssignment(std::string& code, const EntityNames& names, std::string_view select) {
  constexpr std::size_t kMostLineLength = 1023;
  constexpr std::size_t kPieceLength = 400;
  const std::string variable = "s" + names.entity + "_Select";
  std::string text = VbStringText(select);
  if (text.size() + variable.size() + 6 <= kMostLineLength) {
    AppendVbFragment(code, R"(
        $variable$ = "$select$"
    )",
                     {{"variable", variable}, {"select", text}});
    return;
  }
  for (std::size_t at = 0; at < select.size(); at += kPieceLength) {
    std::string piece = VbStringText(select.substr(at, kPieceLength));
    if (at == 0) {
      AppendVbFragment(code, R"(
        $variable$ = "$piece$"
    )",
                       {{"variable", variable}, {"piece", piece}});
    } else {
      AppendVbFragment(code, R"(
        $variable$ = $variable$ & "$piece$"
    )",
                       {{"variable", variable}, {"piece", piece}});
    }
  }
}

// A child's data source starts with a condition that matches no row; the repopulate code of
// its parent puts in the real one.
Status AddRecordSource(CEventDesc& load, CEntityDesc& entity, const EntityNames& names) {
  // A grid that shows names beside its keys reads them from the tables it joins.
  if (const GridLookups* lookups = entity.JoinedLookups()) {
    entity.SetSelectText(lookups->SelectText());
  }
  if (entity.GetParentCount() > 0) {
    // A grid has no New button to take its keys: only a relation that fills them in the
    // grid gives it code.
    if (Status status = entity.IsGrid() ? entity.FillGridKeys() : entity.SetForeignKeys()) {
      return status;
    }
    entity.AddSelectText(" WHERE ");
  } else {
    entity.AddSelectText(entity.OrderClause());
  }
  std::string& code = load.Piece(SubEvent::kMain, SubEventSlot::kBody);
  AppendSelectAssignment(code, names, entity.GetSelectText());
  if (entity.GetParentCount() == 0) return kOk;
  AppendVbFragment(code, R"(
        $data$.RecordSource = s$e$_Select & " 1=2 "
    )",
                   {{"e", names.entity}, {"data", names.data_ctrl}});
  return kOk;
}

void AddRepopulateNode(CEventDesc& repopulate, CEntityDesc& entity) {
  if (entity.IsGrid()) {
    // The repopulate procedure it appends to is made when asked for: nothing can refuse it.
    if (CGridVisualizer* grid = entity.GetGridVisualizer()) (void)grid->RepopulateNode();
    return;
  }
  EntityNames names(entity);
  std::string& code = repopulate.Piece(SubEvent::kMain, SubEventSlot::kBody);
  if (entity.GetParentCount() == 0) {
    AppendVbFragment(
        code, R"(
        $data$.RecordSource = s$e$_Select
        $data$.Refresh
        $count$
    )",
        {{"e", names.entity}, {"data", names.data_ctrl}, {"count", entity.CountRecordsCode()}});
  } else {
    const auto& parent = static_cast<const CEntityDesc&>(*entity.GetParentList().front().entity);
    AppendVbFragment(code, R"(
        $e$_DoRefresh $parent$
    )",
                     {{"e", names.entity}, {"parent", parent.DataCtrlName()}});
  }
  AppendVbFragment(code, R"(
        $set_to_screen$
    )",
                   {{"set_to_screen", names.set_to_screen}});
}

// The fields are shown once the form has loaded, and the code for before then runs only then.
void AddRepositionFrames(CEventDesc& reposition, const EntityNames& names) {
  if (reposition.HasSubEventCode(SubEvent::kRepositionFields, SubEventSlot::kBody)) {
    AppendVbFragment(reposition.Piece(SubEvent::kRepositionFields, SubEventSlot::kHead), R"(
        On Error Goto $data$_RepositionErrorHandler

        If bFormLoaded Then
    )",
                     {{"data", names.data_ctrl}});
    AppendVbFragment(reposition.Piece(SubEvent::kRepositionFields, SubEventSlot::kTail), R"(
        End If
    )");
  }
  if (reposition.HasSubEventCode(SubEvent::kRepositionBeforeLoad, SubEventSlot::kBody)) {
    AppendVbFragment(reposition.Piece(SubEvent::kRepositionBeforeLoad, SubEventSlot::kHead), R"(
        If bFormLoaded = False Then
    )");
    AppendVbFragment(reposition.Piece(SubEvent::kRepositionBeforeLoad, SubEventSlot::kTail), R"(
        End If
    )");
  }
}

// The end of a data control's error handler: a missing current record (error 3021) is passed
// over, after the code for it, and any other error is shown.
std::string ErrorHandlerEnd(std::string_view on_no_current_record = {}) {
  return VbFragment(R"(
        If Err = 3021 Then
            $on_no_current_record$
            Resume Next
        Else
            tk_DisplayError(Err)
            Resume Next
        End If
    )",
                    {{"on_no_current_record", on_no_current_record}});
}

void AddRepositionCode(CEventDesc& reposition, const CEntityDesc& entity,
                       const EntityNames& names) {
  AddRepositionFrames(reposition, names);
  reposition.AddDeclarations(VbFragment(R"(
        Dim ds As Data
    )"));
  // A parent with children adds a record when there is none, so its children have one.
  const std::string add_new = entity.GetChildCount() > 0 ? VbFragment(R"(
            ds.Recordset.AddNew
    )")
                                                         : std::string();
  AppendVbFragment(reposition.Piece(SubEvent::kClosing, SubEventSlot::kBody), R"(
        $set_to_screen$
        Exit Sub

    $data$_RepositionErrorHandler:
        $handler$
    )",
                   {{"set_to_screen", names.set_to_screen},
                    {"data", names.data_ctrl},
                    {"handler", ErrorHandlerEnd(add_new)}});
}

std::string ChildUpdateCode(CEntityDesc& entity, const EntityNames& names) {
  if (entity.GetChildCount() == 0) return {};
  std::string code = VbFragment(R"(
        'Update all child data sources
        If tk_ActionNeedsUpdate(Action) Then
    )");
  for (const auto& [child_entity, relation] : entity.GetChildList()) {
    EntityNames child(static_cast<const CEntityDesc&>(*child_entity));
    code +=
        VbFragment(R"(
            tk_DS_Update Me, $child_data$, nNoRepos, b$child$UpdateFailed
            If b$child$UpdateFailed Then GoTo $e$_BadData
    )",
                   {{"child_data", child.data_ctrl}, {"child", child.entity}, {"e", names.entity}});
  }
  code += VbFragment(R"(
        End If

    )");
  return code;
}

// The field checks of the controls stand in their own sub-event; they run with the changed
// flags saved and are followed by the display-value translation and the trimming of text
// fields.
void AddFieldCheckFrame(CEventDesc& validate, const EntityNames& names) {
  const std::initializer_list<VbVar> vars = {{"e", names.entity}, {"data", names.data_ctrl}};
  validate.Prepend(SubEvent::kValidateFieldChecks, SubEventSlot::kBody,
                   VbFragment(R"(
            tk_SetEditMode $data$
            tk_SaveChangedFlags ax$e$_Ctrl(), ab$e$_Changed()
    )",
                              vars));
  validate.Prepend(SubEvent::kMain, SubEventSlot::kBody, VbFragment(R"(
        nDFTransCount = 0
    )"),
                   SubEventPlacement::kFirst);
  AppendVbFragment(validate.Piece(SubEvent::kValidateFieldChecks, SubEventSlot::kBody), R"(
            If nDFTransCount > 0 Then
                FnErr = tvkDoDisplayFieldTranslation($data$, DisplayFieldTranslate(), nDFTransCount)
            End If

            nMax = UBound(ax$e$_Ctrl)
            For nIndex = LBound(ax$e$_Ctrl) To nMax
                 If TypeOf ax$e$_Ctrl(nIndex) Is TextBox Or TypeOf ax$e$_Ctrl(nIndex) Is MaskEdBox Then
                    ax$e$_Ctrl(nIndex).Text = Trim(ax$e$_Ctrl(nIndex).Text)
                    ax$e$_Ctrl(nIndex).DataChanged = True
                End If
            Next
    )",
                   vars);
  AppendVbFragment(validate.Piece(SubEvent::kValidateFieldChecks, SubEventSlot::kHead), R"(
        If bFormLoaded And Save Then
    )");
  AppendVbFragment(validate.Piece(SubEvent::kValidateFieldChecks, SubEventSlot::kTail), R"(
        End If
    )");
}

// Saves an edited record and handles what stops the save.
void AppendValidateTail(std::string& code, const CEntityDesc& entity, const EntityNames& names) {
  const std::string save_condition =
      entity.IsGrid() ? "Save = True And Action <> DATA_ACTIONUPDATE" : "Save = True";
  // A grid's controls have no changed flags to restore.
  const std::string restore_flags = entity.IsGrid() ? std::string()
                                                    : VbFragment(R"(
            tk_RestoreChangedFlags ax$e$_Ctrl(), ab$e$_Changed()
    )",
                                                                 {{"e", names.entity}});
  AppendVbFragment(code, R"(
        If $save$ Then
            b$e$UpdateFailed = False
            nNoRepos = nNoRepos + 1
            $data$.UpdateRecord
            nNoRepos = nNoRepos - 1
            If b$e$UpdateFailed Then GoTo $e$_BadData
            Save = False
        End If
        b$e$Bind = False
        Exit Sub

    $e$_BadData:
        Save = False
        b$e$UpdateFailed = True
        If Action = DATA_ACTIONCLOSE Or Action = DATA_ACTIONUNLOAD Then
            Beep
            nButton = MsgBox("Changed data will be lost.  Do you wish to continue?", vbYesNo)
            If nButton = vbNo Then
                Action = DATA_ACTIONCANCEL
            Else
                b$e$UpdateFailed = False
                b$e$Bind = False
                tk_ClearChangedFlags ax$e$_Ctrl(), ab$e$_Changed()
            End If
        Else
            Action = DATA_ACTIONCANCEL
        End If
        Exit Sub

    $data$_ValidationErrorHandler:
            $restore_flags$
        b$e$UpdateFailed = True
        $handler$
    )",
                   {{"save", save_condition},
                    {"e", names.entity},
                    {"data", names.data_ctrl},
                    {"restore_flags", restore_flags},
                    {"handler", ErrorHandlerEnd()}});
}

void AddValidateCode(CEventDesc& validate, CEntityDesc& entity, const EntityNames& names) {
  const std::string attribute_count = std::to_string(entity.GetAttributeCountValue());
  validate.AddDeclarations(VbFragment(R"(
        Static DisplayFieldTranslate($count$) As TranslateItem
        Static nDFTransCount As Integer
        Dim sBuff As String
        Dim sValue As String
        Dim nResult As Integer
        Dim nMax As Integer
        Dim nIndex As Integer
        On Error Goto $data$_ValidationErrorHandler

    )",
                                      {{"count", attribute_count}, {"data", names.data_ctrl}}));
  validate.Append(SubEvent::kMain, SubEventSlot::kHead, ChildUpdateCode(entity, names));
  if (validate.HasSubEventCode(SubEvent::kValidateFieldChecks, SubEventSlot::kBody)) {
    AddFieldCheckFrame(validate, names);
  }
  AppendVbFragment(
      validate.Piece(SubEvent::kValidateBind, SubEventSlot::kHead, SubEventPlacement::kFirst), R"(
        If b$e$Bind Then
    )",
      {{"e", names.entity}});
  AppendVbFragment(validate.Piece(SubEvent::kValidateBind, SubEventSlot::kBody), R"(
            Save = True
    )");
  AppendVbFragment(validate.Piece(SubEvent::kValidateBind, SubEventSlot::kTail), R"(
        End If

    )");
  AppendValidateTail(validate.Piece(SubEvent::kClosing, SubEventSlot::kBody), entity, names);
}

// The per-field transfer code of the controls stands between the opening and the closing.
void AddSetToScreenCode(CEventDesc& set_to_screen, const CEntityDesc& entity,
                        const EntityNames& names) {
  set_to_screen.AddDeclarations(VbFragment(R"(
        Dim zTmpField As String
        Dim sMask As String
        Dim sValue As String
        Dim nResult As String
    )"));
  // A grid shows its records itself.
  const std::string update_controls = entity.IsGrid() ? std::string()
                                                      : VbFragment(R"(
            $data$.UpdateControls
    )",
                                                                   {{"data", names.data_ctrl}});
  AppendVbFragment(set_to_screen.Piece(SubEvent::kMain, SubEventSlot::kHead), R"(
        If tk_DS_FieldsAvailable($data$) Then
            $update_controls$
            bNoClick = True
    )",
                   {{"data", names.data_ctrl}, {"update_controls", update_controls}});
  AppendVbFragment(set_to_screen.Piece(SubEvent::kMain, SubEventSlot::kTail), R"(
            bNoClick = False
        End If
        $reset$
    )",
                   {{"reset", CFormDesc::ResetName(names.entity)}});
}

void AddResetCode(CEventDesc& reset, const EntityNames& names) {
  AppendVbFragment(reset.Piece(SubEvent::kMain, SubEventSlot::kHead), R"(
        b$e$Bind = False
        If bFormLoaded Then
            tk_ClearChangedFlags ax$e$_Ctrl(), ab$e$_Changed()
        End If
    )",
                   {{"e", names.entity}});
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
      AppendVbFragment(timer_event->Piece(SubEvent::kMain, SubEventSlot::kHead), R"(
        If tk_ObjectSet($data$) = False Then Exit Sub
    )",
                       {{"data", names.data_ctrl}});
    }
    AddEntityDeclarations(*this, entity, names);
    if (Status status = AddRecordSource(*load, entity, names)) return status;
    entity.CalcRow();
    ordered.push_back(&entity);
    if (entity.GetChildCount() > 0) {
      if (Status status = entity.RepopulateChildren()) return status;
    }
  }

  // Parents are refreshed before their children.
  std::stable_sort(ordered.begin(), ordered.end(), [](const CEntityDesc* a, const CEntityDesc* b) {
    return a->GetRowNum() < b->GetRowNum();
  });
  if (CEventDesc* repopulate = RepopulateProcedure()) {
    AppendVbFragment(repopulate->Piece(SubEvent::kMain, SubEventSlot::kHead), R"(
        Screen.MousePointer = HOURGLASS
        nNoRepos = nNoRepos + 1
    )");
    for (CEntityDesc* entity : ordered) AddRepopulateNode(*repopulate, *entity);
    AppendVbFragment(repopulate->Piece(SubEvent::kMain, SubEventSlot::kTail), R"(
        nNoRepos = nNoRepos - 1
        Screen.MousePointer = ARROW
    )");
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
