// The data-bound grid control.
#include "controls/db_grid_ctrl.h"

namespace tavik {

Status CDBGridCtrl::Init(std::uint16_t version, FormContext* form, CtrlMaker* maker) {
  return CGridCtrl::Init("MSDBGrid.DBGrid", version, form, maker);
}

}  // namespace tavik
