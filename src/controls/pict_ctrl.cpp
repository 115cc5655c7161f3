// The picture box control.
#include "controls/pict_ctrl.h"

#include <cstdint>
#include <cstdlib>

#include "entity/data_ctrl.h"

namespace tavik {

namespace {

constexpr float kDefaultWidth = 1400.0f;
constexpr float kDefaultHeight = 900.0f;
constexpr long kLastDrawMode = 16;
constexpr std::int16_t kCopyPen = 13;
constexpr long kLastDrawStyle = 6;
constexpr long kLastDrawWidth = 32767;

// The number a model option holds; options may come as numbers or as their text.
long NumberOf(const Value& value) {
  if (value.IsString()) return std::strtol(value.AsString().c_str(), nullptr, 10);
  return static_cast<long>(value.AsInteger());
}

// The option's number, or none when the option is absent.
std::optional<long> Option(const std::optional<Value>& value) {
  if (!value) return std::nullopt;
  return NumberOf(*value);
}

Status AddShort(CCtrlDesc& control, long value, std::string_view name) {
  return control.AddProperty(Value::Short(static_cast<std::int16_t>(value)), name);
}

// A switch that is always written: True for 1, False otherwise.
Status AddSwitch(CCtrlDesc& control, const std::optional<Value>& value, std::string_view name) {
  return AddShort(control, Option(value) == 1 ? -1 : 0, name);
}

// A setting that is always written: the option inside [first, last], else the fallback.
Status AddRanged(CCtrlDesc& control, const std::optional<Value>& value, long first, long last,
                 long fallback, std::string_view name) {
  long setting = Option(value).value_or(fallback);
  return AddShort(control, setting >= first && setting <= last ? setting : fallback, name);
}

Status HandleAlign(CCtrlDesc& control, const std::optional<Value>& value) {
  return AddRanged(control, value, 1, 2, 0, "Align");
}

Status HandleAutoRedraw(CCtrlDesc& control, const std::optional<Value>& value) {
  return AddSwitch(control, value, "AutoRedraw");
}

Status HandleAutoSize(CCtrlDesc& control, const std::optional<Value>& value) {
  return AddSwitch(control, value, "AutoSize");
}

Status HandleBorder(CCtrlDesc& control, const std::optional<Value>& value) {
  if (Option(value) != 0) return kOk;
  return AddShort(control, 0, "BorderStyle");
}

Status HandleClipControls(CCtrlDesc& control, const std::optional<Value>& value) {
  return AddSwitch(control, value, "ClipControls");
}

Status HandleDrawMode(CCtrlDesc& control, const std::optional<Value>& value) {
  return AddRanged(control, value, 1, kLastDrawMode, kCopyPen, "DrawMode");
}

Status HandleDrawStyle(CCtrlDesc& control, const std::optional<Value>& value) {
  return AddRanged(control, value, 1, kLastDrawStyle, 0, "DrawStyle");
}

Status HandleDrawWidth(CCtrlDesc& control, const std::optional<Value>& value) {
  return AddRanged(control, value, 1, kLastDrawWidth, 1, "DrawWidth");
}

// The edit style's size in twips, when it holds one.
std::optional<float> StyleSize(const CCtrlDesc& control, std::string_view name) {
  auto value = control.GetEditStyleProp(name);
  if (!value || value->Text().empty()) return std::nullopt;
  return static_cast<float>(NumberOf(*value));
}

}  // namespace

const ESDESC CPictCtrl::style_lookup[] = {
    {39, "ESPALN", HandleAlign},
    {40, "ESPAUR", HandleAutoRedraw},
    {41, "ESPAUS", HandleAutoSize},
    {42, "ESPBRD", HandleBorder},
    {43, "ESPCLP", HandleClipControls},
    {44, "ESPDRM", HandleDrawMode},
    {45, "ESPDRS", HandleDrawStyle},
    {46, "ESPDRW", HandleDrawWidth},
    {-1, nullptr, nullptr},
};

Status CPictCtrl::Init(std::uint16_t version, CFormDesc* form, CVisualizer* visualizer) {
  if (version == 0) return 1;
  if (!form) return 2;
  SetTables(col_prop_lookup, style_lookup);
  SetKindFlag(1);
  IsFocusCtrl(0);
  return CCtrlDesc::Init("PictureBox", version, form, visualizer);
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
