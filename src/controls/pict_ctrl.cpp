// The picture box control.
#include "controls/pict_ctrl.h"

#include <cstdint>

#include "controls/data_ctrl.h"
#include "controls/option_handlers.h"

namespace tavik {

namespace {
// Why the control could not be made: no version of Visual Basic asked for, or no form.
enum InitFault : Status { kNoVersion = 1, kNoForm = 2 };
}  // namespace

namespace {

constexpr float kDefaultWidth = 1400.0f;
constexpr float kDefaultHeight = 900.0f;
constexpr long kLastDrawMode = 16;
constexpr long kCopyPen = 13;
constexpr long kLastDrawStyle = 6;
constexpr long kLastDrawWidth = 32767;

// A setting that is always written: the option inside [first, last], else the fallback.
template <PropertyName kName, long kFirst, long kLast, long kFallback>
Status RangedOption(CCtrlDesc& control, const std::optional<Value>& value) {
  long setting = value ? NumberOf(*value) : kFallback;
  return AddShort(control, setting >= kFirst && setting <= kLast ? setting : kFallback,
                  kName.View());
}

// The edit style's size in twips, when it holds one.
std::optional<float> StyleSize(const CCtrlDesc& control, std::string_view name) {
  auto value = control.GetEditStyleProp(name);
  if (!HasText(value)) return std::nullopt;
  return static_cast<float>(NumberOf(*value));
}

}  // namespace

const ESDESC CPictCtrl::style_lookup[] = {
    {39, "ESPALN", RangedOption<"Align", 1, 2, 0>},
    {40, "ESPAUR", SwitchOption<"AutoRedraw">},
    {41, "ESPAUS", SwitchOption<"AutoSize">},
    {42, "ESPBRD", OffOption<"BorderStyle">},
    {43, "ESPCLP", SwitchOption<"ClipControls">},
    {44, "ESPDRM", RangedOption<"DrawMode", 1, kLastDrawMode, kCopyPen>},
    {45, "ESPDRS", RangedOption<"DrawStyle", 1, kLastDrawStyle, 0>},
    {46, "ESPDRW", RangedOption<"DrawWidth", 1, kLastDrawWidth, 1>},
    {-1, nullptr, nullptr},
};

Status CPictCtrl::Init(std::uint16_t version, FormContext* form, CtrlMaker* maker) {
  if (version == 0) return kNoVersion;
  if (!form) return kNoForm;
  SetTables(col_prop_lookup, style_lookup);
  SetKindFlag(1);
  IsFocusCtrl(0);
  return CCtrlDesc::Init("PictureBox", version, form, maker);
}

Status CPictCtrl::DoWidthHeight() {
  return AddStyleSize(*this, kDefaultWidth, kDefaultHeight);
}

Status CPictCtrl::BindControl(CDataCtrl* data_ctrl, std::string_view field_name, int /*extra*/) {
  return AddDataBinding(*this, data_ctrl, field_name);
}

Status AddStyleSize(CCtrlDesc& control, float default_width, float default_height) {
  float width = StyleSize(control, "ES_WDT").value_or(default_width);
  float height = StyleSize(control, "ES_HGT").value_or(default_height);
  if (Status status = control.AddProperty(Value::Single(width), "Width")) return status;
  if (Status status = control.AddProperty(Value::Single(height), "Height")) return status;
  return kOk;
}

Status AddDataBinding(CCtrlDesc& control, CDataCtrl* data_ctrl, std::string_view field_name) {
  if (!data_ctrl) return kNullArgument;
  if (Status status = control.AddProperty(Value::String(data_ctrl->GetCtrlName()), "DataSource")) {
    return status;
  }
  return control.AddProperty(Value::String(std::string(field_name)), "DataField");
}

}  // namespace tavik
