// The colour names a modeller may choose, as Visual Basic colour numbers.
#pragma once

#include <cstdint>
#include <string_view>

namespace tavik {

inline constexpr std::int32_t kNoColor = -1;

// Exact, case-sensitive lookup; kNoColor for any other text.
std::int32_t ColorFromName(std::string_view name);

}  // namespace tavik
