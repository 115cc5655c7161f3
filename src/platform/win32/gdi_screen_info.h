// The screen as Windows reports it.
#pragma once

#include "platform/screen_info.h"

namespace tavik {

// The usable full-screen client area from the system metrics, and the logical pixels per
// inch of the device context of the active window, asked afresh on every call.
class GdiScreenInfo : public ScreenInfo {
 public:
  ScreenMetrics Metrics() override;
};

}  // namespace tavik
