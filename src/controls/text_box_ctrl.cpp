// The text box control.
#include "controls/text_box_ctrl.h"

#include <cstdint>
#include <string>

#include "controls/data_ctrl.h"
#include "controls/option_handlers.h"
#include "form/code_text.h"
#include "form/form_context.h"
#include "form/vb_fragment.h"
#include "model/attribute.h"
#include "text/display_format.h"

namespace tavik {

namespace {
// Why the control could not be made: no version of Visual Basic asked for, or no form.
enum InitFault : Status { kNoVersion = 1, kNoForm = 2 };
}  // namespace

namespace {

// The edit style's options every text box is asked for.
constinit SharedPropertyName kCodedValues{"ESECOD"};
constinit SharedPropertyName kRejectUnknown{"ESEVAL"};
constinit SharedPropertyName kDisplayFormat{"ESEFMT"};

constexpr long kMaxLengthLimit = 32000;
constexpr long kFirstAlignment = 23;
constexpr long kUpperCase = 27;
constexpr long kLowerCase = 28;
constexpr std::int16_t kScrollHorizontal = 1;
constexpr std::int16_t kScrollVertical = 2;

Status HandleAutoSelect(CCtrlDesc& control, const std::optional<Value>& value) {
  if (!IsNumber(value, 1)) return kOk;
  CEventDesc* got_focus = control.GetEvent("GotFocus");
  if (!got_focus) return kNoMemory;
  got_focus->Append(SubEvent::kMain, SubEventSlot::kBody,
                    VbFragment(R"(
    '  Autoselect text when control gets focus$blank$
        $ctrl$.SelStart = 0
        $ctrl$.SelLength = 64000
    )",
                               {{"blank", " "}, {"ctrl", control.GetCtrlName()}}),
                    SubEventPlacement::kFirst);
  return kOk;
}

Status HandlePasswordChar(CCtrlDesc& control, const std::optional<Value>& value) {
  return AddCharacter(control, value, "PasswordChar");
}

// Scroll bars belong to multi-line text boxes only; each option sets or clears its bit.
Status HandleScrollBar(CCtrlDesc& control, const std::optional<Value>& value, std::int16_t bit) {
  if (!value) return kOk;
  CAttribute* attribute = control.GetAttribute();
  if (!attribute || !attribute->HasEditStyle(EditStyle::kMultiLineText)) return kOk;
  if (!control.GetProperty("ScrollBars")) {
    if (Status status = control.AddProperty(Value::Short(0), "ScrollBars")) return status;
    if (Status status = control.AddProperty(Value::Short(-1), "MultiLine")) return status;
  }
  auto bars = static_cast<std::int16_t>(control.GetProperty("ScrollBars")->AsInteger());
  long setting = NumberOf(*value);
  if (setting == 1) {
    bars = static_cast<std::int16_t>(bars | bit);
  } else if (setting == 0) {
    bars = static_cast<std::int16_t>(bars & ~bit);
  }
  return control.AddProperty(Value::Short(bars), "ScrollBars");
}

Status HandleHorizontalScrollBar(CCtrlDesc& control, const std::optional<Value>& value) {
  return HandleScrollBar(control, value, kScrollHorizontal);
}

Status HandleVerticalScrollBar(CCtrlDesc& control, const std::optional<Value>& value) {
  return HandleScrollBar(control, value, kScrollVertical);
}

// Case conversion sets the edit style bit of the window when the form loads; the form
// declares the variable that holds the style once, however many text boxes convert.
// The form's Load event is sought only for a box that converts: nearly none does.
Status HandleCase(CCtrlDesc& control, const std::optional<Value>& value) {
  if (!value) return kOk;
  long conversion = NumberOf(*value);
  if (conversion != kUpperCase && conversion != kLowerCase) return kOk;
  FormContext* form = control.GetFormDesc();
  CEventDesc* load = form ? form->LoadEvent() : nullptr;
  if (!load) return kNoMemory;
  if (!form->GWLFlagSet()) {
    load->AddDeclarations(CodeText().Line(1, "Dim lWindowStyle As Long").str());
    form->GWLFlagSet(1);
  }
  load->Append(SubEvent::kMain, SubEventSlot::kBody,
               VbFragment(R"(
        lWindowStyle = GetWindowLong($ctrl$.hWnd, GWL_STYLE)
        lWindowStyle = lWindowStyle Or $style$
        lWindowStyle = SetWindowLong($ctrl$.hWnd, GWL_STYLE, lWindowStyle)
    )",
                          {{"ctrl", control.GetCtrlName()},
                           {"style", conversion == kUpperCase ? "ES_UPPERCASE" : "ES_LOWERCASE"}}));
  return kOk;
}

// Left alignment unless the option says otherwise; the property is always written.
Status HandleAlignment(CCtrlDesc& control, const std::optional<Value>& value) {
  long alignment = value ? NumberOf(*value) - kFirstAlignment : 0;
  return control.AddProperty(Value::Short(static_cast<std::int16_t>(alignment)),
                             ctrl_props::kAlignment);
}

}  // namespace

const ESDESC CTextBoxCtrl::style_lookup[] = {
    {8, "ESESEL", HandleAutoSelect},
    {9, "ESEPWD", HandlePasswordChar},
    {10, "ESEHBR", HandleHorizontalScrollBar},
    {11, "ESEVBR", HandleVerticalScrollBar},
    {14, "ESELIM", PositiveOption<"MaxLength", kMaxLengthLimit>},
    {15, "ESECAS", HandleCase},
    {16, "ESEBRD", OffOption<"BorderStyle">},
    {17, "ESEHID", OffOption<"HideSelection">},
    {18, "ESEPOS", HandleAlignment},
    {-1, nullptr, nullptr},
};

Status CTextBoxCtrl::Init(std::uint16_t version, FormContext* form, CtrlMaker* maker) {
  if (version == 0) return kNoVersion;
  if (!form) return kNoForm;
  SetTables(col_prop_lookup, style_lookup);
  SetKindFlag(1);
  IsFocusCtrl(1);
  return CCtrlDesc::Init("TextBox", version, form, maker);
}

Status CTextBoxCtrl::BindControl(CDataCtrl* data_ctrl, std::string_view field_name, int /*extra*/) {
  if (!data_ctrl) return kNullArgument;
  CAttribute* attribute = GetAttribute();
  if (Status status = BindToField(*data_ctrl, field_name)) return status;
  if (Status status = AddDisplayFormat(*data_ctrl, field_name)) return status;

  std::string number_text;
  const auto phys = TextPropertyView(attribute, kPhysicalName, number_text);
  if (attribute && attribute->IsRequired()) {
    if (!phys) return kMissingProperty;
    if (Status status = AddRequiredCheck(*data_ctrl, *phys)) return status;
  }
  if (Status status = AddDefaultFill(*data_ctrl)) return status;
  if (Status status = AddEditModeSwitch(*data_ctrl)) return status;

  if (attribute && phys) {
    if (Status status = AddRuleCheck(*data_ctrl, *phys)) return status;
  }
  if (!IsNumber(FindEditStyleProp(kCodedValues), 1)) return kOk;
  if (!phys) return kMissingProperty;
  bool reject_unknown = IsNumber(FindEditStyleProp(kRejectUnknown), 1);
  auto list_id = TextProperty(attribute, "VLD_LISTID");
  if (!list_id) return kMissingProperty;
  const std::string list = ListArrayName(*list_id);
  if (Status status = AddTranslationToData(*data_ctrl, field_name, list, *phys, reject_unknown)) {
    return status;
  }

  // The stored value is shown as its display value whenever a record comes to the screen.
  std::string* set_to_screen = SetToScreenCode();
  if (!set_to_screen) return kNoMemory;
  data_ctrl->AppendReadFieldCode(*set_to_screen, field_name);
  AppendVbFragment(*set_to_screen, R"(
            nResult = tk_GetDisplayValue(zTmpField, $list$(), sValue)
            $ctrl$.Text = sValue
    )",
                   {{"list", list}, {"ctrl", GetCtrlName()}});
  return kOk;
}

Status CTextBoxCtrl::AddDisplayFormat(CDataCtrl& data_ctrl, std::string_view field_name) {
  const Value* format = FindEditStyleProp(kDisplayFormat);
  // A box of coded values shows the list's display value instead.
  if (!format || !format->HasText() || IsNumber(FindEditStyleProp(kCodedValues), 1)) return kOk;
  const std::string& ctrl = GetCtrlName();
  const std::string field = data_ctrl.FieldExpression(field_name);
  // A box not typed in gives back the field's value; a number typed as shown loses its format.
  const std::string kept = VbFragment(R"(
                $ctrl$.Text = "" & $field$
    )",
                                      {{"ctrl", ctrl}, {"field", field}});
  const std::string check = text::DisplayFormat::ShowsNumber(format->Text())
                                ? VbFragment(R"(
            If $ctrl$.DataChanged Then
                $ctrl$.Text = tk_NumberValue($ctrl$.Text)
            Else
                $kept$
            End If
    )",
                                             {{"ctrl", ctrl}, {"kept", kept}})
                                : VbFragment(R"(
            If Not $ctrl$.DataChanged Then
                $kept$
            End If
    )",
                                             {{"ctrl", ctrl}, {"kept", kept}});
  if (Status status =
          AppendCode(data_ctrl.GetEvent("Validate"), SubEvent::kValidateFieldChecks, check)) {
    return status;
  }
  return AppendToSetToScreen(
      VbFragment(R"(
            If Not IsNull($field$) Then
                $ctrl$.Text = Format$$($field$, "$format$")
            End If
    )",
                 {{"field", field}, {"ctrl", ctrl}, {"format", VbStringText(format->Text())}}));
}

}  // namespace tavik
