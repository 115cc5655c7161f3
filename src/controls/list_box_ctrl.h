// The list box that shows the entries of an attribute's valid-value list.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "controls/ctrl_desc.h"

namespace tavik {

class CListBoxCtrl : public CCtrlDesc {
 public:
  // Edit-style options: sorting, multiple selection and columns.
  static const ESDESC style_lookup[];

  // 1 for version 0, 2 for no form.
  [[nodiscard]] Status Init(std::uint16_t version, FormContext* form, CtrlMaker* maker);

  // Fills the list box from the list array named list_name + "_List" when the form loads.
  [[nodiscard]] Status SetupList(std::string_view list_name);

  // Edit mode on click, the required check and the translation between the chosen entry
  // and the field; 2 for a missing PHYSICAL_NAME or VLD_LISTID, 3 for an event not to be
  // had, 4 for an attribute without entity.
  [[nodiscard]] Status BindControl(CDataCtrl* data_ctrl, std::string_view field_name,
                                   int extra) override;
  // Four lines tall unless the edit style gives the height.
  [[nodiscard]] Status DoWidthHeight() override;
  // Measured by the longest entry of the list.
  std::optional<std::string> GetWidthSample() override;
  // The next multiple of 100 twips strictly above the width.
  std::uint16_t AdjustCtrlWidth(std::uint16_t width) override;
};

}  // namespace tavik
