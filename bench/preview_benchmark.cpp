// Pictures of forms of growing size, and of a caption of growing length, as PNG files.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "model_generator.h"

namespace {

namespace fs = std::filesystem;

fs::path Folder() {
  const fs::path folder = fs::temp_directory_path() / "tavik_preview_bench";
  fs::create_directories(folder);
  return folder;
}

void WriteFile(const fs::path& path, const std::string& text) {
  FILE* file = std::fopen(path.c_str(), "wb");
  std::fwrite(text.data(), 1, text.size(), file);
  std::fclose(file);
}

// Runs the command line with its printed output kept out of the report; false on failure.
bool Run(std::vector<const char*> argv) {
  std::fflush(stdout);
  const int saved_stdout = dup(STDOUT_FILENO);
  const int null_output = open("/dev/null", O_WRONLY);
  dup2(null_output, STDOUT_FILENO);
  const int status = tavik::cli::CommandLine().Run(static_cast<int>(argv.size()), argv.data());
  std::fflush(stdout);
  dup2(saved_stdout, STDOUT_FILENO);
  close(null_output);
  close(saved_stdout);
  return status == 0;
}

void RecordPeakMemory(benchmark::State& state) {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_mib"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void Preview(benchmark::State& state, const std::string& form) {
  const std::string picture = (Folder() / "picture.png").string();
  for (auto _ : state) {
    if (!Run({"tavikfw", "preview", form.c_str(), "-o", picture.c_str(), "--force"})) {
      state.SkipWithError("the picture could not be drawn");
    }
  }
  RecordPeakMemory(state);
  state.SetComplexityN(state.range(0));
}

// A generated form of this many entities, ten attributes each: one panel holds them all and
// only its top shows in the window.
void PreviewGeneratedForm(benchmark::State& state) {
  tavik::bench::ModelShape shape;
  shape.entities = static_cast<int>(state.range(0));
  shape.attributes = 10;
  const fs::path folder = Folder();
  const std::string model = (folder / "model.json").string();
  const std::string form = (folder / "FORM.FRM").string();
  const std::string settings = (folder / "TAVIK.INI").string();
  WriteFile(model, tavik::bench::GenerateModel(shape));
  if (!Run({"tavikfw", "generate", model.c_str(), "--name", "Bench", "-o", form.c_str(),
            "--settings", settings.c_str(), "--force"})) {
    state.SkipWithError("the form could not be generated");
    return;
  }
  Preview(state, form);
}

// A label and a button captioned with this many characters of words.
void PreviewLongCaption(benchmark::State& state) {
  std::string caption;
  while (caption.size() < static_cast<std::size_t>(state.range(0))) caption += "word ";
  caption.resize(static_cast<std::size_t>(state.range(0)));
  const std::string form = (Folder() / "CAPTION.FRM").string();
  WriteFile(form,
            "VERSION 5.00\r\nBegin VB.Form frmCaption\r\n   ClientHeight = 3195\r\n"
            "   ClientWidth = 4680\r\n   Begin VB.Label lblLong\r\n      Caption = \"" +
                caption +
                "\"\r\n      Height = 1000\r\n      Width = 4000\r\n   End\r\n"
                "   Begin VB.CommandButton cmdLong\r\n      Caption = \"" +
                caption +
                "\"\r\n      Height = 375\r\n      Top = 2000\r\n      Width = 1215\r\n"
                "   End\r\nEnd\r\n");
  Preview(state, form);
}

BENCHMARK(PreviewGeneratedForm)
    ->Arg(4)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(4000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(PreviewLongCaption)
    ->RangeMultiplier(8)
    ->Range(1000, 64000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

}  // namespace

BENCHMARK_MAIN();
