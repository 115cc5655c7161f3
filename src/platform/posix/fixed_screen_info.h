// A screen of configured size and pixels per inch, for systems without one to ask.
#pragma once

#include "platform/screen_info.h"

namespace tavik {

class FixedScreenInfo : public ScreenInfo {
 public:
  explicit FixedScreenInfo(ScreenMetrics metrics = {}) : metrics_(metrics) {}
  ScreenMetrics Metrics() override { return metrics_; }
  void SetMetrics(const ScreenMetrics& metrics) { metrics_ = metrics; }

 private:
  ScreenMetrics metrics_;
};

}  // namespace tavik
