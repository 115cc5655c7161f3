// Whole forms: each case under tests/golden/ runs `tavikfw generate` in this process and
// compares the written form (and the messages, and the status) with what the case expects.
//
// A case folder holds "options" (the arguments after "generate", one per line; {case} and
// {root} stand for the case folder and the source folder), "expected.FRM" (absent when no
// form may be written), and optionally "expected.stderr" and "expected.status".
// UPDATE_GOLDENS=1 rewrites the expected files from what the run produced.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "fakes/cli_run.h"

namespace fs = std::filesystem;

namespace {

using tavik::testing::ReadWholeFile;
using tavik::testing::WriteWholeFile;

const fs::path kGoldenRoot = fs::path(TAVIK_SOURCE_DIR) / "tests" / "golden";

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
    text.replace(at, from.size(), to);
    at += to.size();
  }
  return text;
}

std::vector<std::string> ReadOptions(const fs::path& case_dir) {
  std::istringstream lines(ReadWholeFile(case_dir / "options"));
  std::vector<std::string> options;
  for (std::string line; std::getline(lines, line);) {
    if (line.empty()) continue;
    line = ReplaceAll(line, "{case}", case_dir.string());
    options.push_back(ReplaceAll(line, "{root}", TAVIK_SOURCE_DIR));
  }
  return options;
}

struct RunResult {
  int status;
  std::string form;  // empty when no form was written
  bool form_written;
  std::string messages;
};

RunResult RunCase(const fs::path& case_dir, const fs::path& work) {
  fs::remove_all(work);
  fs::create_directories(work);
  fs::path output = work / "FORM.FRM";
  std::vector<std::string> arguments = {"tavikfw", "generate"};
  for (auto& option : ReadOptions(case_dir)) arguments.push_back(option);
  arguments.insert(arguments.end(),
                   {"-o", output.string(), "--settings", (work / "TAVIK.INI").string()});
  // Nobody can answer a question here: a case says how "Entity Abort!" is answered.
  if (std::find(arguments.begin(), arguments.end(), "--on-entity-error") == arguments.end()) {
    arguments.insert(arguments.end(), {"--on-entity-error", "stop"});
  }
  std::vector<const char*> argv;
  for (auto& argument : arguments) argv.push_back(argument.c_str());
  testing::internal::CaptureStderr();
  testing::internal::CaptureStdout();
  int status = tavik::cli::CommandLine().Run(static_cast<int>(argv.size()), argv.data());
  (void)testing::internal::GetCapturedStdout();
  std::string messages = testing::internal::GetCapturedStderr();
  bool written = fs::exists(output);
  return {status, written ? ReadWholeFile(output) : std::string(), written,
          ReplaceAll(ReplaceAll(messages, work.string(), "{work}"), case_dir.string(), "{case}")};
}

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(kGoldenRoot)) {
    if (entry.is_directory() && fs::exists(entry.path() / "options")) {
      names.push_back(entry.path().filename().string());
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

class GoldenForm : public testing::TestWithParam<std::string> {};

TEST_P(GoldenForm, MatchesExpectedOutput) {
  fs::path case_dir = kGoldenRoot / GetParam();
  fs::path work = fs::temp_directory_path() / ("tavik_golden_" + GetParam());
  RunResult result = RunCase(case_dir, work);
  bool update = std::getenv("UPDATE_GOLDENS") != nullptr;

  fs::path expected_form = case_dir / "expected.FRM";
  fs::path expected_status = case_dir / "expected.status";
  fs::path expected_messages = case_dir / "expected.stderr";
  if (update) {
    if (result.form_written)
      WriteWholeFile(expected_form, result.form);
    else
      fs::remove(expected_form);
    if (result.status != 0)
      WriteWholeFile(expected_status, std::to_string(result.status) + "\n");
    else
      fs::remove(expected_status);
    if (!result.messages.empty())
      WriteWholeFile(expected_messages, result.messages);
    else
      fs::remove(expected_messages);
    GTEST_SKIP() << "rewrote the expected files of " << GetParam();
  }

  int status = fs::exists(expected_status) ? std::stoi(ReadWholeFile(expected_status)) : 0;
  EXPECT_EQ(result.status, status);
  std::string messages = fs::exists(expected_messages) ? ReadWholeFile(expected_messages) : "";
  EXPECT_EQ(result.messages, messages);
  if (!fs::exists(expected_form)) {
    EXPECT_FALSE(result.form_written) << "no form may be written for this case";
    return;
  }
  ASSERT_TRUE(result.form_written);
  std::string expected = ReadWholeFile(expected_form);
  // GoogleTest shows the lines that differ.
  EXPECT_EQ(result.form, expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenForm, testing::ValuesIn(CaseNames()),
                         [](const testing::TestParamInfo<std::string>& case_info) {
                           return case_info.param;
                         });

}  // namespace
