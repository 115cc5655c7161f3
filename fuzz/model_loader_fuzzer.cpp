// Fuzzes the model loader: any bytes either load and serve every list, or are refused;
// the quick reader and the reference reader give the same model or the same message.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "brenlo/model_parser.h"
#include "tavikfw/brenlo.h"

namespace {

// Walks every property of a list, as the model reader does.
void ServeProperties(std::uint32_t property_list) {
  std::uint32_t ignored = 0;
  const char* group = nullptr;
  const char* name = nullptr;
  const char* type = nullptr;
  std::int32_t number = 0;
  const char* text = nullptr;
  for (int result =
           BR_GetFirstProperty(property_list, &ignored, &group, &name, &type, &number, &text);
       result == 0;
       result = BR_GetNextProperty(property_list, &ignored, &group, &name, &type, &number, &text)) {
  }
  const BR_PropertyView* views = nullptr;
  std::uint32_t count = 0;
  BR_GetPropertyList(property_list, &views, &count);
}

void CompareReaders(std::string_view text) {
  using tavik::brenlo::ModelParser;
  const ModelParser::Outcome quick = ModelParser::ParseWithQuickReader(text, "m");
  const ModelParser::Outcome reference = ModelParser::ParseWithReferenceReader(text, "m");
  const bool same_model = quick.model && reference.model ? *quick.model == *reference.model
                                                         : quick.model == reference.model;
  if (!same_model || quick.error != reference.error) std::abort();
}

void ServeModel() {
  std::uint32_t attributes = 0;
  std::uint32_t properties = 0;
  for (int link = BR_GetFirstLink(&attributes, &properties); link == 0;
       link = BR_GetNextLink(&attributes, &properties)) {
    ServeProperties(properties);
    std::uint32_t ignored = 0;
    std::uint32_t id = 0;
    for (int a = BR_GetFirstLinkAttrib(attributes, &ignored, &id); a == 0;
         a = BR_GetNextLinkAttrib(attributes, &ignored, &id)) {
    }
  }
  for (int entity = BR_GetFirstEntity(&attributes, &properties); entity == 0;
       entity = BR_GetNextEntity(&attributes, &properties)) {
    ServeProperties(properties);
    std::uint32_t ignored = 0;
    std::uint32_t attribute_properties = 0;
    for (int a = BR_GetFirstAttribute(attributes, &ignored, &attribute_properties); a == 0;
         a = BR_GetNextAttribute(attributes, &ignored, &attribute_properties)) {
      ServeProperties(attribute_properties);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CompareReaders(std::string_view(reinterpret_cast<const char*>(data), size));
  std::uint32_t host_value = 0;
  if (BR_LoadModelText(reinterpret_cast<const char*>(data), size, &host_value) != BR_LOAD_OK) {
    return 0;
  }
  if (BR_Start(host_value, 1) == 1) ServeModel();
  BR_Done();
  BR_UnloadModel(host_value);
  return 0;
}
