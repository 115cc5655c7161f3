// The masked edit control.
#include "controls/mask_ed_ctrl.h"

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "controls/timer_ctrl.h"
#include "entity/attrib_desc.h"
#include "entity/data_ctrl.h"
#include "entity/entity_desc.h"
#include "form/code_text.h"
#include "form/form_desc.h"

namespace tavik {

namespace {

constexpr std::int32_t kValidateChecks = 2;
constexpr std::int32_t kFirstSubEvent = 0;
constexpr int kBody = 1;
// The mask control takes at most 64 characters.
constexpr long kMaxLengthLimit = 65;
constexpr int kPromptRoom = 2;

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

// The mask of the edit-style group, when there is a non-empty one.
std::optional<std::string> MaskOf(const std::optional<Value>& value) {
  if (!value || !value->IsString() || value->AsString().empty()) return std::nullopt;
  return value->AsString();
}

Status HandleMask(CCtrlDesc& control, const std::optional<Value>& value) {
  auto mask = MaskOf(value);
  if (!mask) return kOk;
  return control.AddProperty(Value::String(*mask), "Mask");
}

Status NoEffect(CCtrlDesc& /*control*/, const std::optional<Value>& /*value*/) {
  return kOk;
}

Status HandleHideSelection(CCtrlDesc& control, const std::optional<Value>& value) {
  if (!IsNumber(value, 0)) return kOk;
  return control.AddProperty(Value::Short(0), "HideSelection");
}

Status HandleMaxLength(CCtrlDesc& control, const std::optional<Value>& value) {
  if (!value) return kOk;
  long limit = NumberOf(*value);
  if (limit <= 0 || limit >= kMaxLengthLimit) return kOk;
  return control.AddProperty(Value::Short(static_cast<std::int16_t>(limit)), "MaxLength");
}

Status HandlePromptChar(CCtrlDesc& control, const std::optional<Value>& value) {
  if (!value) return kOk;
  // A one-character text is the character itself; anything else is its character code.
  char character = 0;
  if (value->IsString() && value->AsString().size() == 1) {
    character = value->AsString()[0];
  } else {
    character = static_cast<char>(NumberOf(*value));
  }
  std::string text = character == '\0' ? std::string() : std::string(1, character);
  return control.AddProperty(Value::String(std::move(text)), "PromptChar");
}

Status HandlePromptInclude(CCtrlDesc& control, const std::optional<Value>& value) {
  if (!IsNumber(value, 0)) return kOk;
  return control.AddProperty(Value::Short(0), "PromptInclude");
}

}  // namespace

const ESDESC CMaskEdCtrl::style_lookup[] = {
    {2, "ESMMSK", HandleMask},
    {3, "ESMFMT", NoEffect},
    {4, "ESMSEL", HandleHideSelection},
    {5, "ESMLIM", HandleMaxLength},
    {6, "ESMPCH", HandlePromptChar},
    {7, "ESMPIN", HandlePromptInclude},
    {-1, nullptr, nullptr},
};

Status CMaskEdCtrl::Init(std::uint16_t version, CFormDesc* form, CVisualizer* visualizer) {
  if (version == 0) return 4;
  if (!form) return 5;
  SetTables(col_prop_lookup, style_lookup);
  SetKindFlag(1);
  IsFocusCtrl(1);
  return CCtrlDesc::Init("MaskEdBox", version, form, visualizer);
}

CEntityDesc* CMaskEdCtrl::GetEntityDesc() const {
  CVisualizer* visualizer = GetVisualizer();
  CAttribDesc* attribute = visualizer ? visualizer->GetAttribDesc() : nullptr;
  return attribute ? attribute->GetEntityDesc() : nullptr;
}

const std::string& CMaskEdCtrl::GetEntityName() const {
  static const std::string kNoEntity;
  CEntityDesc* entity = GetEntityDesc();
  return entity ? entity->GetEntityName() : kNoEntity;
}

int CMaskEdCtrl::CalcCharWidth() {
  auto mask = MaskOf(GetEditStyleProp("ESMMSK"));
  int characters = mask ? static_cast<int>(mask->size()) : CCtrlDesc::CalcCharWidth();
  return characters + kPromptRoom;
}

Status CMaskEdCtrl::BindControl(CDataCtrl* data_ctrl, std::string_view field_name, int /*extra*/) {
  if (!data_ctrl) return kNullArgument;
  const std::string& ctrl = GetCtrlName();
  const std::string& data = data_ctrl->GetCtrlName();
  const std::string& entity = GetEntityName();
  const std::string field(field_name);
  CAttribute* attribute = GetAttribute();
  if (Status status = AddProperty(Value::String(data), "DataSource")) return status;
  if (Status status = AddProperty(Value::String(field), "DataField")) return status;

  auto phys = TextProperty(attribute, "PHYSICAL_NAME");
  if (!phys) return kMissingProperty;

  if (attribute->IsRequired()) {
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

  // The index only counts the entity's registered controls; the box's code needs none.
  if (CEntityDesc* entity_desc = GetEntityDesc()) (void)entity_desc->GetNextRegCtrlIndex();

  CodeText edit_mode;
  edit_mode.Line(2, "tk_SetEditMode " + data);
  if (Status status = AppendCode(GetEvent("KeyPress"), kFirstSubEvent, edit_mode)) return status;

  std::optional<std::string> list;
  if (auto list_id = TextProperty(attribute, "VLD_LISTID")) {
    list = *list_id;
    CFormDesc::ValidateString(*list);
    *list += "_List";
  }

  // The mask is taken off while the stored value is put in, so that any value shows.
  CodeText to_display;
  to_display.Line(2, "If IsNull(" + data + ".Recordset.Fields(\"" + field + "\")) Then")
      .Line(3, "zTmpField = \"\"")
      .Line(2, "Else")
      .Line(3, "zTmpField = " + data + ".Recordset.Fields(\"" + field + "\")")
      .Line(2, "End If");
  if (list) {
    to_display.Line(2, "nResult = tk_GetDisplayValue(zTmpField, " + *list + "()" + ", sValue)");
  } else {
    to_display.Line(2, "sValue = Trim(zTmpField)");
  }
  to_display.Line(2, "sMask = " + ctrl + ".Mask")
      .Line(2, ctrl + ".Mask = \"\"")
      .Line(2, ctrl + ".Text = sValue")
      .Line(2, ctrl + ".Mask = sMask");
  CFormDesc* form = GetFormDesc();
  if (Status status = AppendCode(form ? form->GetProcedure(entity + "_SetToScreen") : nullptr,
                                 kFirstSubEvent, to_display)) {
    return status;
  }

  // Translation of the typed value needs a valid-value list to translate through.
  if (!IsNumber(GetEditStyleProp("ESMSPN"), 1) || !list) return kOk;
  bool reject_unknown = IsNumber(GetEditStyleProp("ESMCOD"), 1);
  CodeText to_data;
  to_data.Line(2, "sBuff = Trim(" + ctrl + ".Text)")
      .Line(2, "nResult = tk_GetDataValue(sBuff, " + *list + "(), sValue)");
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
  return AppendCode(data_ctrl->GetEvent("Validate"), kValidateChecks, to_data);
}

Status CMaskEdCtrl::AddControlRef(int* index) {
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

Status CMaskEdCtrl::DoEmptyIsNull() {
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
