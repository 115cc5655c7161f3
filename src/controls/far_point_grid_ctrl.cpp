// The spreadsheet grid control.
#include "controls/far_point_grid_ctrl.h"

namespace tavik {

Status CFarPointGridCtrl::Init(std::uint16_t version, FormContext* form, CVisualizer* visualizer) {
  return CGridCtrl::Init("SpreadSheet", version, form, visualizer);
}

}  // namespace tavik
