// The grid control base.
#include "controls/grid_ctrl.h"

#include <algorithm>

#include "controls/data_ctrl.h"

namespace tavik {

namespace {
// Why the control could not be made: no version of Visual Basic asked for, or no form.
enum InitFault : Status { kNoVersion = 4, kNoForm = 5 };
}  // namespace

namespace {

constexpr float kColumnWidth = 1440.0f;
constexpr float kExtraWidth = 750.0f;
constexpr float kMaxWidth = 8470.0f;
constexpr float kHeight = 1250.0f;

}  // namespace

Status CGridCtrl::Init(const char* class_name, std::uint16_t version, FormContext* form,
                       CtrlMaker* maker) {
  if (version == 0) return kNoVersion;
  if (!form) return kNoForm;
  SetKindFlag(0);
  IsFocusCtrl(1);
  current_column_ = 1;
  return CCtrlDesc::Init(class_name, version, form, maker);
}

Status CGridCtrl::DoWidthHeight() {
  float width = std::min(static_cast<float>(column_count_) * kColumnWidth + kExtraWidth, kMaxWidth);
  if (Status status = AddProperty(Value::Single(width), "Width")) return status;
  return AddProperty(Value::Single(kHeight), "Height");
}

Status CGridCtrl::BindControl(CDataCtrl* data_ctrl, std::string_view /*field_name*/,
                              int /*extra*/) {
  if (!data_ctrl) return kNullArgument;
  return AddProperty(Value::String(data_ctrl->GetCtrlName()), "DataSource");
}

}  // namespace tavik
