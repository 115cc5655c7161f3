// The gauge that shows an attribute's number, set in code whenever the record changes.
#pragma once

#include "controls/ctrl_desc.h"

namespace tavik {

class CGaugeCtrl : public CCtrlDesc {
 public:
  // Edit-style options: inner margins, range, needle width, style, picture and sizing.
  static const ESDESC style_lookup[];

  // 4 for version 0, 5 for no form.
  [[nodiscard]] Status Init(std::uint16_t version, FormContext* form, CtrlMaker* maker);
  // The edit style's size, else 960 by 720 twips; nothing is measured.
  [[nodiscard]] Status DoWidthHeight() override;
  // Not bound by properties: the data control's "Reposition" event sets the gauge's value
  // from the field.
  [[nodiscard]] Status BindControl(CDataCtrl* data_ctrl, std::string_view field_name,
                                   int extra) override;
};

}  // namespace tavik
