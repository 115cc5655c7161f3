// The spreadsheet grid of version-3 forms, showing a whole entity bound to its data control.
#pragma once

#include <cstdint>

#include "controls/grid_ctrl.h"

namespace tavik {

class CFarPointGridCtrl : public CGridCtrl {
 public:
  // A "SpreadSheet" control; 4 for version 0, 5 for no form.
  [[nodiscard]] Status Init(std::uint16_t version, FormContext* form, CtrlMaker* maker);
};

}  // namespace tavik
