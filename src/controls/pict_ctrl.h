// The picture box bound to an attribute's column, and the sizing the display controls share.
#pragma once

#include "controls/ctrl_desc.h"

namespace tavik {

class CPictCtrl : public CCtrlDesc {
 public:
  // Edit-style options: alignment, redrawing, sizing, border, clipping and drawing.
  static const ESDESC style_lookup[];

  // 1 for version 0, 2 for no form.
  [[nodiscard]] Status Init(std::uint16_t version, FormContext* form, CtrlMaker* maker);
  // The edit style's size, else 1400 by 900 twips; nothing is measured.
  [[nodiscard]] Status DoWidthHeight() override;
  // "DataSource" and "DataField"; no code.
  [[nodiscard]] Status BindControl(CDataCtrl* data_ctrl, std::string_view field_name,
                                   int extra) override;
};

// "Width" and "Height" of a control that is not measured: the edit style's "ES_WDT" and
// "ES_HGT" where they hold a number, else the defaults.
[[nodiscard]] Status AddStyleSize(CCtrlDesc& control, float default_width, float default_height);

// Binds a display control by "DataSource" and "DataField".
[[nodiscard]] Status AddDataBinding(CCtrlDesc& control, CDataCtrl* data_ctrl,
                                    std::string_view field_name);

}  // namespace tavik
