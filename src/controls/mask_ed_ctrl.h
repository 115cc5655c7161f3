// The masked edit box: a bound text field with an input mask.
#pragma once

#include <string>

#include "controls/bound_field_ctrl.h"

namespace tavik {

class CMaskEdCtrl : public CBoundFieldCtrl {
 public:
  // Edit-style options: mask, format, selection hiding, length limit, prompt character and
  // whether the prompt characters belong to the text.
  static const ESDESC style_lookup[];

  // 4 for version 0, 5 for no form.
  [[nodiscard]] Status Init(std::uint16_t version, FormContext* form, CtrlMaker* maker);

  // Binds to the field and adds the required check, the edit-mode switch, the code that
  // shows a stored value through the mask and, when asked for, the translation of the
  // typed value into the stored one; 2 for a missing PHYSICAL_NAME.
  [[nodiscard]] Status BindControl(CDataCtrl* data_ctrl, std::string_view field_name,
                                   int extra) override;
  // As many characters as the mask has, else as the column's type asks for, and two more.
  int CalcCharWidth() override;
};

}  // namespace tavik
