// The library's C entry points: no exception ever crosses them.
#include <new>

#include "host/forward_engineering_run.h"
#include "host/registry.h"
#include "tavikfw/tavikfw.h"

namespace {

// Runs body; a failed allocation becomes status 1 and anything else unexpected the given value.
template <typename Result, typename Body>
Result Guarded(Result on_failure, Body body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return static_cast<Result>(1);
  } catch (...) {
    return on_failure;
  }
}

}  // namespace

extern "C" {

TAVIKFW_API uint32_t DoForwardEngineering(uint32_t host_value, uint16_t version) {
  return Guarded<uint32_t>(1,
                           [&] { return tavik::ForwardEngineeringRun(host_value, version).Run(); });
}

TAVIKFW_API uintptr_t TvkCurrentProcess(void) {
  return tavik::Registry::CurrentProcess();
}

TAVIKFW_API int32_t RegisterClient(CClntDesc* client) {
  return Guarded<int32_t>(
      0, [&] { return tavik::Registry::Instance().RegisterClient(client) ? 1 : 0; });
}

TAVIKFW_API int32_t UnRegisterClient(uintptr_t process) {
  return Guarded<int32_t>(
      0, [&] { return tavik::Registry::Instance().UnRegisterClient(process) ? 1 : 0; });
}

}  // extern "C"
