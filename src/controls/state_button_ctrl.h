// The base of the captioned buttons that show a state: the check box and the option button.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "controls/ctrl_desc.h"
#include "form/event_desc.h"

namespace tavik {

class CStateButtonCtrl : public CCtrlDesc {
 public:
  // Measured by the caption when it has one.
  std::optional<std::string> GetWidthSample() override;
  // Room for the button in front of the caption.
  std::uint16_t AdjustCtrlWidth(std::uint16_t width) override;

  // The three-dimensional look of the form's version.
  [[nodiscard]] virtual Status Make3D() = 0;

 protected:
  // Edit-style options both share: the text on the left, the three-dimensional look.
  static Status HandleLeftText(CCtrlDesc& control, const std::optional<Value>& value);
  static Status HandleThreeD(CCtrlDesc& control, const std::optional<Value>& value);

  // Appends code to a body piece: new sub-events go last, text after what is there; 3
  // without the event.
  [[nodiscard]] static Status AppendCode(CEventDesc* event, SubEvent sub_event,
                                         std::string_view code);

  // Version 3 has separate three-dimensional controls, which draw their own background.
  [[nodiscard]] Status UseThreeDClass(const char* class_name);
  // Version 4 draws its own buttons in three dimensions.
  [[nodiscard]] Status DrawThreeD();
};

}  // namespace tavik
