// One generation of a loaded model for both versions, as the generation fuzzers run it.
#pragma once

#include <cstdint>

namespace tavik::fuzz {

// Generates the model of host_value into a form file for a version-3 and a version-4 client,
// with a user who accepts every question and fakes for fonts, settings and screen. The form
// files go to a folder of the process's own under the temporary folder, removed at exit.
void GenerateBothVersions(std::uint32_t host_value);

}  // namespace tavik::fuzz
