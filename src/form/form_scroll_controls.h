// The scroll panel and bars that a form larger than the screen gets for one output.
#pragma once

#include <memory>

#include "controls/ctrl_desc.h"
#include "form/form_desc.h"

namespace tavik {

struct CFormDesc::ScrollControls {
  std::unique_ptr<CCtrlDesc> panel;
  std::unique_ptr<CCtrlDesc> horizontal;
  std::unique_ptr<CCtrlDesc> vertical;
  float panel_height = 0.0f;
  float panel_width = 0.0f;
};

}  // namespace tavik
