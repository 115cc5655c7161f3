// The timer control.
#include "controls/timer_ctrl.h"

#include "form/ctrl_pos_item.h"

namespace tavik {

namespace {
// Why the control could not be made: no version of Visual Basic asked for, or no form.
enum InitFault : Status { kNoVersion = 1, kNoForm = 2 };
}  // namespace

Status CTimerCtrl::Init(std::uint16_t version, FormContext* form) {
  if (version == 0) return kNoVersion;
  if (!form) return kNoForm;
  return CCtrlDesc::Init("Timer", version, form, nullptr);
}

Status CTimerCtrl::DoLayout(CCtrlPosItem& item, CCtrlGroup& /*group*/) {
  item.x = 0.0f;
  item.y = 0.0f;
  return kOk;
}

}  // namespace tavik
