// The list box control.
#include "controls/list_box_ctrl.h"

#include <cstdint>

#include "controls/combo_box_ctrl.h"
#include "controls/option_handlers.h"

namespace tavik {

namespace {
// Why the control could not be made: no version of Visual Basic asked for, or no form.
enum InitFault : Status { kNoVersion = 1, kNoForm = 2 };
}  // namespace

namespace {

constexpr float kListLines = 4.0f;
constexpr float kColumnMargin = 100.0f;

Status HandleSorted(CCtrlDesc& control, const std::optional<Value>& value) {
  if (!value || NumberOf(*value) != 1) return kOk;
  return control.AddProperty(Value::Short(-1), "Sorted");
}

Status HandleMultiSelect(CCtrlDesc& control, const std::optional<Value>& value) {
  if (!value || NumberOf(*value) == 0) return kOk;
  return control.AddProperty(Value::Short(2), "MultiSelect");
}

// Each column is as wide as the measured list, less its margin.
Status HandleColumns(CCtrlDesc& control, const std::optional<Value>& value) {
  if (!value) return kOk;
  long columns = NumberOf(*value);
  if (columns == 0) return kOk;
  if (Status status =
          control.AddProperty(Value::Short(static_cast<std::int16_t>(columns)), "Columns")) {
    return status;
  }
  auto width = control.GetProperty("Width");
  if (!width) return kOk;
  return control.AddProperty(
      Value::Single((width->AsSingle() - kColumnMargin) * static_cast<float>(columns)), "Width");
}

}  // namespace

const ESDESC CListBoxCtrl::style_lookup[] = {
    {22, "ESLSRT", HandleSorted},
    {24, "ESLMUL", HandleMultiSelect},
    {25, "ESLCOL", HandleColumns},
    {-1, nullptr, nullptr},
};

Status CListBoxCtrl::Init(std::uint16_t version, FormContext* form, CtrlMaker* maker) {
  if (version == 0) return kNoVersion;
  if (!form) return kNoForm;
  SetTables(col_prop_lookup, style_lookup);
  SetKindFlag(0);
  IsFocusCtrl(1);
  return CCtrlDesc::Init("ListBox", version, form, maker);
}

Status CListBoxCtrl::SetupList(std::string_view list_name) {
  return list_controls::AddListLoading(*this, list_name);
}

Status CListBoxCtrl::BindControl(CDataCtrl* data_ctrl, std::string_view field_name, int /*extra*/) {
  static constexpr list_controls::ListBinding kListBinding{
      .key_press = false, .empty = ".ListIndex = -1", .reject = "ESEVAL"};
  return list_controls::BindListControl(*this, data_ctrl, field_name, kListBinding);
}

Status CListBoxCtrl::DoWidthHeight() {
  if (Status status = CCtrlDesc::DoWidthHeight(1)) return status;
  // An empty height in the edit style counts as none here, unlike the combo box's style.
  auto style_height = GetEditStyleProp("ES_HGT");
  if (HasText(style_height)) return kOk;
  auto height = GetProperty("Height");
  if (!height) return kOk;
  return AddProperty(Value::Single(height->AsSingle() * kListLines), "Height");
}

std::optional<std::string> CListBoxCtrl::GetWidthSample() {
  return list_controls::LongestEntryName(*this);
}

std::uint16_t CListBoxCtrl::AdjustCtrlWidth(std::uint16_t width) {
  return static_cast<std::uint16_t>((width / 100 + 1) * 100);
}

}  // namespace tavik
