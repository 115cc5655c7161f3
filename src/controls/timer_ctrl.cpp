// The timer control.
#include "controls/timer_ctrl.h"

#include "form/ctrl_pos_item.h"

namespace tavik {

Status CTimerCtrl::Init(std::uint16_t version, CFormDesc* form) {
  if (version == 0) return 1;
  if (!form) return 2;
  return CCtrlDesc::Init("Timer", version, form, nullptr);
}

Status CTimerCtrl::DoLayout(CCtrlPosItem& item, CCtrlGroup& /*group*/) {
  item.x = 0.0f;
  item.y = 0.0f;
  return kOk;
}

}  // namespace tavik
