// Visualizer allocation by edit style; no edit style has a visualizer yet.
#include "visualizers/visualizer_allocators.h"

#include "model/status.h"

namespace tavik {

std::uint32_t AllocateVB3Visualizer(std::int32_t /*edit_style*/, void* object) {
  return object ? kNoEvent : kNullArgument;
}

std::uint32_t AllocateVB4Visualizer(std::int32_t /*edit_style*/, void* object) {
  return object ? kNoEvent : kNullArgument;
}

}  // namespace tavik
