// One control placed in a layout group.
#pragma once

#include "form/pos_list_item.h"

namespace tavik {

class CCtrlDesc;

class CCtrlPosItem : public CPosListItem {
 public:
  CCtrlPosItem(CCtrlDesc* control, std::int32_t item_order, float item_x, float item_y)
      : CPosListItem(kControlItem), control_(control) {
    order = item_order;
    x = item_x;
    y = item_y;
  }
  CCtrlDesc* GetCtrl() const { return control_; }

 private:
  CCtrlDesc* control_;  // owned by the form's control list
};

}  // namespace tavik
