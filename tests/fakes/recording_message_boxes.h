// A message-box fake that records every box shown and answers Yes/No from a script.
#pragma once

#include <deque>
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
  // Answers from the script in order; Yes once the script is used up.
  bool AskYesNo(std::string_view caption, std::string_view text) override {
    asked.push_back({std::string(caption), std::string(text)});
    if (answers.empty()) return true;
    bool answer = answers.front();
    answers.pop_front();
    return answer;
  }

  // The texts of the plain boxes, in order.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& box : shown) texts.push_back(box.text);
    return texts;
  }

  std::vector<Shown> shown;
  std::vector<Shown> asked;
  std::deque<bool> answers;
};

}  // namespace tavik::testing
