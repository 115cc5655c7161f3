// A message-box fake that records every box shown and answers every question Yes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/message_boxes.h"

namespace tavik::testing {

class RecordingMessageBoxes : public MessageBoxes {
 public:
  struct Shown {
    std::string caption;
    std::string text;
    bool operator==(const Shown&) const = default;
  };

  void ShowMessage(std::string_view caption, std::string_view text) override {
    shown.push_back({std::string(caption), std::string(text)});
  }
  // Every question is answered Yes.
  bool AskYesNo(std::string_view /*caption*/, std::string_view /*text*/) override { return true; }

  // The texts of the plain boxes, in order.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& box : shown) texts.push_back(box.text);
    return texts;
  }

  std::vector<Shown> shown;
};

}  // namespace tavik::testing
