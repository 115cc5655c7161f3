// Writes synthetic models: N entities of M attributes in master/detail chains.
#pragma once

#include <cstdint>
#include <string>

namespace tavik::bench {

struct ModelShape {
  int entities = 10;
  int attributes = 10;
  // Each entity after the first of a chain is the child of the one before it.
  int chain_length = 3;
  // Instead of chains: every entity after the first is a child of the first.
  bool star = false;
  std::uint32_t seed = 1;
};

// The model file text (JSON) for the shape; the same shape and seed give the same text.
std::string GenerateModel(const ModelShape& shape);

}  // namespace tavik::bench
