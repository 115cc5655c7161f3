// The check box control, in its version-3 and version-4 forms.
#include "controls/check_box_ctrl.h"
#include "form/vb_fragment.h"

#include <cstdint>
#include <string>

#include "controls/bound_entity.h"
#include "controls/combo_box_ctrl.h"
#include "controls/data_ctrl.h"
#include "form/code_text.h"
#include "form/event_desc.h"
#include "form/form_context.h"
#include "model/nx_property_section.h"

namespace tavik {

namespace {
// Why the control could not be made: no version of Visual Basic asked for, or no form.
enum InitFault : Status { kNoVersion = 1, kNoForm = 2 };
}  // namespace

namespace {

// The stored value of a list entry; none when it is missing, empty or not a text.
std::optional<std::string> StoredValue(const CNxProperty& entry) {
  const Value& value = entry.GetValue();
  if (!value.IsString() || value.AsString().empty()) return std::nullopt;
  return std::string(value.AsString());
}

}  // namespace

const ESDESC CCheckBoxCtrl::style_lookup[] = {
    {27, "ESCLFT", HandleLeftText},
    {28, "ESC3D", HandleThreeD},
    {-1, nullptr, nullptr},
};

Status CCheckBoxCtrl::Init(std::uint16_t version, FormContext* form, CtrlMaker* maker) {
  if (version == 0) return kNoVersion;
  if (!form) return kNoForm;
  SetTables(col_prop_lookup, style_lookup);
  SetKindFlag(1);
  IsFocusCtrl(1);
  return CCtrlDesc::Init("CheckBox", version, form, maker);
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
      auto value = StoredValue(entries[0]);
      if (!value) return kMissingProperty;
      checked = *value;
    }
    if (entries.size() > 1) {
      auto value = StoredValue(entries[1]);
      if (!value) return kMissingProperty;
      unchecked = *value;
    }
  }

  const std::string& ctrl = GetCtrlName();
  const std::string& data = data_ctrl->GetCtrlName();
  BoundEntity* entity_desc = GetBoundEntity();
  const std::string& entity = GetEntityName();
  const std::string field_value = data_ctrl->FieldExpression(field_name);
  const std::string arguments = "(" + ctrl + ", " + field_value + ", \"" + VbStringText(checked) +
                                "\", \"" + VbStringText(unchecked) + "\")";

  if (Status status = AppendCode(
          validate, SubEvent::kValidateFieldChecks,
          CodeText().Line(3, field_value + " = tk_CB_ControlXlateValue" + arguments).str())) {
    return status;
  }
  if (Status status = AddDefault(validate, field_value, checked, unchecked)) return status;
  FormContext* form = GetFormDesc();
  if (Status status = AppendCode(
          form ? form->SetToScreenProcedure(entity) : nullptr, SubEvent::kMain,
          CodeText().Line(2, ctrl + ".Value = tk_CB_FieldXlateValue" + arguments).str())) {
    return status;
  }

  // The index only counts the entity's registered controls; the check box's code needs none.
  if (entity_desc) (void)entity_desc->GetNextRegCtrlIndex();

  return list_controls::AddEditModeCode(click, list_controls::EditTrigger::kClick, entity, data);
}

Status CCheckBoxCtrl::AddDefault(CEventDesc* validate, std::string_view field_value,
                                 std::string_view checked, std::string_view unchecked) {
  const auto column_default = list_controls::ColumnDefault(*this);
  if (!column_default || (*column_default != checked && *column_default != unchecked)) {
    return kOk;
  }
  const std::string& ctrl = GetCtrlName();
  if (Status status = AppendCode(
          validate, SubEvent::kValidateFieldChecks,
          CodeText()
              .Line(3, "If " + ctrl + ".Value = CHECKBOX_GRAYED Then " + std::string(field_value) +
                           " = " + VbDefaultValue(*column_default))
              .str())) {
    return status;
  }
  return list_controls::AddDefaultShowing(
      *this, ctrl + ".Value = " + (*column_default == checked ? "1" : "0"));
}

Status CCheckBoxCtrl::AddControlRef(int* index) {
  return AddControlArrayEntry(index);
}

Status CCheckBoxCtrl::Make3D() {
  return UseThreeDClass("SSCheck");
}

}  // namespace tavik
