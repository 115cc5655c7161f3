// Generation of whole forms from synthetic models of growing size, in this process.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "model_generator.h"

namespace {

void GenerateForm(benchmark::State& state) {
  tavik::bench::ModelShape shape;
  shape.entities = static_cast<int>(state.range(0));
  shape.attributes = 10;
  auto dir = std::filesystem::temp_directory_path() / "tavik_bench";
  std::filesystem::create_directories(dir);
  std::string model = (dir / "model.json").string();
  {
    std::string text = tavik::bench::GenerateModel(shape);
    FILE* file = std::fopen(model.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
  }
  std::string output = (dir / "FORM.FRM").string();
  std::string settings = (dir / "TAVIK.INI").string();
  std::vector<const char*> argv = {
      "tavikfw",    "generate",       model.c_str(),       "--name", "Bench", "-o", output.c_str(),
      "--settings", settings.c_str(), "--on-entity-error", "stop"};
  // The program prints the form's path each time; keep it out of the report.
  std::fflush(stdout);
  int saved_stdout = dup(STDOUT_FILENO);
  int null_output = open("/dev/null", O_WRONLY);
  dup2(null_output, STDOUT_FILENO);
  for (auto _ : state) {
    int status = tavik::cli::CommandLine().Run(static_cast<int>(argv.size()), argv.data());
    if (status != 0) state.SkipWithError("generation failed");
  }
  std::fflush(stdout);
  dup2(saved_stdout, STDOUT_FILENO);
  close(null_output);
  close(saved_stdout);
  state.counters["form_bytes"] = static_cast<double>(std::filesystem::file_size(output));
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_mib"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
  state.SetComplexityN(state.range(0));
}

BENCHMARK(GenerateForm)
    ->RangeMultiplier(10)
    ->Range(10, 1000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

}  // namespace

BENCHMARK_MAIN();
