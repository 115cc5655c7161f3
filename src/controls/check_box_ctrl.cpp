// The check box control, in its version-3 and version-4 forms.
#include "controls/check_box_ctrl.h"

#include <cstdint>
#include <cstdlib>
#include <string>

#include "controls/combo_box_ctrl.h"
#include "controls/timer_ctrl.h"
#include "entity/data_ctrl.h"
#include "entity/entity_desc.h"
#include "form/code_text.h"
#include "form/form_desc.h"

namespace tavik {

namespace {

constexpr std::int32_t kFirstSubEvent = 0;
constexpr std::int32_t kValidateChecks = 2;
constexpr int kBody = 1;

// Whether an option switch is on; options may come as numbers or as their text.
bool IsOn(const std::optional<Value>& value) {
  if (!value) return false;
  if (value->IsString()) return std::strtol(value->AsString().c_str(), nullptr, 10) == 1;
  return value->AsInteger() == 1;
}

Status AppendCode(CEventDesc* event, std::int32_t sub_event, const CodeText& code) {
  if (!event) return kNoEvent;
  return event->AddSubEventCode(code.str(), sub_event, kBody, CEventDesc::kAtEnd,
                                CEventDesc::kAfter);
}

Status HandleLeftText(CCtrlDesc& control, const std::optional<Value>& value) {
  if (!IsOn(value)) return kOk;
  return control.AddProperty(Value::Short(1), "Alignment");
}

Status HandleThreeD(CCtrlDesc& control, const std::optional<Value>& value) {
  if (!IsOn(value)) return kOk;
  auto* check_box = dynamic_cast<CCheckBoxCtrl*>(&control);
  return check_box ? check_box->Make3D() : kOk;
}

// The stored value of a list entry; none when it is missing, empty or not a text.
std::optional<std::string> StoredValue(const CNxProperty& entry) {
  const Value& value = entry.GetValue();
  if (!value.IsString() || value.AsString().empty()) return std::nullopt;
  return value.AsString();
}

}  // namespace

const ESDESC CCheckBoxCtrl::style_lookup[] = {
    {27, "ESCLFT", HandleLeftText},
    {28, "ESC3D", HandleThreeD},
    {-1, nullptr, nullptr},
};

Status CCheckBoxCtrl::Init(std::uint16_t version, CFormDesc* form, CVisualizer* visualizer) {
  if (version == 0) return 1;
  if (!form) return 2;
  SetTables(col_prop_lookup, style_lookup);
  SetKindFlag(1);
  IsFocusCtrl(1);
  return CCtrlDesc::Init("CheckBox", version, form, visualizer);
}

Status CCheckBoxCtrl::BindControl(CDataCtrl* data_ctrl, std::string_view field_name,
                                  int /*extra*/) {
  if (!data_ctrl) return kNullArgument;
  const CNxPropertySection* list = list_controls::ValidValueListOf(*this);
  CEventDesc* validate = data_ctrl->GetEvent("Validate");
  if (!validate) return kMissingProperty;
  // "Reposition" gets no code from a check box; it only has to be there.
  if (!data_ctrl->GetEvent("Reposition")) return kNoEvent;
  CEventDesc* click = GetEvent("Click");
  if (!click) return kNoEvent;

  std::string checked = "Y";
  std::string unchecked = "N";
  if (list) {
    const auto& entries = list->GetPropertyList();
    if (!entries.empty()) {
      auto value = StoredValue(*entries[0]);
      if (!value) return kMissingProperty;
      checked = *value;
    }
    if (entries.size() > 1) {
      auto value = StoredValue(*entries[1]);
      if (!value) return kMissingProperty;
      unchecked = *value;
    }
  }

  const std::string& ctrl = GetCtrlName();
  const std::string& data = data_ctrl->GetCtrlName();
  CEntityDesc* entity_desc = list_controls::EntityOf(*this);
  const std::string entity = entity_desc ? entity_desc->GetEntityName() : std::string();
  const std::string field_value = data + ".Recordset.Fields(\"" + std::string(field_name) + "\")";
  const std::string arguments =
      "(" + ctrl + ", " + field_value + ", \"" + checked + "\", \"" + unchecked + "\")";

  CodeText to_field;
  to_field.Line(3, field_value + " = tk_CB_ControlXlateValue" + arguments);
  if (Status status = AppendCode(validate, kValidateChecks, to_field)) return status;

  CodeText to_screen;
  to_screen.Line(2, ctrl + ".Value = tk_CB_FieldXlateValue" + arguments);
  CFormDesc* form = GetFormDesc();
  if (Status status = AppendCode(form ? form->GetProcedure(entity + "_SetToScreen") : nullptr,
                                 kFirstSubEvent, to_screen)) {
    return status;
  }

  // The index only counts the entity's registered controls; the check box's code needs none.
  if (entity_desc) (void)entity_desc->GetNextRegCtrlIndex();

  return list_controls::AddEditModeCode(click, list_controls::kClickHead, entity, data);
}

Status CCheckBoxCtrl::AddControlRef(int* index) {
  if (!index) return kNullArgument;
  CFormDesc* form = GetFormDesc();
  CTimerCtrl* timer = form ? form->GetTimerCtrl() : nullptr;
  if (!timer) return kNoEvent;
  CEntityDesc* entity = list_controls::EntityOf(*this);
  CodeText code;
  code.Line(1, "Set ax" + (entity ? entity->GetEntityName() : std::string()) + "_Ctrl(" +
                   std::to_string(*index) + ") = " + GetCtrlName());
  if (Status status = AppendCode(timer->GetEvent("Timer"), kFirstSubEvent, code)) return status;
  ++*index;
  return kOk;
}

std::optional<std::string> CCheckBoxCtrl::GetWidthSample() {
  auto caption = GetProperty("Caption");
  if (!caption) return std::nullopt;
  return caption->Text();
}

std::uint16_t CCheckBoxCtrl::AdjustCtrlWidth(std::uint16_t width) {
  return static_cast<std::uint16_t>(width + 250);
}

// Version 3 has a separate three-dimensional control, which draws its own background.
Status CCheckBoxCtrl::Make3D() {
  if (Status status = SetClassName("SSCheck")) return status;
  SetColorsMask(static_cast<std::uint16_t>(GetColorsMask() & ~kWriteBackColor));
  return kOk;
}

Status CCheckBox4Ctrl::Make3D() {
  return AddProperty(Value::Short(1), "Appearance");
}

}  // namespace tavik
