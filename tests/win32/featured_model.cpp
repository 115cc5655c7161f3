// Writes a model with the record features the command line's options ask for, so that a host
// of the library, whose dialog has no fields for them, is given the same model the command
// line generates from:
//   tavikfw_featured_model MODEL OUTPUT [--position] [--find] [--cancel] [--order T=C]...
//                          [--lookup T=C]...
// Exit 0, or 1 with the reason on standard error.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "project/record_features.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fputs("usage: tavikfw_featured_model MODEL OUTPUT [OPTION]...\n", stderr);
    return 1;
  }
  tavik::project::RecordFeatures features;
  std::vector<std::string> lookups;
  std::vector<std::string> orders;
  for (int at = 3; at < argc; ++at) {
    const std::string option = argv[at];
    features.position = features.position || option == "--position";
    features.find = features.find || option == "--find";
    features.cancel = features.cancel || option == "--cancel";
    if ((option == "--order" || option == "--lookup") && at + 1 < argc) {
      (option == "--order" ? orders : lookups).emplace_back(argv[++at]);
    }
  }
  std::ifstream in(argv[1], std::ios::binary);
  auto model = nlohmann::ordered_json::parse(in, nullptr, false);
  std::string fault = model.is_object() ? features.TakeTableColumns(lookups, orders)
                                        : std::string("the model cannot be read");
  if (fault.empty()) fault = features.AddTo(model);
  if (!fault.empty()) {
    std::fprintf(stderr, "tavikfw_featured_model: %s\n", fault.c_str());
    return 1;
  }
  std::ofstream(argv[2], std::ios::binary) << model.dump();
  return 0;
}
