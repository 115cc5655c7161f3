// Text controls bound to one field: binding, checks and translations.
#include "controls/bound_field_ctrl.h"
#include "form/vb_fragment.h"

#include "controls/option_handlers.h"
#include "entity/data_ctrl.h"
#include "entity/entity_desc.h"
#include "form/code_text.h"
#include "form/form_desc.h"

namespace tavik {

namespace {

// Sub-events of the data control's "Validate" event and of the other procedures.

}  // namespace

Status CBoundFieldCtrl::AppendCode(CEventDesc* event, SubEvent sub_event, const CodeText& code) {
  if (!event) return kNoMemory;
  event->Append(sub_event, SubEventSlot::kBody, code.str());
  return kOk;
}

std::string CBoundFieldCtrl::ListArrayName(std::string_view list_id) const {
  return GetFormDesc()->ListName(list_id) + "_List";
}

Status CBoundFieldCtrl::BindToField(const CDataCtrl& data_ctrl, std::string_view field_name) {
  if (Status status = AddProperty(Value::String(data_ctrl.GetCtrlName()), "DataSource")) {
    return status;
  }
  return AddProperty(Value::String(std::string(field_name)), "DataField");
}

Status CBoundFieldCtrl::AddRequiredCheck(CDataCtrl& data_ctrl, std::string_view physical_name) {
  CodeText check;
  check.Line(2, "If " + GetCtrlName() + ".Text = \"\" Then")
      .Line(3, "Beep")
      .Line(3, "MsgBox(\"" + VbStringText(physical_name) +
                   " is a required field; record not saved!\")")
      .Line(3, "GoTo " + GetEntityName() + "_BadData")
      .Line(2, "End If");
  return AppendCode(data_ctrl.GetEvent("Validate"), SubEvent::kValidateFieldChecks, check);
}

Status CBoundFieldCtrl::AddEditModeSwitch(const CDataCtrl& data_ctrl) {
  if (CEntityDesc* entity = GetEntityDesc()) (void)entity->GetNextRegCtrlIndex();
  CodeText edit_mode;
  edit_mode.Line(2, "tk_SetEditMode " + data_ctrl.GetCtrlName());
  return AppendCode(GetEvent("KeyPress"), SubEvent::kMain, edit_mode);
}

Status CBoundFieldCtrl::AddTranslationToData(CDataCtrl& data_ctrl, std::string_view field,
                                             std::string_view list_array,
                                             std::string_view physical_name, bool reject_unknown) {
  const std::string& ctrl = GetCtrlName();
  CodeText code;
  code.Line(2, "sBuff = Trim(" + ctrl + ".Text)")
      .Line(2, "nResult = tk_GetDataValue(sBuff, " + std::string(list_array) + "(), sValue)");
  if (reject_unknown) {
    code.Line(2, "If nResult = False Then")
        .Line(3, "Beep")
        .Line(3, "MsgBox(\"Not a valid value for field " + VbStringText(physical_name) +
                     "; record not saved!\")")
        .Line(3, "GoTo " + GetEntityName() + "_BadData")
        .Line(2, "End If");
  }
  code.Line(2, "nDFTransCount = tvkAddDisplayFieldTranslation(" + data_ctrl.GetCtrlName() + ", \"" +
                   VbStringText(field) + "\", sValue, DisplayFieldTranslate(), nDFTransCount)")
      .Line(2, ctrl + ".DataChanged = False ' disable auto binding");
  return AppendCode(data_ctrl.GetEvent("Validate"), SubEvent::kValidateFieldChecks, code);
}

Status CBoundFieldCtrl::AppendToSetToScreen(const CodeText& code) {
  CFormDesc* form = GetFormDesc();
  return AppendCode(form ? form->SetToScreenProcedure(GetEntityName()) : nullptr, SubEvent::kMain,
                    code);
}

Status CBoundFieldCtrl::AddControlRef(int* index) {
  return AddControlArrayEntry(index);
}

Status CBoundFieldCtrl::DoEmptyIsNull() {
  CDataCtrl* own_data_ctrl = GetDataCtrl();
  if (!own_data_ctrl) return kNullArgument;
  auto phys = TextProperty(GetAttribute(), "PHYSICAL_NAME");
  if (!phys) return kMissingProperty;
  CEntityDesc* entity = GetEntityDesc();
  CDataCtrl* entity_data_ctrl =
      entity && entity->GetDataCtrl() ? entity->GetDataCtrl() : own_data_ctrl;
  const std::string& ctrl = GetCtrlName();
  CodeText code;
  code.Line(2, "If " + ctrl + ".Text = \"\" Then")
      .Line(3, ctrl + " = tk_NullValue(" + entity_data_ctrl->GetCtrlName() + ".Recordset(\"" +
                   VbStringText(*phys) + "\"))")
      .Line(2, "End If");
  return AppendCode(own_data_ctrl->GetEvent("Validate"), SubEvent::kValidateFieldChecks, code);
}

}  // namespace tavik
