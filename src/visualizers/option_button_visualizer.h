// The visualizers that show an attribute as a group of option buttons inside a frame.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "controls/ctrl_desc.h"
#include "visualizers/attrib_visualizer.h"

namespace tavik {

class CNxPropertySection;
class COptionButtonCtrl;

class COptionButtonVisualizer : public CAttribVisualizer {
 public:
  [[nodiscard]] Status Init(CAttribDesc* attribute) {
    return CVisualizer::Init(kOptionButton, attribute);
  }
  // The buttons come from the edit style's valid-value list only; 4 when it has none.
  [[nodiscard]] Status DetermineValidationList() override;
  // The frame "opg" + base name in column 1, its label, and one button "ob" + base name +
  // number per entry of the valid-value list, so many to a row; 4 without a list.
  [[nodiscard]] Status CreateControls() override;
  // The display-to-field translation in the data control's Validate event, the
  // field-to-display translation in the entity's _SetToScreen procedure, and a Click
  // handler per button.
  [[nodiscard]] Status DoBinding() override;

  // The number of buttons made.
  std::int32_t GetOptionCount() const { return option_count_; }

 protected:
  using ButtonFactory = std::unique_ptr<COptionButtonCtrl> (*)();
  // The controls of both versions, with buttons of the class the factory makes.
  [[nodiscard]] Status CreateOptionGroup(ButtonFactory make_button);

 private:
  // The form's list named by "VLD_LISTID", or none.
  CNxPropertySection* FindValidValueList() const;
  // Open and close the group's two Select Case blocks around the buttons' cases.
  [[nodiscard]] Status BindGroupInit(const CDataCtrl& data_ctrl, CEventDesc& validate,
                                     const std::string& phys);
  [[nodiscard]] Status BindGroupComplete(const CDataCtrl& data_ctrl, CEventDesc& validate,
                                         const std::string& phys,
                                         const std::vector<ChildEntry>& buttons);

  std::int32_t option_count_ = 0;
};

class COptionButton4Visualizer : public COptionButtonVisualizer {
 public:
  [[nodiscard]] Status CreateControls() override;
};

}  // namespace tavik
