// The data-bound grid control.
#include "controls/db_grid_ctrl.h"

namespace tavik {

Status CDBGridCtrl::Init(std::uint16_t version, FormContext* form, CVisualizer* visualizer) {
  return CGridCtrl::Init("MSDBGrid.DBGrid", version, form, visualizer);
}

}  // namespace tavik
