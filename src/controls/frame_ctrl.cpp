// The frame control.
#include "controls/frame_ctrl.h"

#include "form/ctrl_group.h"
#include "form/ctrl_pos_item.h"

namespace tavik {

Status CFrameCtrl::Init(std::uint16_t version, CFormDesc* form, CVisualizer* visualizer) {
  if (version == 0) return 4;
  if (!form) return 5;
  return CCtrlDesc::Init("Frame", version, form, visualizer);
}

Status CFrameCtrl::DoLayout(CCtrlPosItem& item, CCtrlGroup& group) {
  item.x = group.GetColumnPosition(item.column);
  item.y = static_cast<float>(group.GetCurrentY());
  if (!GetProperty("Height")) return 4;
  group.SetCurrentY(static_cast<std::uint16_t>(group.GetCurrentY() + 50));
  return kOk;
}

}  // namespace tavik
