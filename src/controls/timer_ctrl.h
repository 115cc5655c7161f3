// The form's timer: no size of its own, always at the origin of its group.
#pragma once

#include "controls/ctrl_desc.h"

namespace tavik {

class CTimerCtrl : public CCtrlDesc {
 public:
  // 1 for version 0, 2 for no form.
  [[nodiscard]] Status Init(std::uint16_t version, FormContext* form);
  [[nodiscard]] Status DoWidthHeight() override { return kOk; }
  [[nodiscard]] Status DoLayout(CCtrlPosItem& item, CCtrlGroup& group) override;
};

}  // namespace tavik
