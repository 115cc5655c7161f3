// Loading synthetic models through the model access library, alone and with one walk.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdint>
#include <string>

#include "model/property_list_reader.h"
#include "model_generator.h"
#include "tavikfw/brenlo.h"

namespace {

std::string ModelText(benchmark::State& state) {
  tavik::bench::ModelShape shape;
  shape.entities = static_cast<int>(state.range(0));
  shape.attributes = 10;
  return tavik::bench::GenerateModel(shape);
}

// A list's properties, read into values as the form generator reads them.
std::int64_t Properties(std::uint32_t list) {
  return tavik::PropertyListReader::ForEach(list, [](const tavik::ModelProperty&) { return true; });
}

// Every entity, its attributes and all their properties; the count keeps the walk from
// being optimised away.
std::int64_t WalkEntities() {
  std::int64_t count = 0;
  std::uint32_t attributes = 0;
  std::uint32_t properties = 0;
  for (int more = BR_GetFirstEntity(&attributes, &properties); more == 0;
       more = BR_GetNextEntity(&attributes, &properties)) {
    count += Properties(properties);
    std::uint32_t ignored = 0;
    std::uint32_t attribute_properties = 0;
    for (int a = BR_GetFirstAttribute(attributes, &ignored, &attribute_properties); a == 0;
         a = BR_GetNextAttribute(attributes, &ignored, &attribute_properties)) {
      count += Properties(attribute_properties);
    }
  }
  return count;
}

void ReportSizeAndMemory(benchmark::State& state, std::size_t text_size) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text_size));
  state.counters["model_bytes"] = static_cast<double>(text_size);
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_mib"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
  state.SetComplexityN(state.range(0));
}

void LoadModel(benchmark::State& state) {
  const std::string text = ModelText(state);
  for (auto _ : state) {
    std::uint32_t host_value = 0;
    if (BR_LoadModelText(text.data(), text.size(), &host_value) != BR_LOAD_OK) {
      state.SkipWithError(BR_LastLoadError());
      break;
    }
    BR_UnloadModel(host_value);
  }
  ReportSizeAndMemory(state, text.size());
}

void LoadAndWalkModel(benchmark::State& state) {
  const std::string text = ModelText(state);
  std::int64_t properties = 0;
  for (auto _ : state) {
    std::uint32_t host_value = 0;
    if (BR_LoadModelText(text.data(), text.size(), &host_value) != BR_LOAD_OK ||
        BR_Start(host_value, 1) != 1) {
      state.SkipWithError("the model did not load");
      break;
    }
    properties = WalkEntities();
    BR_Done();
    BR_UnloadModel(host_value);
  }
  state.counters["properties"] = static_cast<double>(properties);
  ReportSizeAndMemory(state, text.size());
}

// 10, 100 and 1,000 entities of 10 attributes.
void ModelSizes(benchmark::internal::Benchmark* sizes) {
  sizes->RangeMultiplier(10)->Range(10, 1000)->Unit(benchmark::kMillisecond)->Complexity();
}

BENCHMARK(LoadModel)->Apply(ModelSizes);
BENCHMARK(LoadAndWalkModel)->Apply(ModelSizes);

}  // namespace

BENCHMARK_MAIN();
