// The text box bound to an attribute's column, with its edit-style options and its code.
#pragma once

#include "controls/bound_field_ctrl.h"

namespace tavik {

class CTextBoxCtrl : public CBoundFieldCtrl {
 public:
  // Edit-style options: auto-select, password character, scroll bars, length limit, case
  // conversion, border, selection hiding and alignment.
  static const ESDESC style_lookup[];

  // 1 for version 0, 2 for no form.
  [[nodiscard]] Status Init(std::uint16_t version, FormContext* form, CtrlMaker* maker);

  // Binds to the field and adds the required check, the edit-mode switch and, for coded
  // values, the translation between display and stored values; 2 for a missing
  // PHYSICAL_NAME or VLD_LISTID, with what came before left in place.
  [[nodiscard]] Status BindControl(CDataCtrl* data_ctrl, std::string_view field_name,
                                   int extra) override;

 private:
  // A column shown in a format ("ESEFMT"), as a text box has no format of its own: each
  // record comes to the screen formatted, and the checks and the save see the value, a box
  // not typed in giving back the field's and a number typed as shown losing its format.
  [[nodiscard]] Status AddDisplayFormat(CDataCtrl& data_ctrl, std::string_view field_name);
};

}  // namespace tavik
