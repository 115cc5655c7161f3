// The unsigned statuses that operations return, with names for the ones every operation shares.
#pragma once

#include <cstdint>

namespace tavik {

using Status = unsigned;

// Every operation gives these numbers these meanings. An operation's own faults are numbered
// from 2 up beside it, as an enum of its own over Status, and the same number means a
// different fault in different operations: what a caller passes on unchanged is the number.
enum CommonStatus : Status {
  kOk = 0,
  kNoMemory = 1,
  kMissingProperty = 2,  // a required model property missing or empty
  kNoEvent = 3,          // an event, procedure or button not to be had
  kNullArgument = 4,     // a null argument or a missing list
};

// The registry's and the data reader's answers to a client: 1 for success, 0 for failure.
enum RegistryAnswer : std::int32_t { kRegistryFailed = 0, kRegistryDone = 1 };

}  // namespace tavik
