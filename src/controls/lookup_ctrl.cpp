// The lookup control: a data combo (version 4) or a combo box filled by code (version 3).
#include "controls/lookup_ctrl.h"

#include <functional>
#include <utility>

#include <fmt/format.h>

#include "controls/bound_entity.h"
#include "controls/combo_box_ctrl.h"
#include "controls/data_ctrl.h"
#include "controls/option_handlers.h"
#include "form/code_text.h"
#include "form/event_desc.h"
#include "form/form_context.h"
#include "form/vb_fragment.h"
#include "model/attribute.h"

namespace tavik {

namespace {
// Why the control could not be made: no version of Visual Basic asked for, or no form.
enum InitFault : Status { kNoVersion = 2, kNoForm = 3 };
}  // namespace

namespace {

constexpr std::int16_t kDropDownList = 2;
constexpr std::size_t kNameSampleLength = 24;

Status AppendTo(CEventDesc* event, SubEvent sub_event, std::string_view code) {
  if (!event) return kNoEvent;
  event->Append(sub_event, SubEventSlot::kBody, code);
  return kOk;
}

// The code of a version-3 lookup combo box: filled when the form loads, the field's row shown
// when a record comes to the screen, the chosen row's key written back before a save.
struct ComboBoxCode {
  std::string fill;
  std::string show;
  std::string save;
  std::string show_line;  // the showing statement alone
};

// Whole-number keys stand in the list's ItemData.
ComboBoxCode ItemDataCode(std::string_view ctrl, std::string_view field, std::string_view select) {
  return {VbFragment(R"(
        tk_LookupFillItemData $ctrl$, tvkDBConn, "$select$"
    )",
                     {{"ctrl", ctrl}, {"select", select}}),
          VbFragment(R"(
            tk_LookupShowItemData $ctrl$, $field$
    )",
                     {{"ctrl", ctrl}, {"field", field}}),
          VbFragment(R"(
            $field$ = tk_LookupItemData($ctrl$)
    )",
                     {{"ctrl", ctrl}, {"field", field}}),
          fmt::format("tk_LookupShowItemData {}, {}", ctrl, field)};
}

// Other keys stand in an array of texts beside the list, one per entry.
ComboBoxCode KeyArrayCode(std::string_view ctrl, std::string_view field, std::string_view select,
                          std::string_view keys) {
  return {VbFragment(R"(
        tk_LookupFillKeys $ctrl$, tvkDBConn, "$select$", $keys$()
    )",
                     {{"ctrl", ctrl}, {"select", select}, {"keys", keys}}),
          VbFragment(R"(
            tk_LookupShowKey $ctrl$, $field$, $keys$()
    )",
                     {{"ctrl", ctrl}, {"field", field}, {"keys", keys}}),
          VbFragment(R"(
            $field$ = tk_LookupKey($ctrl$, $keys$())
    )",
                     {{"ctrl", ctrl}, {"field", field}, {"keys", keys}}),
          fmt::format("tk_LookupShowKey {}, {}, {}()", ctrl, field, keys)};
}

}  // namespace

Status CLookupCtrl::Init(std::uint16_t version, FormContext* form, CtrlMaker* maker,
                         LookupSource source, std::string row_source) {
  if (version == 0) return kNoVersion;
  if (!form) return kNoForm;
  SetTables(col_prop_lookup, nullptr);
  SetKindFlag(0);
  IsFocusCtrl(1);
  source_ = std::move(source);
  row_source_ = std::move(row_source);
  return CCtrlDesc::Init(version == 3 ? kComboBoxClass : kDataComboClass, version, form, maker);
}

std::optional<std::string> CLookupCtrl::GetWidthSample() {
  return std::string(kNameSampleLength, 'x');
}

std::uint16_t CLookupCtrl::AdjustCtrlWidth(std::uint16_t width) {
  return static_cast<std::uint16_t>(width + 250);
}

Status CLookupCtrl::BindControl(CDataCtrl* data_ctrl, std::string_view field_name, int /*extra*/) {
  if (!data_ctrl) return kNullArgument;
  if (Status status = AddProperty(Value::Short(kDropDownList), "Style")) return status;
  const bool version3 = GetVersion() == 3;
  CEventDesc* click = GetEvent("Click");
  CEventDesc* key_press = version3 ? GetEvent("KeyPress") : nullptr;
  if (!click || (version3 && !key_press)) return kNoEvent;
  const std::string& entity = GetEntityName();
  const std::string& data = data_ctrl->GetCtrlName();
  using list_controls::EditTrigger;
  if (Status status = list_controls::AddEditModeCode(click, EditTrigger::kClick, entity, data)) {
    return status;
  }
  if (key_press) {
    if (Status status =
            list_controls::AddEditModeCode(key_press, EditTrigger::kKeyPress, entity, data)) {
      return status;
    }
  }
  return version3 ? BindComboBox(*data_ctrl, field_name) : BindDataCombo(*data_ctrl, field_name);
}

Status CLookupCtrl::AddRequiredCheck(CDataCtrl& data_ctrl, std::string_view empty_test) {
  CAttribute* attribute = GetAttribute();
  if (!attribute || !attribute->IsRequired()) return kOk;
  auto physical_name = TextProperty(attribute, "PHYSICAL_NAME");
  if (!physical_name) return kMissingProperty;
  return AppendTo(
      data_ctrl.GetEvent("Validate"), SubEvent::kValidateFieldChecks,
      CDataCtrl::RefusalCode(GetCtrlName() + std::string(empty_test),
                             CDataCtrl::RequiredMessage(*physical_name), GetEntityName()));
}

// The data combo keeps the field itself: it is bound to it, and its list to the hidden
// data control's rows.
Status CLookupCtrl::BindDataCombo(CDataCtrl& data_ctrl, std::string_view field_name) {
  AddProperty(Value::String(data_ctrl.GetCtrlName()), "DataSource");
  AddProperty(Value::String(std::string(field_name)), "DataField");
  AddProperty(Value::String(row_source_), "RowSource");
  AddProperty(Value::String(source_.display), "ListField");
  AddProperty(Value::String(source_.key), "BoundColumn");
  if (Status status = AddRequiredCheck(data_ctrl, ".BoundText = \"\"")) return status;
  return AddDefault(data_ctrl, field_name, ".BoundText = \"\"", [&](std::string_view value) {
    return GetCtrlName() + ".BoundText = " + std::string(value);
  });
}

// A database fills a column's default only when an insert leaves the column out, and the
// form writes every field: so a new record's field takes the default (and the control shows
// it), and a record saved with no row chosen stores the default after the chosen row's key
// was written back.
Status CLookupCtrl::AddDefault(CDataCtrl& data_ctrl, std::string_view field_name,
                               std::string_view empty_test,
                               const std::function<std::string(std::string_view)>& show) {
  const std::optional<std::string> column_default = list_controls::ColumnDefault(*this);
  if (!column_default) return kOk;
  const std::string value = VbDefaultValue(*column_default);
  const std::string field = data_ctrl.FieldExpression(field_name);
  if (Status status = AppendTo(GetFormDesc()->SetDefaultsProcedure(GetEntityName()),
                               SubEvent::kMain, CodeText().Line(1, field + " = " + value).str())) {
    return status;
  }
  if (Status status = list_controls::AddDefaultShowing(*this, show(value))) return status;
  return AppendTo(data_ctrl.GetEvent("Validate"), SubEvent::kValidateFieldChecks,
                  CodeText()
                      .Line(2, "If " + GetCtrlName() + std::string(empty_test) + " Then " + field +
                                   " = " + value)
                      .str());
}

// The rows of the looked-up table may change while the form is open (another form adds
// one), and a combo box holds what it was filled with: the list is filled again whenever the
// master record moves, the entity's own data control when it has no master. The entity's own
// record is shown after that (its closing code); a detail's was shown when its rows were read
// again, before the list was filled, so the list shows it again.
Status CLookupCtrl::AddRefill(CDataCtrl& data_ctrl, const std::string& fill,
                              const std::string& show) {
  CDataCtrl* master = &data_ctrl;
  if (BoundEntity* entity = GetBoundEntity()) {
    if (CDataCtrl* master_data_ctrl = entity->MasterDataCtrl()) master = master_data_ctrl;
  }
  // The fragments are lines of their own (one tab less than here): a tab more each.
  const std::string shown_again =
      master == &data_ctrl ? std::string()
                           : VbFragment(R"(
            If tk_DS_FieldsAvailable($data$) Then
                bNoClick = True
                $show$
                bNoClick = False
            End If
    )",
                                        {{"data", data_ctrl.GetCtrlName()}, {"show", "\t" + show}});
  return AppendTo(master->GetEvent("Reposition"), SubEvent::kRepositionFields,
                  "\t" + fill + shown_again);
}

// A combo box of version 3 binds to no field: its code does what the data combo's binding
// does.
Status CLookupCtrl::BindComboBox(CDataCtrl& data_ctrl, std::string_view field_name) {
  FormContext* form = GetFormDesc();
  const std::string& ctrl = GetCtrlName();
  const std::string field = CDataCtrl::FieldExpression(data_ctrl.GetCtrlName(), field_name);
  const std::string select = VbStringText(source_.SelectText());
  const std::string keys = ctrl + "_Keys";
  ComboBoxCode code;
  if (source_.numeric_key) {
    code = ItemDataCode(ctrl, field, select);
  } else {
    code = KeyArrayCode(ctrl, field, select, keys);
    if (Status status = form->AddGlobalDeclaration("Dim " + keys + "() As String\r\n")) {
      return status;
    }
  }
  if (Status status = AppendTo(form->LoadEvent(), SubEvent::kMain, code.fill)) return status;
  if (Status status = AddRefill(data_ctrl, code.fill, code.show)) return status;
  if (Status status =
          AppendTo(form->SetToScreenProcedure(GetEntityName()), SubEvent::kMain, code.show)) {
    return status;
  }
  if (Status status = AddRequiredCheck(data_ctrl, ".ListIndex = -1")) return status;
  if (Status status =
          AppendTo(data_ctrl.GetEvent("Validate"), SubEvent::kValidateFieldChecks, code.save)) {
    return status;
  }
  return AddDefault(data_ctrl, field_name, ".ListIndex = -1",
                    [&](std::string_view) { return code.show_line; });
}

}  // namespace tavik
