// The masked edit control.
#include "controls/mask_ed_ctrl.h"

#include <cstdint>
#include <optional>
#include <string>

#include "controls/data_ctrl.h"
#include "controls/option_handlers.h"
#include "form/form_context.h"
#include "form/vb_fragment.h"
#include "model/attribute.h"

namespace tavik {

namespace {
// Why the control could not be made: no version of Visual Basic asked for, or no form.
enum InitFault : Status { kNoVersion = 4, kNoForm = 5 };
}  // namespace

namespace {

// The mask control takes at most 64 characters.
constexpr long kMaxLengthLimit = 65;
constexpr int kPromptRoom = 2;

// A text option of the edit-style group (the mask, the format), when it is not empty.
std::optional<std::string> NonEmptyText(const std::optional<Value>& value) {
  if (!value || !value->IsString() || value->AsString().empty()) return std::nullopt;
  return std::string(value->AsString());
}

Status HandleMask(CCtrlDesc& control, const std::optional<Value>& value) {
  auto mask = NonEmptyText(value);
  if (!mask) return kOk;
  return control.AddProperty(Value::String(*mask), "Mask");
}

// The format the box shows its value in when it does not have the focus.
Status HandleDisplayFormat(CCtrlDesc& control, const std::optional<Value>& value) {
  auto format = NonEmptyText(value);
  if (!format) return kOk;
  return control.AddProperty(Value::String(*format), "Format");
}

Status NoEffect(CCtrlDesc& /*control*/, const std::optional<Value>& /*value*/) {
  return kOk;
}

Status HandlePromptChar(CCtrlDesc& control, const std::optional<Value>& value) {
  return AddCharacter(control, value, "PromptChar");
}

}  // namespace

const ESDESC CMaskEdCtrl::style_lookup[] = {
    {2, "ESMMSK", HandleMask},
    {3, "ESMFMT", NoEffect},
    {8, "ESMDFM", HandleDisplayFormat},
    {4, "ESMSEL", OffOption<"HideSelection">},
    {5, "ESMLIM", PositiveOption<"MaxLength", kMaxLengthLimit>},
    {6, "ESMPCH", HandlePromptChar},
    {7, "ESMPIN", OffOption<"PromptInclude">},
    {-1, nullptr, nullptr},
};

Status CMaskEdCtrl::Init(std::uint16_t version, FormContext* form, CtrlMaker* maker) {
  if (version == 0) return kNoVersion;
  if (!form) return kNoForm;
  SetTables(col_prop_lookup, style_lookup);
  SetKindFlag(1);
  IsFocusCtrl(1);
  return CCtrlDesc::Init("MaskEdBox", version, form, maker);
}

int CMaskEdCtrl::CalcCharWidth() {
  auto mask = NonEmptyText(GetEditStyleProp("ESMMSK"));
  int characters = mask ? static_cast<int>(mask->size()) : CCtrlDesc::CalcCharWidth();
  return characters + kPromptRoom;
}

Status CMaskEdCtrl::BindControl(CDataCtrl* data_ctrl, std::string_view field_name, int /*extra*/) {
  if (!data_ctrl) return kNullArgument;
  const std::string& ctrl = GetCtrlName();
  CAttribute* attribute = GetAttribute();
  if (Status status = BindToField(*data_ctrl, field_name)) return status;

  auto phys = TextProperty(attribute, "PHYSICAL_NAME");
  if (!phys) return kMissingProperty;
  if (attribute->IsRequired()) {
    if (Status status = AddRequiredCheck(*data_ctrl, *phys)) return status;
  }
  if (Status status = AddDefaultFill(*data_ctrl)) return status;
  if (Status status = AddEditModeSwitch(*data_ctrl)) return status;
  if (Status status = AddRuleCheck(*data_ctrl, *phys)) return status;

  std::optional<std::string> list;
  if (auto list_id = TextProperty(attribute, "VLD_LISTID")) list = ListArrayName(*list_id);

  // The mask is taken off while the stored value is put in, so that any value shows.
  const std::string to_value =
      list ? "nResult = tk_GetDisplayValue(zTmpField, " + *list + "(), sValue)"
           : "sValue = Trim(zTmpField)";
  if (Status status =
          AppendToSetToScreen(VbFragment(R"(
            $read_field$
            $to_value$
            sMask = $ctrl$.Mask
            $ctrl$.Mask = ""
            $ctrl$.Text = sValue
            $ctrl$.Mask = sMask
    )",
                                         {{"read_field", data_ctrl->ReadFieldCode(field_name)},
                                          {"to_value", to_value},
                                          {"ctrl", ctrl}}))) {
    return status;
  }

  // Translation of the typed value needs a valid-value list to translate through.
  if (!IsNumber(GetEditStyleProp("ESMSPN"), 1) || !list) return kOk;
  bool reject_unknown = IsNumber(GetEditStyleProp("ESMCOD"), 1);
  return AddTranslationToData(*data_ctrl, field_name, *list, *phys, reject_unknown);
}

}  // namespace tavik
