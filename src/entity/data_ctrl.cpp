// The data control.
#include "entity/data_ctrl.h"

namespace tavik {

Status CDataCtrl::Init(std::uint16_t version, CFormDesc* form) {
  if (version == 0) return 1;
  if (!form) return 2;
  SetKindFlag(0);
  IsFocusCtrl(0);
  return CCtrlDesc::Init("Data", version, form, nullptr);
}

}  // namespace tavik
