// The label control.
#include "controls/label_ctrl.h"

#include "form/ctrl_group.h"
#include "form/ctrl_pos_item.h"

namespace tavik {

namespace {
// Why the control could not be made: no version of Visual Basic asked for, or no form.
enum InitFault : Status { kNoVersion = 1, kNoForm = 2 };
}  // namespace

Status CLabelCtrl::Init(std::uint16_t version, FormContext* form, CtrlMaker* maker) {
  if (version == 0) return kNoVersion;
  if (!form) return kNoForm;
  return CCtrlDesc::Init("Label", version, form, maker);
}

// The caption is measured where it is held, not through a copy.
Status CLabelCtrl::DoWidthHeight() {
  const Value* caption = FindProperty(ctrl_props::kCaption);
  if (!caption || caption->AsString().empty()) return CCtrlDesc::DoWidthHeight(0);
  return DoWidthHeightOf(caption->AsString(), 0);
}

std::optional<std::string> CLabelCtrl::GetWidthSample() {
  const Value* caption = FindProperty(ctrl_props::kCaption);
  if (!caption || caption->AsString().empty()) return std::nullopt;
  return std::string(caption->AsString());
}

std::uint16_t CLabelCtrl::AdjustCtrlWidth(std::uint16_t width) {
  return static_cast<std::uint16_t>((width / 100 + 1) * 100);
}

Status CLabelCtrl::DoLayout(CCtrlPosItem& item, CCtrlGroup& group) {
  item.x = group.GetColumnPosition(item.column);
  item.y = static_cast<float>(group.GetCurrentY());
  return kOk;
}

}  // namespace tavik
