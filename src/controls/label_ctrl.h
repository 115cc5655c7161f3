// The label that names an attribute's control and shares its row.
#pragma once

#include "controls/ctrl_desc.h"

namespace tavik {

class CLabelCtrl : public CCtrlDesc {
 public:
  // 1 for version 0, 2 for no form.
  [[nodiscard]] Status Init(std::uint16_t version, FormContext* form, CtrlMaker* maker);
  // Measured, never sized by the edit style, which belongs to the attribute's main control.
  [[nodiscard]] Status DoWidthHeight() override;
  std::optional<std::string> GetWidthSample() override;
  // The next multiple of 100 twips strictly above the width.
  std::uint16_t AdjustCtrlWidth(std::uint16_t width) override;
  [[nodiscard]] Status DoLayout(CCtrlPosItem& item, CCtrlGroup& group) override;
};

}  // namespace tavik
