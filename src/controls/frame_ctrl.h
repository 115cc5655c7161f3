// The frame that encloses a group of option buttons.
#pragma once

#include "controls/ctrl_desc.h"

namespace tavik {

class CFrameCtrl : public CCtrlDesc {
 public:
  // 4 for version 0, 5 for no form.
  [[nodiscard]] Status Init(std::uint16_t version, FormContext* form, CtrlMaker* maker);
  // The frame's own height is not added: its buttons advance the rows.
  [[nodiscard]] Status DoLayout(CCtrlPosItem& item, CCtrlGroup& group) override;
};

}  // namespace tavik
