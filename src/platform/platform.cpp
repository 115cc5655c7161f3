// The platform services in force, and their installation for a scope.
#include "platform/platform.h"

#include "platform/default_platform.h"

namespace tavik {

Platform& CurrentPlatform() {
  static Platform current = DefaultPlatform();
  return current;
}

ScopedPlatform::ScopedPlatform(const Platform& platform) : previous_(CurrentPlatform()) {
  CurrentPlatform() = platform;
}

ScopedPlatform::~ScopedPlatform() {
  CurrentPlatform() = previous_;
}

}  // namespace tavik
