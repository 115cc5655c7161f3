// The message box in which the model reader reports a failure.
#pragma once

#include <string_view>

namespace tavik {

inline constexpr std::string_view kModelErrorCaption = "Tavik Form Wizard Error";

// Shows text with the caption "Tavik Form Wizard Error" and an OK button.
void ShowModelError(std::string_view text);

}  // namespace tavik
