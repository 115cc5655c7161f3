// The visualizer allocators that a registered client receives, one per Visual Basic version.
#pragma once

#include <cstdint>

namespace tavik {

std::uint32_t AllocateVB3Visualizer(std::int32_t edit_style, void* object);
std::uint32_t AllocateVB4Visualizer(std::int32_t edit_style, void* object);

}  // namespace tavik
