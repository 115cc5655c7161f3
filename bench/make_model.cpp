// Writes a synthetic model file: make_model ENTITIES ATTRIBUTES [SEED [CHAIN]] > model.json
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "model_generator.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr,
                 "usage: make_model ENTITIES ATTRIBUTES [SEED [CHAIN]]\n"
                 "CHAIN: entities per master/detail chain (3); 0: all children of the first\n");
    return 64;
  }
  tavik::bench::ModelShape shape;
  shape.entities = std::atoi(argv[1]);
  shape.attributes = std::atoi(argv[2]);
  if (argc > 3) shape.seed = static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 10));
  if (argc > 4) {
    shape.chain_length = std::max(std::atoi(argv[4]), 1);
    shape.star = std::atoi(argv[4]) == 0;
  }
  std::string model = tavik::bench::GenerateModel(shape);
  std::fwrite(model.data(), 1, model.size(), stdout);
  return 0;
}
