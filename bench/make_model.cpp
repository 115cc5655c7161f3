// Writes a synthetic model file: make_model ENTITIES ATTRIBUTES [SEED] > model.json
#include <cstdio>
#include <cstdlib>

#include "model_generator.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: make_model ENTITIES ATTRIBUTES [SEED]\n");
    return 64;
  }
  tavik::bench::ModelShape shape;
  shape.entities = std::atoi(argv[1]);
  shape.attributes = std::atoi(argv[2]);
  if (argc > 3) shape.seed = static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 10));
  std::string model = tavik::bench::GenerateModel(shape);
  std::fwrite(model.data(), 1, model.size(), stdout);
  return 0;
}
