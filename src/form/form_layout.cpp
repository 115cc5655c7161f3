// Form layout: groups laid out row by row, placed on the form, the close button and timer.
#include <algorithm>
#include <vector>

#include "controls/data_ctrl.h"
#include "controls/timer_ctrl.h"
#include "entity/entity_desc.h"
#include "form/ctrl_pos_item.h"
#include "form/form_desc.h"
#include "form/vb_fragment.h"
#include "form/vb_name_maker.h"

namespace tavik {

void CFormDesc::LayoutGroup(CCtrlGroup& group) {
  bool after_container = false;
  for (const auto& item : group.GetItems()) {
    if (item->GetType() == CPosListItem::kControlItem) {
      auto& control_item = static_cast<CCtrlPosItem&>(*item);
      CCtrlDesc* control = control_item.GetCtrl();
      if (control->HasChildren()) after_container = true;
      // A control without a height keeps its place and leaves the row where it was.
      (void)control->DoLayout(control_item, group);
      continue;
    }
    auto& sub_group = static_cast<CCtrlGroup&>(*item);
    if (sub_group.GetCurrentY() == 0) sub_group.SetCurrentY(group.GetCurrentY());
    LayoutGroup(sub_group);
    // Below a container, the next row leaves a gap under the container's own rows.
    std::uint16_t below =
        after_container
            ? static_cast<std::uint16_t>(group.GetCurrentY() + sub_group.GetCurrentY() + 100)
            : sub_group.GetCurrentY();
    group.SetCurrentY(below);
  }
}

void CFormDesc::PlaceGroup(const CCtrlGroup& group, float origin_x, float origin_y) {
  bool after_container = false;
  for (const auto& item : group.GetItems()) {
    if (item->GetType() == CPosListItem::kGroupItem) {
      // A group behind a container control is placed relative to that container.
      if (after_container) {
        PlaceGroup(static_cast<const CCtrlGroup&>(*item), 0.0f, 0.0f);
      } else {
        PlaceGroup(static_cast<const CCtrlGroup&>(*item), origin_x, origin_y);
      }
      continue;
    }
    const auto& control_item = static_cast<const CCtrlPosItem&>(*item);
    CCtrlDesc* control = control_item.GetCtrl();
    if (control->HasChildren()) after_container = true;
    float left = group.x + origin_x + control_item.x;
    float top = group.y + origin_y + control_item.y;
    control->AddProperty(Value::Single(left), ctrl_props::kLeft);
    control->AddProperty(Value::Single(top), ctrl_props::kTop);
    if (const Value* width = control->FindProperty(ctrl_props::kWidth)) {
      right_edge_ = std::max(right_edge_, left + width->AsSingle());
    }
    if (const Value* height = control->FindProperty(ctrl_props::kHeight)) {
      bottom_edge_ = std::max(bottom_edge_, top + height->AsSingle());
    }
  }
}

void CFormDesc::StartPlacement(float left, float top) {
  placing_ = true;
  place_left_ = left;
  place_top_ = top;
  next_group_top_ = top;
  right_edge_ = left;
  bottom_edge_ = top;
}

void CFormDesc::PlaceNewGroups() {
  const auto& groups = control_group_->GetItems();
  for (auto group = last_placed_ ? std::next(*last_placed_) : groups.begin(); group != groups.end();
       ++group) {
    PlaceGroup(static_cast<const CCtrlGroup&>(**group), place_left_, next_group_top_);
    next_group_top_ = bottom_edge_ + 300.0f;
    last_placed_ = group;
  }
}

void CFormDesc::PlaceControls(float& width, float& height) {
  if (!placing_) StartPlacement(width, height);
  PlaceNewGroups();
  // A streamed form's entities had their buttons kept off as each was placed.
  if (!stream_past_) {
    for (const EntityRecord& record : GetEntityMap()) {
      KeepButtonsOffDataControl(static_cast<const CEntityDesc&>(*record.entity));
    }
  }
  width = right_edge_;
  height = bottom_edge_;
}

void CFormDesc::StreamControlsPast(float left, float top, float screen_width, float screen_height) {
  StartPlacement(left, top);
  stream_past_ = ScreenSize{screen_width, screen_height};
}

// As the run decides once every control is placed: the close button adds its room to the
// width, and the form scrolls where it is wider or higher than the screen.
bool CFormDesc::SureToScroll() const {
  float width = right_edge_;
  width += kCloseButtonRoom;
  return width > stream_past_->width || bottom_edge_ > stream_past_->height;
}

namespace {

float Placed(const CCtrlDesc& control, const SharedPropertyName& property) {
  const Value* value = control.FindProperty(property);
  return value ? value->AsSingle() : 0.0f;
}

bool Overlap(const CCtrlDesc& a, const CCtrlDesc& b) {
  using ctrl_props::kHeight, ctrl_props::kLeft, ctrl_props::kTop, ctrl_props::kWidth;
  return Placed(a, kLeft) < Placed(b, kLeft) + Placed(b, kWidth) &&
         Placed(b, kLeft) < Placed(a, kLeft) + Placed(a, kWidth) &&
         Placed(a, kTop) < Placed(b, kTop) + Placed(b, kHeight) &&
         Placed(b, kTop) < Placed(a, kTop) + Placed(a, kHeight);
}

}  // namespace

void CFormDesc::KeepButtonsOffDataControl(const CEntityDesc& entity) {
  const CCtrlDesc* data = entity.GetDataCtrl();
  std::vector<CCtrlDesc*> buttons;
  for (const char* caption : {"New", "Update", "Delete"}) {
    if (CCtrlDesc* button = entity.GetButton(caption)) buttons.push_back(button);
  }
  if (!data || std::none_of(buttons.begin(), buttons.end(),
                            [data](const CCtrlDesc* button) { return Overlap(*data, *button); })) {
    return;
  }
  const float left = Placed(*data, ctrl_props::kLeft) + Placed(*data, ctrl_props::kWidth) + 100.0f;
  for (CCtrlDesc* button : buttons) {
    button->AddProperty(Value::Single(left), ctrl_props::kLeft);
    right_edge_ = std::max(right_edge_, left + Placed(*button, ctrl_props::kWidth));
  }
}

Status CFormDesc::AddCloseButton(float& width, float& top) {
  auto button = std::make_unique<CCtrlDesc>();
  if (Status status = button->Init("CommandButton", version_, this, nullptr)) return status;
  std::string name = VbNameMaker::CloseButtonName(form_name_, version_);
  button->SetCtrlName(name);
  button->AddProperty(Value::String(name), "Name");
  button->SetCtrlHandle(GetCurrCtrlHandle());
  CCtrlDesc* close = button.get();
  (void)SetCtrl(std::move(button));  // SetCtrl answers kOk always
  close->AddProperty(Value::Short(static_cast<std::int16_t>(GetCurrTabIndex())), "TabIndex");
  CEventDesc* click = close->GetEvent("Click");
  if (!click) return kNoEvent;
  click->Append(SubEvent::kMain, SubEventSlot::kBody, VbFragment(R"(
        On Error GoTo cmdClose_ErrorHandler
        Unload Me
        Exit Sub

    cmdClose_ErrorHandler:
    Resume Next
    )"),
                SubEventPlacement::kFirst);
  close->AddProperty(Value::Single(400.0f), "Height");
  close->AddProperty(Value::Single(1100.0f), "Width");
  close->AddProperty(Value::Single(width + 100.0f), "Left");
  width += kCloseButtonRoom;
  close->AddProperty(Value::Single(top), "Top");
  top += 400.0f;
  close->AddProperty(Value::String("Close"), "Caption");
  return kOk;
}

CTimerCtrl* CFormDesc::CreateTimer() {
  auto timer = std::make_unique<CTimerCtrl>();
  if (timer->Init(version_, this) != kOk) return nullptr;
  timer->SetCtrlName("tvkTimer");
  timer->AddProperty(Value::String("tvkTimer"), "Name");
  timer->AddProperty(Value::Short(100), "Interval");
  timer->AddProperty(Value::Short(0), "Enabled");
  timer->SetCtrlHandle(GetCurrCtrlHandle());
  timer->SetDrawFlag(1);
  timer_ = timer.get();
  (void)SetCtrl(std::move(timer));  // as above
  return timer_;
}

Status CFormDesc::AddTimer(CTimerCtrl* timer) {
  if (!timer) return kNullArgument;
  auto group = std::make_unique<CCtrlGroup>(3, 0.0f, 0.0f);
  auto item = std::make_unique<CCtrlPosItem>(timer, 0, 0.0f, 0.0f);
  item->column = 1;
  if (Status status = group->AddItem(std::move(item))) return status;
  return control_group_->AddItem(std::move(group));
}

}  // namespace tavik
