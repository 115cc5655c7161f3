// Captioned state buttons: sizing, the shared options and the three-dimensional look.
#include "controls/state_button_ctrl.h"

#include "controls/option_handlers.h"
#include "form/code_text.h"

namespace tavik {

namespace {

constexpr std::uint16_t kButtonRoom = 250;

}  // namespace

std::optional<std::string> CStateButtonCtrl::GetWidthSample() {
  auto caption = GetProperty("Caption");
  if (!caption) return std::nullopt;
  return caption->Text();
}

std::uint16_t CStateButtonCtrl::AdjustCtrlWidth(std::uint16_t width) {
  return static_cast<std::uint16_t>(width + kButtonRoom);
}

Status CStateButtonCtrl::HandleLeftText(CCtrlDesc& control, const std::optional<Value>& value) {
  if (!IsNumber(value, 1)) return kOk;
  return control.AddProperty(Value::Short(1), "Alignment");
}

Status CStateButtonCtrl::HandleThreeD(CCtrlDesc& control, const std::optional<Value>& value) {
  if (!IsNumber(value, 1)) return kOk;
  auto* button = dynamic_cast<CStateButtonCtrl*>(&control);
  return button ? button->Make3D() : kOk;
}

Status CStateButtonCtrl::AppendCode(CEventDesc* event, SubEvent sub_event, std::string_view code) {
  if (!event) return kNoEvent;
  event->Append(sub_event, SubEventSlot::kBody, code);
  return kOk;
}

Status CStateButtonCtrl::UseThreeDClass(const char* class_name) {
  if (Status status = SetClassName(class_name)) return status;
  SetColorsMask(static_cast<std::uint16_t>(GetColorsMask() & ~kWriteBackColor));
  return kOk;
}

Status CStateButtonCtrl::DrawThreeD() {
  return AddProperty(Value::Short(1), "Appearance");
}

}  // namespace tavik
