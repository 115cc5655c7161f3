// The data-bound grid of version-4 forms, showing a whole entity bound to its data control.
#pragma once

#include <cstdint>

#include "controls/grid_ctrl.h"

namespace tavik {

class CDBGridCtrl : public CGridCtrl {
 public:
  // A "MSDBGrid.DBGrid" control; 4 for version 0, 5 for no form.
  [[nodiscard]] Status Init(std::uint16_t version, FormContext* form, CtrlMaker* maker);
};

}  // namespace tavik
