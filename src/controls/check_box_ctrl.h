// The check box that switches an attribute between the two values of its valid-value list.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "controls/state_button_ctrl.h"

namespace tavik {

class CCheckBoxCtrl : public CStateButtonCtrl {
 public:
  // Edit-style options: text on the left and the three-dimensional look.
  static const ESDESC style_lookup[];

  // 1 for version 0, 2 for no form.
  [[nodiscard]] Status Init(std::uint16_t version, FormContext* form, CtrlMaker* maker);

  // Translation between the box's state and the list's first (checked) and second
  // (unchecked) values, "Y" and "N" where the list has none; edit mode on click. 2 for no
  // "Validate" event or an entry without a text value, 3 for another event not to be had.
  [[nodiscard]] Status BindControl(CDataCtrl* data_ctrl, std::string_view field_name,
                                   int extra) override;
  // The check box's entry in the entity's control array, set up by the form's timer.
  [[nodiscard]] Status AddControlRef(int* index) override;

  // The separate three-dimensional check box class.
  [[nodiscard]] Status Make3D() override;

 private:
  // A column default that is one of the box's two values: a new record's box shows it, and
  // a box left grayed stores it.
  [[nodiscard]] Status AddDefault(CEventDesc* validate, std::string_view field_value,
                                  std::string_view checked, std::string_view unchecked);
};

// Version 4 draws its own check box in three dimensions.
class CCheckBox4Ctrl : public CCheckBoxCtrl {
 public:
  [[nodiscard]] Status Make3D() override { return DrawThreeD(); }
};

}  // namespace tavik
