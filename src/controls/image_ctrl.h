// The image bound to an attribute's column: a picture without colours or focus.
#pragma once

#include "controls/ctrl_desc.h"

namespace tavik {

class CImageCtrl : public CCtrlDesc {
 public:
  // Edit-style option: the border.
  static const ESDESC style_lookup[];

  // 1 for version 0, 2 for no form. The image writes neither "BackColor" nor "ForeColor".
  [[nodiscard]] Status Init(std::uint16_t version, FormContext* form, CtrlMaker* maker);
  // The edit style's size, else 1400 by 900 twips; nothing is measured.
  [[nodiscard]] Status DoWidthHeight() override;
  // "DataSource" and "DataField"; no code.
  [[nodiscard]] Status BindControl(CDataCtrl* data_ctrl, std::string_view field_name,
                                   int extra) override;
};

}  // namespace tavik
