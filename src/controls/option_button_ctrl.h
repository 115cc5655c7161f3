// The option button of an option group, one per entry of an attribute's valid-value list.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "controls/state_button_ctrl.h"

namespace tavik {

class COptionButtonCtrl : public CStateButtonCtrl {
 public:
  // Edit-style options: text on the left of the button, three-dimensional look.
  static const ESDESC style_lookup[];

  // 1 for version 0, 2 for no form. The button takes no focus of its own in the entity's
  // first-focus search.
  [[nodiscard]] Status Init(std::uint16_t version, FormContext* form, CtrlMaker* maker);

  // A button binds only with the data value it stands for: without one the result is 4.
  [[nodiscard]] Status BindControl(CDataCtrl* data_ctrl, std::string_view field_name,
                                   int extra) override;
  // Adds the button's case to both translations of the group and its Click handler, which
  // marks the record as edited; 4 without a value, 3 when an event cannot be had.
  [[nodiscard]] Status BindControl(CDataCtrl* data_ctrl, std::string_view field_name,
                                   std::optional<std::string_view> value);

  // The buttons of a row stand side by side; the last column of a row moves on to the next.
  [[nodiscard]] Status DoLayout(CCtrlPosItem& item, CCtrlGroup& group) override;

  // The three-dimensional look: a separate button class without a back colour.
  [[nodiscard]] Status Make3D() override;
};

class COptionButton4Ctrl : public COptionButtonCtrl {
 public:
  // The standard button draws itself three-dimensional.
  [[nodiscard]] Status Make3D() override { return DrawThreeD(); }
};

}  // namespace tavik
