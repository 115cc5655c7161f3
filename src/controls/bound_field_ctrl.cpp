// Text controls bound to one field: binding, checks and translations.
#include "controls/bound_field_ctrl.h"

#include "controls/bound_entity.h"
#include "controls/data_ctrl.h"
#include "controls/option_handlers.h"
#include "form/code_text.h"
#include "form/event_desc.h"
#include "form/form_context.h"
#include "form/vb_fragment.h"
#include "model/attribute.h"
#include "text/value_rule.h"

namespace tavik {

namespace {
// The column's options a bound box reads: its default, and whether the database fills it.
constinit SharedPropertyName kColumnDefault{"CD_DEF"};
constinit SharedPropertyName kDefaultedByDatabase{"CD_DBD"};
}  // namespace

Status CBoundFieldCtrl::AppendCode(CEventDesc* event, SubEvent sub_event, std::string_view code) {
  if (!event) return kNoMemory;
  event->Append(sub_event, SubEventSlot::kBody, code);
  return kOk;
}

std::string CBoundFieldCtrl::ListArrayName(std::string_view list_id) const {
  return GetFormDesc()->ListName(list_id) + "_List";
}

Status CBoundFieldCtrl::BindToField(const CDataCtrl& data_ctrl, std::string_view field_name) {
  if (Status status =
          AddProperty(Value::String(data_ctrl.GetCtrlName()), ctrl_props::kDataSource)) {
    return status;
  }
  return AddProperty(Value::String(field_name), ctrl_props::kDataField);
}

// The check goes straight into the field checks of the data control's Validate event.
Status CBoundFieldCtrl::AddRequiredCheck(CDataCtrl& data_ctrl, std::string_view physical_name) {
  const Value* database_default = FindColProp(kDefaultedByDatabase);
  const bool left_to_database =
      database_default && database_default->IsString() && database_default->AsString() == "Y";
  constexpr std::string_view kEmptyTest = ".Text = \"\"";
  CEventDesc* validate = data_ctrl.GetEvent("Validate");
  if (!validate) return kNoMemory;
  std::string& checks = validate->Piece(SubEvent::kValidateFieldChecks, SubEventSlot::kBody);
  if (!left_to_database) {
    CDataCtrl::AppendRefusal(checks, GetCtrlName(), kEmptyTest,
                             CDataCtrl::RequiredMessage(physical_name), GetEntityName());
    return kOk;
  }
  const std::string empty = GetCtrlName() + std::string(kEmptyTest);
  CDataCtrl::AppendRefusal(checks, empty,
                           " And " + data_ctrl.GetCtrlName() + ".EditMode <> dbEditAdd",
                           CDataCtrl::RequiredMessage(physical_name), GetEntityName());
  // The database fills its computed default only into a column an insert leaves out: a new
  // record's empty box is not written (after every text box was marked as changed).
  const std::string adding = data_ctrl.GetCtrlName() + ".EditMode = dbEditAdd";
  validate->Append(SubEvent::kValidateFieldChecks, SubEventSlot::kTail,
                   CodeText()
                       .Line(2, "If " + adding + " And " + empty + " Then " + GetCtrlName() +
                                    ".DataChanged = False")
                       .str());
  return kOk;
}

Status CBoundFieldCtrl::AddRuleCheck(CDataCtrl& data_ctrl, std::string_view physical_name) {
  // Asked of every bound field; a rule is rare.
  static constinit SharedPropertyName rule_name{"CD_VLR"};
  CAttribute* attribute = GetAttribute();
  const Value* rule = FindColProp(rule_name);
  if (!rule || !rule->IsString() || rule->AsString().empty()) return kOk;
  const std::string text(rule->AsString());
  CEventDesc* validate = data_ctrl.GetEvent("Validate");
  const auto condition = text::ValueRule::BreakingCondition(text, GetCtrlName() + ".Text");
  if (!condition) {
    return AppendCode(validate, SubEvent::kValidateFieldChecks,
                      CodeText()
                          .Line(2, "' " + std::string(physical_name) +
                                       " keeps a rule the form does not check: " + text)
                          .str());
  }
  const auto message = attribute->GetTvkProperty(format_ids::kColProp, "CD_VLT");
  const std::string shown =
      message && message->IsString() && !message->AsString().empty()
          ? VbStringText(message->AsString())
          : VbStringText(physical_name) + " must be " + VbStringText(text) + "; record not saved!";
  return AppendCode(validate, SubEvent::kValidateFieldChecks,
                    CDataCtrl::RefusalCode(*condition, shown, GetEntityName()));
}

Status CBoundFieldCtrl::AddEditModeSwitch(const CDataCtrl& data_ctrl) {
  // The index only counts the entity's registered controls; the switch's code needs none.
  if (BoundEntity* entity = GetBoundEntity()) (void)entity->GetNextRegCtrlIndex();
  // Every bound box gets the line, appended where the event keeps it.
  CEventDesc* key_press = GetEvent("KeyPress");
  if (!key_press) return kNoMemory;
  key_press->Piece(SubEvent::kMain, SubEventSlot::kBody)
      .append("\t\ttk_SetEditMode ")
      .append(data_ctrl.GetCtrlName())
      .append("\r\n");
  return kOk;
}

// The translation goes straight into the field checks of the data control's Validate event,
// the refusal of an unknown value between its look-up and its use.
Status CBoundFieldCtrl::AddTranslationToData(CDataCtrl& data_ctrl, std::string_view field,
                                             std::string_view list_array,
                                             std::string_view physical_name, bool reject_unknown) {
  CEventDesc* validate = data_ctrl.GetEvent("Validate");
  if (!validate) return kNoMemory;
  std::string& checks = validate->Piece(SubEvent::kValidateFieldChecks, SubEventSlot::kBody);
  AppendVbFragment(checks, R"(
            sBuff = Trim($ctrl$.Text)
            nResult = tk_GetDataValue(sBuff, $list$(), sValue)
    )",
                   {{"ctrl", GetCtrlName()}, {"list", list_array}});
  if (reject_unknown) {
    CDataCtrl::AppendRefusal(checks, "nResult = False", {},
                             CDataCtrl::NotInListMessage(physical_name), GetEntityName());
  }
  std::string quoted;
  AppendVbFragment(checks, R"(
            nDFTransCount = tvkAddDisplayFieldTranslation($data$, "$field$", sValue, DisplayFieldTranslate(), nDFTransCount)
            $ctrl$.DataChanged = False ' disable auto binding
    )",
                   {{"data", data_ctrl.GetCtrlName()},
                    {"field", VbStringTextView(field, quoted)},
                    {"ctrl", GetCtrlName()}});
  return kOk;
}

Status CBoundFieldCtrl::AppendToSetToScreen(std::string_view code) {
  std::string* set_to_screen = SetToScreenCode();
  if (!set_to_screen) return kNoMemory;
  set_to_screen->append(code);
  return kOk;
}

std::string* CBoundFieldCtrl::SetToScreenCode() {
  FormContext* form = GetFormDesc();
  CEventDesc* procedure = form ? form->SetToScreenProcedure(GetEntityName()) : nullptr;
  return procedure ? &procedure->Piece(SubEvent::kMain, SubEventSlot::kBody) : nullptr;
}

Status CBoundFieldCtrl::AddDefaultFill(CDataCtrl& data_ctrl) {
  const Value* column_default = FindColProp(kColumnDefault);
  FormContext* form = GetFormDesc();
  if (!column_default || !column_default->IsString() || !form) return kOk;
  const std::string value = VbDefaultValue(column_default->AsString());
  // A masked box takes the default as it is: a date column's default fits its mask.
  const std::string set_text = GetCtrlName() + ".Text = " + value;
  if (Status status = AppendCode(form->SetDefaultsProcedure(GetEntityName()), SubEvent::kMain,
                                 CodeText().Line(1, set_text).str())) {
    return status;
  }
  return AppendCode(data_ctrl.GetEvent("Validate"), SubEvent::kValidateFieldChecks,
                    VbFragment(R"(
            If $ctrl$.Text = "" Then
                $set$
            End If
    )",
                               {{"ctrl", GetCtrlName()}, {"set", set_text}}));
}

Status CBoundFieldCtrl::AddControlRef(int* index) {
  return AddControlArrayEntry(index);
}

Status CBoundFieldCtrl::DoEmptyIsNull() {
  CDataCtrl* own_data_ctrl = GetDataCtrl();
  if (!own_data_ctrl) return kNullArgument;
  auto phys = TextProperty(GetAttribute(), "PHYSICAL_NAME");
  if (!phys) return kMissingProperty;
  BoundEntity* entity = GetBoundEntity();
  CDataCtrl* entity_data_ctrl =
      entity && entity->GetDataCtrl() ? entity->GetDataCtrl() : own_data_ctrl;
  return AppendCode(own_data_ctrl->GetEvent("Validate"), SubEvent::kValidateFieldChecks,
                    VbFragment(R"(
            If $ctrl$.Text = "" Then
                $ctrl$ = tk_NullValue($data$.Recordset("$field$"))
            End If
    )",
                               {{"ctrl", GetCtrlName()},
                                {"data", entity_data_ctrl->GetCtrlName()},
                                {"field", VbStringText(*phys)}}));
}

}  // namespace tavik
