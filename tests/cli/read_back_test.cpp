// Every form the program writes reads back: each golden form, and the form regenerated from
// it, show the same forms, controls and values as the form they came from.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "fakes/cli_run.h"

namespace fs = std::filesystem;

namespace {

using tavik::testing::CliResult;
using tavik::testing::ReadWholeFile;

const fs::path kGoldenRoot = fs::path(TAVIK_SOURCE_DIR) / "tests" / "golden";

// What `inspect --json` shows of a form, without what a regeneration adds to the report.
nlohmann::json Shown(const CliResult& result) {
  nlohmann::json shown = nlohmann::json::parse(result.out);
  shown.erase("generated");
  shown.erase("not_kept");
  return shown;
}

// The form a golden case's output comes from: the form file an "inspect" case regenerates
// (with its encoding), else the form the case writes.
std::string SourceOf(const fs::path& case_dir) {
  if (!ReadWholeFile(case_dir / "command").starts_with("inspect")) {
    return "'" + (case_dir / "expected.FRM").string() + "'";
  }
  std::string options = ReadWholeFile(case_dir / "options");
  std::string source = options.substr(0, options.find('\n'));
  source.replace(0, 6, case_dir.string());  // "{case}"
  auto encoding = options.find("--encoding\n");
  std::string page = encoding == std::string::npos ? "" : options.substr(encoding + 11);
  return "'" + source + "'" +
         (page.empty() ? "" : " --encoding " + page.substr(0, page.find('\n')));
}

class ReadBackTest : public tavik::testing::CliTest {
 protected:
  // Regenerates the form into the folder: the path written, after checking that it kept
  // everything and shows as the form it came from.
  std::string Regenerate(const std::string& form, const std::string& folder,
                         const std::string& options) {
    CliResult shown = Run("inspect " + form + " --json" + options);
    EXPECT_EQ(shown.status, 0) << shown.err;
    CliResult regenerated = Run("inspect " + form + " --json --generate " + folder + options);
    EXPECT_EQ(regenerated.status, 0) << regenerated.err;
    if (shown.status != 0 || regenerated.status != 0) return "";
    EXPECT_EQ(nlohmann::json::parse(regenerated.out).at("not_kept"), nlohmann::json::array());
    // The path as written, in the form's code page (the report shows it in UTF-8).
    std::string path;
    for (const auto& file : fs::directory_iterator(dir_ / folder)) {
      if (file.path().extension() == ".FRM") path = folder + "/" + file.path().filename().string();
    }
    CliResult again = Run("inspect '" + path + "' --json" + options);
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(Shown(again), Shown(shown));
    return path;
  }
};

TEST_F(ReadBackTest, EveryWrittenFormReadsBackAsTheFormItCameFrom) {
  int cases = 0;
  for (const auto& entry : fs::directory_iterator(kGoldenRoot)) {
    if (!fs::exists(entry.path() / "expected.FRM")) continue;
    SCOPED_TRACE(entry.path().filename().string());
    ++cases;
    std::string source = SourceOf(entry.path());
    std::string options = source.substr(source.rfind('\'') + 1);
    source.resize(source.rfind('\'') + 1);
    const std::string name = entry.path().filename().string();
    const std::string first = Regenerate(source, name + "_first", options);
    if (first.empty()) continue;
    // A regenerated form regenerates to itself.
    const std::string second = Regenerate("'" + first + "'", name + "_second", options);
    if (second.empty()) continue;
    EXPECT_EQ(ReadWholeFile(dir_ / second), ReadWholeFile(dir_ / first));
  }
  EXPECT_GT(cases, 20);
}

}  // namespace
