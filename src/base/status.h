// The unsigned statuses that operations return, with names for the common ones.
#pragma once

namespace tavik {

using Status = unsigned;

inline constexpr Status kOk = 0;
inline constexpr Status kNoMemory = 1;
inline constexpr Status kMissingProperty = 2;  // a required model property missing or empty
inline constexpr Status kNoEvent = 3;          // an event, procedure or button not to be had
inline constexpr Status kNullArgument = 4;     // a null argument or a missing list

}  // namespace tavik
