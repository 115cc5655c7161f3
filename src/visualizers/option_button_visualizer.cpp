// Option button visualizers.
#include "visualizers/option_button_visualizer.h"
#include "form/vb_fragment.h"

#include <algorithm>
#include <string>

#include "controls/color_names.h"
#include "controls/combo_box_ctrl.h"
#include "controls/data_ctrl.h"
#include "controls/frame_ctrl.h"
#include "controls/option_button_ctrl.h"
#include "controls/option_handlers.h"
#include "entity/attrib_desc.h"
#include "entity/entity_desc.h"
#include "form/ctrl_pos_item.h"
#include "form/form_context.h"
#include "model/nx_property_section.h"

namespace tavik {

namespace {

constexpr const char* kFrameClass = "Frame";
constexpr std::int32_t kControlColumn = 1;
// Buttons are laid out after the other items of their group.
constexpr std::int32_t kButtonOrder = 1;
// The buttons start below the frame's caption and keep this margin to its sides.
constexpr std::uint16_t kFirstButtonY = 100;
constexpr std::int32_t kMargin = 100;
constexpr float kRowGap = 50.0f;
constexpr float kBottomMargin = 150.0f;
// Fewer below 1 are taken as 1; more than a form could ever hold are cut.
constexpr long kMostPerRow = 32767;

// Statuses of the binding when the pieces made by CreateControls are missing.
enum BindingFault : Status { kNoList = 4, kNoGroup = 6, kNoFrame = 7, kNoButtons = 8 };

Status AppendCode(CEventDesc* event, SubEvent sub_event, std::string_view code) {
  if (!event) return kNoMemory;
  event->Append(sub_event, SubEventSlot::kBody, code);
  return kOk;
}

template <typename Button>
std::unique_ptr<COptionButtonCtrl> MakeButton() {
  return std::make_unique<Button>();
}

// The first frame of the group, in item order.
CCtrlDesc* FindFrame(const CCtrlGroup& group) {
  for (const auto& item : group.GetItems()) {
    if (item->GetType() != CPosListItem::kControlItem) continue;
    CCtrlDesc* control = static_cast<const CCtrlPosItem&>(*item).GetCtrl();
    if (control && control->GetClassName() == kFrameClass) return control;
  }
  return nullptr;
}

}  // namespace

Status COptionButtonVisualizer::DetermineValidationList() {
  CAttribDesc* attribute = GetAttribDesc();
  auto list = attribute->GetProperty("EST_VLDLIST");
  if (!HasText(list)) return kNoList;
  return attribute->AddProperty(*list, "VLD_LISTID");
}

CNxPropertySection* COptionButtonVisualizer::FindValidValueList() const {
  auto list_id = GetAttribDesc()->GetProperty("VLD_LISTID");
  if (!HasText(list_id)) return nullptr;
  return GetFormDesc()->GetValidValueList(list_id->Text());
}

Status COptionButtonVisualizer::CreateControls() {
  return CreateOptionGroup(&MakeButton<COptionButtonCtrl>);
}

Status COptionButton4Visualizer::CreateControls() {
  return CreateOptionGroup(&MakeButton<COptionButton4Ctrl>);
}

Status COptionButtonVisualizer::CreateOptionGroup(ButtonFactory make_button) {
  if (Status status = CAttribVisualizer::CreateControls()) return status;
  CNxPropertySection* list = FindValidValueList();
  if (!list) return kNoList;
  CAttribDesc* attribute = GetAttribDesc();
  FormContext* form = GetFormDesc();
  CDataCtrl* data_ctrl = GetEntityDesc()->GetDataCtrl();

  auto frame = std::make_unique<CFrameCtrl>();
  if (Status status = frame->Init(form->GetVersion(), form, this)) return status;
  auto frame_item = std::make_unique<CCtrlPosItem>(frame.get(), 0, 0.0f, 0.0f);
  frame_item->column = kControlColumn;
  auto option_group = std::make_unique<CCtrlGroup>(2, 0.0f, 0.0f);
  option_group->SetCurrentY(kFirstButtonY);
  option_group->column = kControlColumn;

  std::string frame_name = "opg" + GetCtrlBaseName();
  frame->SetCtrlName(frame_name);
  frame->AddProperty(Value::String(frame_name), "Name");
  frame->AddProperty(Value::String(""), "Caption");
  frame->AddProperty(Value::Long(ColorFromName("Silver")), "BackColor");

  auto label_text = attribute->GetTvkProperty(format_ids::kColProp, "CD_PLB");
  if (HasText(label_text)) {
    if (Status status = CreateLabel()) return status;
  }

  frame->AddProperty(Value::Short(static_cast<std::int16_t>(form->GetCurrTabIndex())), "TabIndex");
  frame->SetCtrlHandle(form->GetCurrCtrlHandle());
  frame->SetDrawFlag(1);

  // The group has a column more than a row has buttons: the position after the last
  // column gives the frame's width.
  long per_row = 1;
  if (auto across = attribute->GetTvkProperty(format_ids::kEditStyle, "ESRACC")) {
    per_row = std::clamp(NumberOf(*across), 1L, kMostPerRow);
  }
  if (per_row > 1) {
    if (Status status = option_group->AddColumns(static_cast<std::int32_t>(per_row - 1))) {
      return status;
    }
  }

  std::int32_t count = 0;
  std::uint16_t widest = 0;
  COptionButtonCtrl* last_button = nullptr;
  for (const auto& entry : list->GetPropertyList()) {
    auto column = static_cast<std::int32_t>(count % per_row);
    ++count;
    std::unique_ptr<COptionButtonCtrl> button = make_button();
    if (Status status = button->Init(form->GetVersion(), form, this)) return status;
    std::string name = "ob" + GetCtrlBaseName() + std::to_string(count);
    button->SetCtrlName(name);
    button->AddProperty(Value::String(name), "Name");
    button->AddProperty(Value::String(entry.GetName()), "Caption");
    button->SetDataCtrl(data_ctrl);
    (void)button->HandleProperties();  // answers kOk always: a missing property is left out
    button->AddProperty(Value::Short(static_cast<std::int16_t>(form->GetCurrTabIndex())),
                        "TabIndex");
    button->SetCtrlHandle(form->GetCurrCtrlHandle());
    button->SetDrawFlag(1);

    // A button that could not be measured is left out.
    auto width_value = button->GetProperty("Width");
    if (!width_value) continue;
    auto width = static_cast<std::uint16_t>(static_cast<std::int64_t>(width_value->AsSingle()));
    widest = std::max(widest, width);
    auto item = std::make_unique<CCtrlPosItem>(button.get(), kButtonOrder, 0.0f, 0.0f);
    item->column = column;
    last_button = button.get();
    frame->AddChild(ChildEntry{1, 1, 0, width, std::move(button)});
    if (Status status = option_group->AddItem(std::move(item))) return status;
  }
  option_count_ = count;

  float position = static_cast<float>(kMargin);
  (void)option_group->SetColumnPosition(0, position);  // a group has a first column always
  for (std::int32_t column = 1; column < option_group->GetColumnCount(); ++column) {
    position += static_cast<float>(widest + kMargin);
    (void)option_group->SetColumnPosition(column, position);  // column counted above
  }
  frame->AddProperty(
      Value::Single(option_group->GetColumnPosition(option_group->GetColumnCount() - 1)), "Width");

  auto button_height = last_button ? last_button->GetProperty("Height") : std::nullopt;
  if (!button_height) return kMissingProperty;
  long rows = count / per_row + (count % per_row != 0 ? 1 : 0);
  frame->AddProperty(
      Value::Single((button_height->AsSingle() + kRowGap) * static_cast<float>(rows) +
                    kBottomMargin),
      "Height");

  if (Status status = GetCtrlGroup()->AddItem(std::move(frame_item))) return status;
  if (Status status = form->SetCtrl(std::move(frame))) return status;
  return GetCtrlGroup()->AddItem(std::move(option_group));
}

Status COptionButtonVisualizer::DoBinding() {
  CNxPropertySection* list = FindValidValueList();
  if (!list) return kNoList;
  CCtrlGroup* group = GetCtrlGroup();
  if (!group) return kNoGroup;
  CCtrlDesc* frame = FindFrame(*group);
  if (!frame) return kNoFrame;
  std::vector<ChildEntry>& buttons = frame->GetGroupList();
  if (buttons.empty()) return kNoButtons;
  auto physical_name = GetAttribDesc()->GetProperty("PHYSICAL_NAME");
  if (!HasText(physical_name)) return kMissingProperty;
  const std::string phys = physical_name->Text();
  CDataCtrl* data_ctrl = GetEntityDesc()->GetDataCtrl();
  CEventDesc* validate = data_ctrl ? data_ctrl->GetEvent("Validate") : nullptr;

  if (validate) {
    if (Status status = BindGroupInit(*data_ctrl, *validate, phys)) return status;
  }
  for (ChildEntry& entry : buttons) {
    auto* button = dynamic_cast<COptionButtonCtrl*>(entry.child.get());
    if (!button) continue;
    auto caption = button->GetProperty("Caption");
    if (!caption) continue;
    const CNxProperty* value = list->GetProperty(caption->Text());
    if (!value || value->GetText().empty()) continue;
    if (Status status = button->BindControl(data_ctrl, phys, std::string_view(value->GetText()))) {
      return status;
    }
    // A new record starts with the button of the column's default chosen.
    if (value->GetText() == GetAttribDesc()->GetColumnDefault()) {
      const std::string show_line = button->GetCtrlName() + ".Value = True";
      if (Status status = list_controls::AddDefaultShowing(*button, show_line)) return status;
    }
  }
  return validate ? BindGroupComplete(*data_ctrl, *validate, phys, buttons) : kOk;
}

Status COptionButtonVisualizer::BindGroupInit(const CDataCtrl& data_ctrl, CEventDesc& validate,
                                              const std::string& phys) {
  validate.Append(SubEvent::kValidateFieldChecks, SubEventSlot::kBody,
                  VbFragment(R"(
            ' Display-to-field data translation for $phys$
            Select Case TRUE
    )",
                             {{"phys", phys}}));
  return AppendCode(GetFormDesc()->SetToScreenProcedure(GetEntityDesc()->GetEntityName()),
                    SubEvent::kMain,
                    VbFragment(R"(
            $read_field$
            If Not IsNull(zTmpField) Then
                Select Case Trim(zTmpField)
    )",
                               {{"read_field", data_ctrl.ReadFieldCode(phys)}}));
}

Status COptionButtonVisualizer::BindGroupComplete(const CDataCtrl& data_ctrl, CEventDesc& validate,
                                                  const std::string& phys,
                                                  const std::vector<ChildEntry>& buttons) {
  CAttribDesc* attribute = GetAttribDesc();
  const std::string& entity = GetEntityDesc()->GetEntityName();
  const std::string field = data_ctrl.FieldExpression(phys);

  // No button chosen: the field stores the column's default; without one a required field
  // refuses the record, any other is cleared.
  std::string otherwise;
  auto empty_is_null = attribute->GetTvkProperty(format_ids::kColProp, "CD_EIN");
  if (const auto column_default = attribute->GetColumnDefault()) {
    otherwise = VbFragment(R"(
            $field$ = $default$
    )",
                           {{"field", field}, {"default", VbDefaultValue(*column_default)}});
  } else if (attribute->IsRequired()) {
    otherwise = VbFragment(R"(
            Beep
            MsgBox("$message$")
            GoTo $e$_BadData
    )",
                           {{"message", CDataCtrl::RequiredMessage(phys)}, {"e", entity}});
  } else {
    const bool null = empty_is_null && NumberOf(*empty_is_null) == 1;
    otherwise = VbFragment(R"(
            $field$ = $empty$
    )",
                           {{"field", field}, {"empty", null ? "Null" : "\"\""}});
  }
  validate.Append(SubEvent::kValidateFieldChecks, SubEventSlot::kBody,
                  VbFragment(R"(
        Case Else
            $otherwise$
        End Select
    )",
                             {{"otherwise", otherwise}}));

  std::string clear_buttons;
  for (const ChildEntry& entry : buttons) {
    if (!entry.child) continue;
    clear_buttons += VbFragment(R"(
                    $button$.Value = FALSE
    )",
                                {{"button", entry.child->GetCtrlName()}});
  }
  return AppendCode(GetFormDesc()->SetToScreenProcedure(entity), SubEvent::kMain,
                    VbFragment(R"(
                Case Else
                $clear_buttons$
                End Select
            End If
    )",
                               {{"clear_buttons", clear_buttons}}));
}

}  // namespace tavik
