// The data control that backs one entity.
#pragma once

#include "controls/ctrl_desc.h"

namespace tavik {

class CDataCtrl : public CCtrlDesc {
 public:
  // 1 for version 0, 2 for no form.
  [[nodiscard]] Status Init(std::uint16_t version, CFormDesc* form);
};

}  // namespace tavik
