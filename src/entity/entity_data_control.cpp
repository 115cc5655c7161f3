// The entity's data control and its New, Update and Delete buttons.
#include <fmt/format.h>

#include "controls/data_ctrl.h"
#include "controls/option_handlers.h"
#include "controls/text_extent.h"
#include "entity/entity_desc.h"
#include "form/ctrl_pos_item.h"
#include "form/form_context.h"
#include "form/vb_fragment.h"
#include "visualizers/grid_visualizer.h"

namespace tavik {

namespace {

// Code this entity writes first in an event, before what other generators add.
Status AddMainCode(CCtrlDesc& control, std::string_view event_name, const std::string& code) {
  CEventDesc* event = control.GetEvent(event_name);
  if (!event) return kNoEvent;
  event->Append(SubEvent::kMain, SubEventSlot::kBody, code, SubEventPlacement::kFirst);
  return kOk;
}

Status AddClosingCode(CCtrlDesc& control, std::string_view event_name, const std::string& code) {
  CEventDesc* event = control.GetEvent(event_name);
  if (!event) return kNoEvent;
  event->Append(SubEvent::kMain, SubEventSlot::kTail, code);
  return kOk;
}

// Without a grid an empty recordset gets a new record. Two of its lines start with a blank
// before their tabs: part of the generated text.
std::string RepositionCode(const std::string& data_control, bool grid) {
  std::string code;
  if (!grid) {
    code = VbFragment(R"(
        If $data$.EditMode = DATA_EDITNONE Then
    )",
                      {{"data", data_control}}) +
           " " +
           VbFragment(R"(
            nNoRepos = nNoRepos + 1
            If $data$.Recordset.RecordCount = 0 Then
                $data$.Recordset.AddNew
    )",
                      {{"data", data_control}}) +
           " " + VbFragment(R"(
            End If
            nNoRepos = nNoRepos - 1
        End If
    )");
  }
  return code + VbFragment(R"(
        If nNoRepos Then Exit Sub

    )");
}

}  // namespace

std::string CEntityDesc::DataCtrlName() const {
  return data_ctrl_ ? data_ctrl_->GetCtrlName() : "ds" + GetEntityName();
}

Status CEntityDesc::CreateDataControl() {
  FormContext* form = GetFormContext();
  auto data_ctrl = std::make_unique<CDataCtrl>();
  if (Status status = data_ctrl->Init(form->GetVersion(), form)) return status;
  const std::string& entity = GetEntityName();
  std::string name = DataCtrlName();
  data_ctrl->SetCtrlName(name);
  data_ctrl->AddProperty(Value::String(name), "Name");
  data_ctrl->AddProperty(Value::String(entity), "Caption");
  std::uint16_t width = 0;
  std::uint16_t height = 0;
  // Answers kOk always; without a text measurer the caption measures nothing.
  (void)MeasureTextExtent(entity, "MS Sans Serif", 8.0f, width, height);
  data_ctrl->AddProperty(Value::Single(static_cast<float>(width) + 1200.0f), "Width");
  data_ctrl->AddProperty(Value::Single(height), "Height");
  auto visible = GetProperty("VISIBLE");
  if (!visible) return kMissingProperty;
  // Read as the attributes' VISIBLE is: a text counts by its leading digits.
  if (NumberOf(*visible) == 0) data_ctrl->AddProperty(Value::Short(0), "Visible");
  data_ctrl->SetCtrlHandle(form->GetCurrCtrlHandle());
  (void)form->AddGlobalDeclaration(
      fmt::format("Dim b{}Bind As Integer\r\n", entity));  // kOk always
  if (Status status = AddMainCode(*data_ctrl, "Validate",
                                  VbFragment(R"(
        If tk_PreValidate($data$, Action, Save) Then
            Exit Sub
        End If

    )",
                                             {{"data", name}}))) {
    return status;
  }
  auto style = GetProperty("DISPLAY_STYLE");
  if (!HasText(style)) return kMissingProperty;
  if (Status status =
          AddMainCode(*data_ctrl, "Reposition", RepositionCode(name, style->Text() == "GRID"))) {
    return status;
  }
  auto item = std::make_unique<CCtrlPosItem>(data_ctrl.get(), 0, 0.0f, 0.0f);
  item->column = 0;
  if (Status status = group_->AddItem(std::move(item))) return status;
  data_ctrl_ = data_ctrl.get();
  return form->SetCtrl(std::move(data_ctrl));
}

Status CEntityDesc::MakeButton(const char* caption, CCtrlDesc*& button) {
  FormContext* form = GetFormContext();
  auto control = std::make_unique<CCtrlDesc>();
  if (Status status = control->Init("CommandButton", form->GetVersion(), form, nullptr)) {
    return status;
  }
  std::string name = fmt::format("cmd{}{}", GetEntityName(), caption);
  control->AddProperty(Value::String(name), ctrl_props::kName);
  control->TakeCtrlName(std::move(name));
  control->SetCtrlHandle(form->GetCurrCtrlHandle());
  control->AddProperty(Value::Short(static_cast<std::int16_t>(form->GetCurrTabIndex())),
                       ctrl_props::kTabIndex);
  control->AddProperty(Value::Single(400.0f), ctrl_props::kHeight);
  control->AddProperty(Value::Single(1100.0f), ctrl_props::kWidth);
  control->AddProperty(Value::String(caption), ctrl_props::kCaption);
  if (!control->GetEvent("Click")) return kNoEvent;
  auto item = std::make_unique<CCtrlPosItem>(control.get(), 0, 0.0f, 0.0f);
  item->column = 2;
  if (Status status = button_group_->AddItem(std::move(item))) return status;
  button = control.get();
  return form->SetCtrl(std::move(control));
}

void CEntityDesc::AddButtonCode(CCtrlDesc& button, std::string_view caption, CCtrlDesc* focus) {
  const std::string& entity = GetEntityName();
  const std::string data_control = DataCtrlName();
  const std::string set_to_screen = FormContext::SetToScreenName(entity);
  // After a new record and a deletion the first field of the entity has the focus.
  const auto focus_line = [focus](std::string_view fragment) {
    return focus ? VbFragment(fragment, {{"focus", focus->GetCtrlName()}}) : std::string();
  };
  std::string code;
  if (caption == "New") {
    code = VbFragment(R"(
        tk_NewButton Me, $data$, nNoRepos, b$e$UpdateFailed
        If Not b$e$UpdateFailed Then
            $focus$
    )",
                      {{"data", data_control}, {"e", entity}, {"focus", focus_line(R"(
            $focus$.SetFocus
    )")}});
    // The defaults go in after the empty record is on the screen.
    const std::string set_defaults = FormContext::SetDefaultsName(entity);
    // The button was made with its Click event (MakeButton), so the code always has a place.
    (void)AddClosingCode(button, "Click",
                         VbFragment(R"(
            $set_to_screen$
            $set_defaults$
        End If
    )",
                                    {{"set_to_screen", set_to_screen},
                                     {"set_defaults", GetFormContext()->FindProcedure(set_defaults)
                                                          ? set_defaults
                                                          : std::string()}}));
  } else if (caption == "Update") {
    code = VbFragment(R"(
        If $data$.EditMode = dbEditAdd Then
            b$e$Bind = True
        End If
        If $data$.EditMode <> dbEditNone Then
            tk_DS_Update Me, $data$, nNoRepos, b$e$UpdateFailed
            If Not b$e$UpdateFailed Then $set_to_screen$
        End If
    )",
                      {{"data", data_control}, {"e", entity}, {"set_to_screen", set_to_screen}});
  } else {
    code = VbFragment(
        R"(
        $reset$
        tk_DeleteButton $data$
        $focus$
    )",
        {{"reset", FormContext::ResetName(entity)}, {"data", data_control}, {"focus", focus_line(R"(
        $focus$.SetFocus    'set focus to first field of datasource
    )")}});
  }
  (void)AddMainCode(button, "Click", code);  // as above
}

Status CEntityDesc::AddDataNavigationButtons() {
  if (IsGrid()) {
    if (Status status = grid_visualizer_->AddDataNavigationButtons(button_group_)) return status;
  } else {
    CCtrlDesc* focus = FindFirstFocusCtrl(*group_);
    // A hidden control cannot take the focus: SetFocus on it fails at run time.
    if (auto visible = focus ? focus->GetProperty("Visible") : std::nullopt;
        visible && visible->AsInteger() == 0) {
      focus = nullptr;
    }
    for (const char* caption : {"New", "Update", "Delete"}) {
      CCtrlDesc* button = nullptr;
      if (Status status = MakeButton(caption, button)) return status;
      AddButtonCode(*button, caption, focus);
    }
    if (Status status = AddRecordTools()) return status;
  }
  return group_->AddItem(std::move(owned_button_group_));
}

CCtrlDesc* CEntityDesc::GetButton(std::string_view caption) const {
  if (!button_group_) return nullptr;
  for (const auto& item : button_group_->GetItems()) {
    if (item->GetType() != CPosListItem::kControlItem) continue;
    CCtrlDesc* control = static_cast<const CCtrlPosItem&>(*item).GetCtrl();
    auto button_caption = control->GetProperty("Caption");
    if (!HasText(button_caption)) return nullptr;
    if (button_caption->Text() == caption) return control;
  }
  return nullptr;
}

}  // namespace tavik
