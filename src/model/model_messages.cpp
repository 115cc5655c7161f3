// Model-reading failures shown to the user.
#include "model/model_messages.h"

#include "platform/message_boxes.h"
#include "platform/platform.h"

namespace tavik {

void ShowModelError(std::string_view text) {
  if (auto* boxes = CurrentPlatform().message_boxes) boxes->ShowMessage(kModelErrorCaption, text);
}

}  // namespace tavik
