// The frame control.
#include "controls/frame_ctrl.h"

#include "form/ctrl_group.h"
#include "form/ctrl_pos_item.h"

namespace tavik {

namespace {
// Why the frame could not be made (no version of Visual Basic, no form) or laid out.
enum InitFault : Status { kNoVersion = 4, kNoForm = 5, kNoHeight = 4 };
}  // namespace

Status CFrameCtrl::Init(std::uint16_t version, FormContext* form, CtrlMaker* maker) {
  if (version == 0) return kNoVersion;
  if (!form) return kNoForm;
  return CCtrlDesc::Init("Frame", version, form, maker);
}

Status CFrameCtrl::DoLayout(CCtrlPosItem& item, CCtrlGroup& group) {
  item.x = group.GetColumnPosition(item.column);
  item.y = static_cast<float>(group.GetCurrentY());
  if (!GetProperty("Height")) return kNoHeight;
  group.SetCurrentY(static_cast<std::uint16_t>(group.GetCurrentY() + 50));
  return kOk;
}

}  // namespace tavik
