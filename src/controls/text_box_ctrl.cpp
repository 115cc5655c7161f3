// The text box control.
#include "controls/text_box_ctrl.h"

#include <cstdint>
#include <cstdlib>
#include <string>

#include "controls/timer_ctrl.h"
#include "entity/attrib_desc.h"
#include "entity/data_ctrl.h"
#include "entity/entity_desc.h"
#include "form/code_text.h"
#include "form/form_desc.h"

namespace tavik {

namespace {

// Sub-events of the data control's "Validate" event and of the other procedures.
constexpr std::int32_t kValidateChecks = 2;
constexpr std::int32_t kFirstSubEvent = 0;
constexpr int kBody = 1;

// The only edit style whose text box may scroll: the multi-line one.
constexpr std::int32_t kMultiLineEditStyle = 6;
constexpr long kMaxLengthLimit = 32000;
constexpr long kFirstAlignment = 23;
constexpr long kUpperCase = 27;
constexpr long kLowerCase = 28;
constexpr std::int16_t kScrollHorizontal = 1;
constexpr std::int16_t kScrollVertical = 2;

// The number a model option holds; options may come as numbers or as their text.
long NumberOf(const Value& value) {
  if (value.IsString()) return std::strtol(value.AsString().c_str(), nullptr, 10);
  return static_cast<long>(value.AsInteger());
}

bool IsNumber(const std::optional<Value>& value, long number) {
  return value && NumberOf(*value) == number;
}

// Appends code to a body piece: new sub-events go last, text after what is there.
Status AppendCode(CEventDesc* event, std::int32_t sub_event, const CodeText& code) {
  if (!event) return kNoMemory;
  return event->AddSubEventCode(code.str(), sub_event, kBody, CEventDesc::kAtEnd,
                                CEventDesc::kAfter);
}

// The attribute's non-empty text property, or none.
std::optional<std::string> TextProperty(const CAttribute* attribute, std::string_view name) {
  if (!attribute) return std::nullopt;
  auto value = attribute->GetProperty(name);
  if (!value || value->Text().empty()) return std::nullopt;
  return value->Text();
}

Status HandleAutoSelect(CCtrlDesc& control, const std::optional<Value>& value) {
  if (!IsNumber(value, 1)) return kOk;
  CEventDesc* got_focus = control.GetEvent("GotFocus");
  if (!got_focus) return kNoMemory;
  const std::string& ctrl = control.GetCtrlName();
  CodeText code;
  code.Line(0, "'  Autoselect text when control gets focus ")
      .Line(1, ctrl + ".SelStart = 0")
      .Line(1, ctrl + ".SelLength = 64000");
  return got_focus->AddSubEventCode(code.str(), kFirstSubEvent, kBody, CEventDesc::kAtFront,
                                    CEventDesc::kAfter);
}

Status HandlePasswordChar(CCtrlDesc& control, const std::optional<Value>& value) {
  if (!value) return kOk;
  // A one-character text is the character itself; anything else is its character code.
  char character = 0;
  if (value->IsString() && value->AsString().size() == 1) {
    character = value->AsString()[0];
  } else {
    character = static_cast<char>(NumberOf(*value));
  }
  std::string text = character == '\0' ? std::string() : std::string(1, character);
  return control.AddProperty(Value::String(std::move(text)), "PasswordChar");
}

// Scroll bars belong to multi-line text boxes only; each option sets or clears its bit.
Status HandleScrollBar(CCtrlDesc& control, const std::optional<Value>& value, std::int16_t bit) {
  if (!value) return kOk;
  CAttribute* attribute = control.GetAttribute();
  if (!attribute || attribute->GetEditStyle() != kMultiLineEditStyle) return kOk;
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

Status HandleMaxLength(CCtrlDesc& control, const std::optional<Value>& value) {
  if (!value) return kOk;
  long limit = NumberOf(*value);
  if (limit <= 0 || limit >= kMaxLengthLimit) return kOk;
  return control.AddProperty(Value::Short(static_cast<std::int16_t>(limit)), "MaxLength");
}

// Case conversion sets the edit style bit of the window when the form loads; the form
// declares the variable that holds the style once, however many text boxes convert.
Status HandleCase(CCtrlDesc& control, const std::optional<Value>& value) {
  CFormDesc* form = control.GetFormDesc();
  CEventDesc* load = form ? form->GetEvent("Load") : nullptr;
  if (!load) return kNoMemory;
  if (!value) return kOk;
  long conversion = NumberOf(*value);
  if (conversion != kUpperCase && conversion != kLowerCase) return kOk;
  if (!form->GWLFlagSet()) {
    load->AddDeclarations(CodeText().Line(1, "Dim lWindowStyle As Long").str());
    form->GWLFlagSet(1);
  }
  const std::string& ctrl = control.GetCtrlName();
  CodeText code;
  code.Line(1, "lWindowStyle = GetWindowLong(" + ctrl + ".hWnd, GWL_STYLE)")
      .Line(1, conversion == kUpperCase ? "lWindowStyle = lWindowStyle Or ES_UPPERCASE"
                                        : "lWindowStyle = lWindowStyle Or ES_LOWERCASE")
      .Line(1, "lWindowStyle = SetWindowLong(" + ctrl + ".hWnd, GWL_STYLE, lWindowStyle)");
  return AppendCode(load, kFirstSubEvent, code);
}

Status HandleBorder(CCtrlDesc& control, const std::optional<Value>& value) {
  if (!IsNumber(value, 0)) return kOk;
  return control.AddProperty(Value::Short(0), "BorderStyle");
}

Status HandleHideSelection(CCtrlDesc& control, const std::optional<Value>& value) {
  if (!IsNumber(value, 0)) return kOk;
  return control.AddProperty(Value::Short(0), "HideSelection");
}

// Left alignment unless the option says otherwise; the property is always written.
Status HandleAlignment(CCtrlDesc& control, const std::optional<Value>& value) {
  long alignment = value ? NumberOf(*value) - kFirstAlignment : 0;
  return control.AddProperty(Value::Short(static_cast<std::int16_t>(alignment)), "Alignment");
}

}  // namespace

const ESDESC CTextBoxCtrl::style_lookup[] = {
    {8, "ESESEL", HandleAutoSelect},
    {9, "ESEPWD", HandlePasswordChar},
    {10, "ESEHBR", HandleHorizontalScrollBar},
    {11, "ESEVBR", HandleVerticalScrollBar},
    {14, "ESELIM", HandleMaxLength},
    {15, "ESECAS", HandleCase},
    {16, "ESEBRD", HandleBorder},
    {17, "ESEHID", HandleHideSelection},
    {18, "ESEPOS", HandleAlignment},
    {-1, nullptr, nullptr},
};

Status CTextBoxCtrl::Init(std::uint16_t version, CFormDesc* form, CVisualizer* visualizer) {
  if (version == 0) return 1;
  if (!form) return 2;
  SetTables(col_prop_lookup, style_lookup);
  SetKindFlag(1);
  IsFocusCtrl(1);
  return CCtrlDesc::Init("TextBox", version, form, visualizer);
}

CEntityDesc* CTextBoxCtrl::GetEntityDesc() const {
  CVisualizer* visualizer = GetVisualizer();
  CAttribDesc* attribute = visualizer ? visualizer->GetAttribDesc() : nullptr;
  return attribute ? attribute->GetEntityDesc() : nullptr;
}

const std::string& CTextBoxCtrl::GetEntityName() const {
  static const std::string kNoEntity;
  CEntityDesc* entity = GetEntityDesc();
  return entity ? entity->GetEntityName() : kNoEntity;
}

Status CTextBoxCtrl::BindControl(CDataCtrl* data_ctrl, std::string_view field_name, int /*extra*/) {
  if (!data_ctrl) return kNullArgument;
  const std::string& ctrl = GetCtrlName();
  const std::string& data = data_ctrl->GetCtrlName();
  const std::string& entity = GetEntityName();
  CAttribute* attribute = GetAttribute();
  if (Status status = AddProperty(Value::String(data), "DataSource")) return status;
  if (Status status = AddProperty(Value::String(std::string(field_name)), "DataField")) {
    return status;
  }

  if (attribute && attribute->IsRequired()) {
    auto phys = TextProperty(attribute, "PHYSICAL_NAME");
    if (!phys) return kMissingProperty;
    CodeText check;
    check.Line(2, "If " + ctrl + ".Text = \"\" Then")
        .Line(3, "Beep")
        .Line(3, "MsgBox(\"" + *phys + " is a required field; record not saved!\")")
        .Line(3, "GoTo " + entity + "_BadData")
        .Line(2, "End If");
    if (Status status = AppendCode(data_ctrl->GetEvent("Validate"), kValidateChecks, check)) {
      return status;
    }
  }

  // The index only counts the entity's registered controls; the text box's code needs none.
  if (CEntityDesc* entity_desc = GetEntityDesc()) (void)entity_desc->GetNextRegCtrlIndex();

  CodeText edit_mode;
  edit_mode.Line(2, "tk_SetEditMode " + data);
  if (Status status = AppendCode(GetEvent("KeyPress"), kFirstSubEvent, edit_mode)) return status;

  if (!IsNumber(GetEditStyleProp("ESECOD"), 1)) return kOk;

  auto phys = TextProperty(attribute, "PHYSICAL_NAME");
  if (!phys) return kMissingProperty;
  bool reject_unknown = IsNumber(GetEditStyleProp("ESEVAL"), 1);
  std::string procedure_name = entity + "_SetToScreen";
  auto list_id = TextProperty(attribute, "VLD_LISTID");
  if (!list_id) return kMissingProperty;
  std::string list = *list_id;
  CFormDesc::ValidateString(list);
  list += "_List";
  const std::string field(field_name);

  // The typed display value becomes the stored value before the record is saved.
  CodeText to_data;
  to_data.Line(2, "sBuff = Trim(" + ctrl + ".Text)")
      .Line(2, "nResult = tk_GetDataValue(sBuff, " + list + "(), sValue)");
  if (reject_unknown) {
    to_data.Line(2, "If nResult = False Then")
        .Line(3, "Beep")
        .Line(3, "MsgBox(\"Not a valid value for field " + *phys + "; record not saved!\")")
        .Line(3, "GoTo " + entity + "_BadData")
        .Line(2, "End If");
  }
  to_data
      .Line(2, "nDFTransCount = tvkAddDisplayFieldTranslation(" + data + ", \"" + field +
                   "\", sValue, DisplayFieldTranslate(), nDFTransCount)")
      .Line(2, ctrl + ".DataChanged = False ' disable auto binding");
  if (Status status = AppendCode(data_ctrl->GetEvent("Validate"), kValidateChecks, to_data)) {
    return status;
  }

  // The stored value is shown as its display value whenever a record comes to the screen.
  CodeText to_display;
  to_display.Line(2, "If IsNull(" + data + ".Recordset.Fields(\"" + field + "\")) Then")
      .Line(3, "zTmpField = \"\"")
      .Line(2, "Else")
      .Line(3, "zTmpField = " + data + ".Recordset.Fields(\"" + field + "\")")
      .Line(2, "End If")
      .Line(2, "nResult = tk_GetDisplayValue(zTmpField, " + list + "(), sValue)")
      .Line(2, ctrl + ".Text = sValue");
  CFormDesc* form = GetFormDesc();
  return AppendCode(form ? form->GetProcedure(procedure_name) : nullptr, kFirstSubEvent,
                    to_display);
}

Status CTextBoxCtrl::AddControlRef(int* index) {
  if (!index) return kNullArgument;
  CFormDesc* form = GetFormDesc();
  CTimerCtrl* timer = form ? form->GetTimerCtrl() : nullptr;
  if (!timer) return kNoEvent;
  CodeText code;
  code.Line(
      1, "Set ax" + GetEntityName() + "_Ctrl(" + std::to_string(*index) + ") = " + GetCtrlName());
  if (Status status = AppendCode(timer->GetEvent("Timer"), kFirstSubEvent, code)) return status;
  ++*index;
  return kOk;
}

Status CTextBoxCtrl::DoEmptyIsNull() {
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
                   *phys + "\"))")
      .Line(2, "End If");
  return AppendCode(own_data_ctrl->GetEvent("Validate"), kValidateChecks, code);
}

}  // namespace tavik
