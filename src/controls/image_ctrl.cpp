// The image control.
#include "controls/image_ctrl.h"

#include "controls/option_handlers.h"
#include "controls/pict_ctrl.h"

namespace tavik {

namespace {
// Why the control could not be made: no version of Visual Basic asked for, or no form.
enum InitFault : Status { kNoVersion = 1, kNoForm = 2 };
}  // namespace

namespace {

constexpr float kDefaultWidth = 1400.0f;
constexpr float kDefaultHeight = 900.0f;
// Colours the image has none of: only the bits above BackColor and ForeColor stay.
constexpr std::uint16_t kNoColors = 0xC;

Status HandleBorder(CCtrlDesc& control, const std::optional<Value>& value) {
  if (!IsNumber(value, 1)) return kOk;
  return control.AddProperty(Value::Short(1), "BorderStyle");
}

}  // namespace

const ESDESC CImageCtrl::style_lookup[] = {
    {47, "ESIBRD", HandleBorder},
    {-1, nullptr, nullptr},
};

Status CImageCtrl::Init(std::uint16_t version, FormContext* form, CtrlMaker* maker) {
  if (version == 0) return kNoVersion;
  if (!form) return kNoForm;
  SetTables(col_prop_lookup, style_lookup);
  SetKindFlag(1);
  IsFocusCtrl(0);
  SetColorsMask(GetColorsMask() & kNoColors);
  return CCtrlDesc::Init("Image", version, form, maker);
}

Status CImageCtrl::DoWidthHeight() {
  return AddStyleSize(*this, kDefaultWidth, kDefaultHeight);
}

Status CImageCtrl::BindControl(CDataCtrl* data_ctrl, std::string_view field_name, int /*extra*/) {
  return AddDataBinding(*this, data_ctrl, field_name);
}

}  // namespace tavik
