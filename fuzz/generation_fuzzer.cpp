// Fuzzes generation: model text that loads is turned into a form file, for either version of
// Visual Basic, with a user who accepts every question and fakes for fonts and settings.
#include <cstddef>
#include <cstdint>

#include "generation_run.h"
#include "tavikfw/brenlo.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::uint32_t host_value = 0;
  if (BR_LoadModelText(reinterpret_cast<const char*>(data), size, &host_value) != BR_LOAD_OK) {
    return 0;
  }
  tavik::fuzz::GenerateBothVersions(host_value);
  BR_UnloadModel(host_value);
  return 0;
}
