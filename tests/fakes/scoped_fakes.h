// Installs fake message boxes and a fake text measurer over the platform in force.
#pragma once

#include "fakes/fixed_text_measurer.h"
#include "fakes/recording_message_boxes.h"
#include "platform/platform.h"

namespace tavik::testing {

// The other services (screen, settings) stay those in force.
class ScopedFakes {
 public:
  ScopedFakes() : scope_(WithFakes(this)) {}

  RecordingMessageBoxes message_boxes;
  FixedTextMeasurer text_measurer;

 private:
  static Platform WithFakes(ScopedFakes* self) {
    Platform platform = CurrentPlatform();
    platform.message_boxes = &self->message_boxes;
    platform.text_measurer = &self->text_measurer;
    return platform;
  }

  ScopedPlatform scope_;
};

}  // namespace tavik::testing
