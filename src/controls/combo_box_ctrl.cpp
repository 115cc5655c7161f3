// The combo box control, and the code it shares with the list box and the check box.
#include "controls/combo_box_ctrl.h"

#include <cstdint>
#include <string>

#include "controls/bound_entity.h"
#include "controls/data_ctrl.h"
#include "controls/option_handlers.h"
#include "form/code_text.h"
#include "form/event_desc.h"
#include "form/form_context.h"
#include "form/vb_fragment.h"
#include "model/attribute.h"
#include "model/nx_property_section.h"

namespace tavik {

namespace {
// Why the control could not be made: no version of Visual Basic asked for, or no form.
enum InitFault : Status { kNoVersion = 2, kNoForm = 3 };
}  // namespace

namespace {

constexpr std::int16_t kSimpleCombo = 1;
constexpr std::int16_t kDropDownList = 2;
constexpr std::int16_t kDropDownCombo = 0;
// A simple combo box shows its list below the text: four lines tall.
constexpr float kSimpleComboLines = 4.0f;

Status AddCode(CEventDesc* event, SubEvent sub_event, SubEventSlot part, SubEventPlacement position,
               std::string_view code) {
  if (!event) return kNoEvent;
  event->Append(sub_event, part, code, position);
  return kOk;
}

Status HandleSorted(CCtrlDesc& control, const std::optional<Value>& value) {
  if (!IsNumber(value, 1)) return kOk;
  return control.AddProperty(Value::Short(-1), "Sorted");
}

// The text limit would be set by a message to the edit part when the form loads. The form
// carries no such code: its module declares neither the message nor its result variable,
// so the option only makes sure that the form has its "Load" event.
Status HandleTextLimit(CCtrlDesc& control, const std::optional<Value>& value) {
  if (!value) return kOk;
  FormContext* form = control.GetFormDesc();
  return form && form->LoadEvent() ? kOk : kNoEvent;
}

Status HandleStyle(CCtrlDesc& control, const std::optional<Value>& value) {
  if (!value) return kOk;
  long setting = NumberOf(*value);
  std::int16_t style = setting == kSimpleCombo    ? kSimpleCombo
                       : setting == kDropDownList ? kDropDownList
                                                  : kDropDownCombo;
  if (Status status = control.AddProperty(Value::Short(style), "Style", 1)) return status;
  // A size given by the edit style stands, even an empty one.
  if (style != kSimpleCombo || control.GetEditStyleProp("ES_HGT")) return kOk;
  auto height = control.GetProperty("Height");
  if (!height) return kOk;
  return control.AddProperty(Value::Single(height->AsSingle() * kSimpleComboLines), "Height");
}

}  // namespace

namespace list_controls {

CNxPropertySection* ValidValueListOf(const CCtrlDesc& control) {
  auto list_id = TextProperty(control.GetAttribute(), "VLD_LISTID");
  FormContext* form = control.GetFormDesc();
  if (!list_id || !form) return nullptr;
  return form->GetValidValueList(*list_id);
}

std::optional<std::string> LongestEntryName(const CCtrlDesc& control) {
  const CNxPropertySection* list = ValidValueListOf(control);
  if (!list) return std::nullopt;
  const auto& entries = list->GetPropertyList();
  if (entries.empty()) return "DefaultWidth";
  const std::string* longest = &entries.front().GetName();
  for (const auto& entry : entries) {
    if (entry.GetName().size() > longest->size()) longest = &entry.GetName();
  }
  return *longest;
}

std::optional<std::string> ColumnDefault(const CCtrlDesc& control) {
  const CAttribute* attribute = control.GetAttribute();
  return attribute ? attribute->GetColumnDefault() : std::nullopt;
}

Status AddDefaultShowing(CCtrlDesc& control, std::string_view show_line) {
  FormContext* form = control.GetFormDesc();
  return AddCode(
      form ? form->SetDefaultsProcedure(control.GetEntityName()) : nullptr, SubEvent::kMain,
      SubEventSlot::kBody, SubEventPlacement::kLast,
      CodeText().Line(1, "bNoClick = True").Line(1, show_line).Line(1, "bNoClick = False").str());
}

Status AddListLoading(CCtrlDesc& control, std::string_view list_name) {
  FormContext* form = control.GetFormDesc();
  CEventDesc* load = form ? form->LoadEvent() : nullptr;
  if (!load) return kNoEvent;
  CodeText code;
  code.Line(1, "tk_LoadList " + control.GetCtrlName() + ", " + std::string(list_name) + "_List()");
  return AddCode(load, SubEvent::kMain, SubEventSlot::kBody, SubEventPlacement::kFirst, code.str());
}

Status AddEditModeCode(CEventDesc* event, EditTrigger trigger, std::string_view entity,
                       std::string_view data) {
  const std::string click_guard = trigger == EditTrigger::kClick ? VbFragment(R"(
        If bNoClick Then Exit Sub

    )")
                                                                 : std::string();
  if (Status status =
          AddCode(event, SubEvent::kMain, SubEventSlot::kHead, SubEventPlacement::kFirst,
                  VbFragment(R"(
        $click_guard$
        If bFormLoaded Then
    )",
                             {{"click_guard", click_guard}}))) {
    return status;
  }
  if (Status status = AddCode(event, SubEvent::kMain, SubEventSlot::kBody, SubEventPlacement::kLast,
                              VbFragment(R"(
            b$e$Bind = True
            tk_SetEditMode $data$
    )",
                                         {{"e", entity}, {"data", data}}))) {
    return status;
  }
  return AddCode(event, SubEvent::kMain, SubEventSlot::kTail, SubEventPlacement::kLast,
                 VbFragment(R"(
        End If
    )"));
}

Status BindListControl(CCtrlDesc& control, CDataCtrl* data_ctrl, std::string_view field_name,
                       const ListBinding& binding) {
  if (!data_ctrl) return kNullArgument;
  // Every event is had before any code goes in. The combo box takes the data control's
  // "Validate" event last, the list box before "Reposition", which gets no code here.
  CEventDesc* click = control.GetEvent("Click");
  if (!click) return kNoEvent;
  CEventDesc* key_press = nullptr;
  CEventDesc* validate = nullptr;
  if (binding.key_press) {
    key_press = control.GetEvent("KeyPress");
    if (!key_press) return kNoEvent;
  } else {
    validate = data_ctrl->GetEvent("Validate");
    if (!validate) return kNoEvent;
  }
  if (!data_ctrl->GetEvent("Reposition")) return kNoEvent;
  BoundEntity* entity_desc = control.GetBoundEntity();
  if (!entity_desc) return kNullArgument;
  if (!validate) validate = data_ctrl->GetEvent("Validate");
  if (!validate) return kNoEvent;

  const std::string& ctrl = control.GetCtrlName();
  const std::string& data = data_ctrl->GetCtrlName();
  const std::string& entity = control.GetEntityName();
  const std::string field = VbStringText(field_name);
  CAttribute* attribute = control.GetAttribute();

  if (Status status = AddEditModeCode(click, EditTrigger::kClick, entity, data)) return status;
  if (key_press) {
    if (Status status = AddEditModeCode(key_press, EditTrigger::kKeyPress, entity, data))
      return status;
  }

  if (attribute && attribute->IsRequired()) {
    auto phys = TextProperty(attribute, "PHYSICAL_NAME");
    if (!phys) return kMissingProperty;
    if (Status status = AddCode(
            validate, SubEvent::kValidateFieldChecks, SubEventSlot::kBody, SubEventPlacement::kLast,
            CDataCtrl::RefusalCode(ctrl + std::string(binding.empty),
                                   CDataCtrl::RequiredMessage(*phys), entity))) {
      return status;
    }
  }

  bool reject_unknown = IsNumber(control.GetEditStyleProp(binding.reject), 1);
  auto list_id = TextProperty(attribute, "VLD_LISTID");
  if (!list_id) return kMissingProperty;
  const std::string list = control.GetFormDesc()->ListName(*list_id) + "_List()";

  // The chosen entry's stored value goes into the field before the record is saved.
  const std::string refusal =
      CDataCtrl::RefusalCode("FnErr = False", CDataCtrl::NotInListMessage(field_name), entity);
  if (Status status = AddCode(validate, SubEvent::kValidateFieldChecks, SubEventSlot::kBody,
                              SubEventPlacement::kLast,
                              VbFragment(R"(
            FnErr = tvkSetNewListField($ctrl$, $data$, "$field$", $list$, $reject$, bNoClick)
            $refusal$
    )",
                                         {{"ctrl", ctrl},
                                          {"data", data},
                                          {"field", field},
                                          {"list", list},
                                          {"reject", reject_unknown ? "True" : "False"},
                                          {"refusal", refusal}}))) {
    return status;
  }

  if (const auto column_default = ColumnDefault(control)) {
    const std::string value = VbDefaultValue(*column_default);
    if (Status status =
            AddDefaultShowing(control, "tvkShowListValue " + ctrl + ", " + value + ", " + list)) {
      return status;
    }
    if (Status status = AddCode(
            validate, SubEvent::kValidateFieldChecks, SubEventSlot::kBody, SubEventPlacement::kLast,
            CodeText()
                .Line(2, "If " + ctrl + std::string(binding.empty) + " Then " +
                             data_ctrl->FieldExpression(field_name) + " = " + value)
                .str())) {
      return status;
    }
  }

  // The field's entry is selected whenever a record comes to the screen.
  FormContext* form = control.GetFormDesc();
  return AddCode(form ? form->SetToScreenProcedure(entity) : nullptr, SubEvent::kMain,
                 SubEventSlot::kBody, SubEventPlacement::kLast,
                 VbFragment(R"(
            tvkGetNewListField $ctrl$, $data$, "$field$", $list$, bNoClick
    )",
                            {{"ctrl", ctrl}, {"data", data}, {"field", field}, {"list", list}}));
}

}  // namespace list_controls

const ESDESC CComboBoxCtrl::style_lookup[] = {
    {22, "ESLSRT", HandleSorted},
    {23, "ESLLIM", HandleTextLimit},
    {26, "ESLSTY", HandleStyle},
    {-1, nullptr, nullptr},
};

Status CComboBoxCtrl::Init(std::uint16_t version, FormContext* form, CtrlMaker* maker) {
  if (version == 0) return kNoVersion;
  if (!form) return kNoForm;
  SetTables(col_prop_lookup, style_lookup);
  SetKindFlag(0);
  IsFocusCtrl(1);
  return CCtrlDesc::Init("ComboBox", version, form, maker);
}

Status CComboBoxCtrl::SetupList(std::string_view list_name) {
  return list_controls::AddListLoading(*this, list_name);
}

Status CComboBoxCtrl::BindControl(CDataCtrl* data_ctrl, std::string_view field_name,
                                  int /*extra*/) {
  static constexpr list_controls::ListBinding kComboBinding{
      .key_press = true, .empty = ".Text = \"\"", .reject = "ESLVAL"};
  return list_controls::BindListControl(*this, data_ctrl, field_name, kComboBinding);
}

std::optional<std::string> CComboBoxCtrl::GetWidthSample() {
  return list_controls::LongestEntryName(*this);
}

std::uint16_t CComboBoxCtrl::AdjustCtrlWidth(std::uint16_t width) {
  return static_cast<std::uint16_t>(width + 250);
}

}  // namespace tavik
