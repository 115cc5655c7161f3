// An Access input mask in the masked edit control's mask language.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavik::import {

class AccessInputMask {
 public:
  struct Translated {
    std::string mask;
    std::string prompt;  // the placeholder character, when the mask names one
    std::string lost;    // what the masked edit cannot do of the mask, or empty
  };

  // Nothing for a mask the masked edit has no equivalent of (a password mask).
  static std::optional<Translated> Translate(std::string_view access_mask);
};

}  // namespace tavik::import
