// The spreadsheet grid control.
#include "controls/far_point_grid_ctrl.h"

namespace tavik {

Status CFarPointGridCtrl::Init(std::uint16_t version, FormContext* form, CtrlMaker* maker) {
  return CGridCtrl::Init("SpreadSheet", version, form, maker);
}

}  // namespace tavik
