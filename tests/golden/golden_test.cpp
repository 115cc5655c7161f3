// Whole forms: each case under tests/golden/ runs `tavikfw generate` in this process and
// compares the written form (and the messages, and the status) with what the case expects.
//
// A case folder holds "options" (the arguments after "generate", one per line; {case} and
// {root} stand for the case folder and the source folder), "expected.FRM" (absent when no
// form may be written), and optionally "expected.stderr", "expected.status" and "versions":
// the Visual Basic versions ("3 4") that all give the expected text, the case then running
// once with "--vb N" for each. A case holding "command" runs that command ("import") in place
// of "generate", and its output is "expected.json"; a case holding "schema.sql" has it made
// into a SQLite database first, which its options name as {db}; {data} names the shared test
// data, and a case that needs it is skipped where it is absent. A case whose command is
// "inspect" regenerates the form file its options name (`inspect FORM --generate DIR`); its
// output is the one form written in DIR. A case whose command is "project" writes a project
// (`project DB -o DIR`); its output is the form its "form" file names. UPDATE_GOLDENS=1
// rewrites the expected files from the run.
//
// A case may also hold "required": runs of lines (blank lines part them; "#" lines say why)
// that must stand in its output, each run's lines together and in order. They pin the rules a
// single case shows (an option table, a required-field check, where buttons stand) and are
// checked even when UPDATE_GOLDENS=1 rewrites the rest, so a re-baseline cannot lose them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "cli/command_line.h"
#include "fakes/cli_run.h"
#include "fakes/sqlite_database.h"
#include "fakes/vb_name_lint.h"

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

// One run of a case: its folder's name and the version it runs for ("" for its options' own).
struct GoldenRun {
  std::string case_name;
  std::string version;
};

void PrintTo(const GoldenRun& run, std::ostream* out) {
  *out << run.case_name << (run.version.empty() ? "" : " --vb " + run.version);
}

// Test data that is not ours, kept beside the repository.
const fs::path kSharedData = fs::path(TAVIK_SOURCE_DIR) / ".." / "shared" / "data";

std::vector<std::string> ReadOptions(const fs::path& case_dir, const fs::path& work) {
  std::istringstream lines(ReadWholeFile(case_dir / "options"));
  std::vector<std::string> options;
  for (std::string line; std::getline(lines, line);) {
    if (line.empty()) continue;
    line = ReplaceAll(line, "{case}", case_dir.string());
    line = ReplaceAll(line, "{db}", (work / "schema.db").string());
    line = ReplaceAll(line, "{data}", kSharedData.string());
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

// The command a case runs: "generate" unless its "command" file names another.
std::string CommandOf(const fs::path& case_dir) {
  if (!fs::exists(case_dir / "command")) return "generate";
  std::istringstream words(ReadWholeFile(case_dir / "command"));
  std::string command;
  words >> command;
  return command;
}

// Where a case's expected output stands: a form, or the model an import writes.
fs::path ExpectedOutput(const fs::path& case_dir) {
  return case_dir / (CommandOf(case_dir) == "import" ? "expected.json" : "expected.FRM");
}

// The one form file a regeneration wrote in the folder, or the folder when none is.
fs::path WrittenForm(const fs::path& folder) {
  std::error_code ignored;
  for (const auto& entry : fs::directory_iterator(folder, ignored)) {
    if (entry.path().extension() == ".FRM") return entry.path();
  }
  return folder;
}

// The form of a project case that its "form" file names.
std::string ProjectForm(const fs::path& case_dir) {
  std::istringstream words(ReadWholeFile(case_dir / "form"));
  std::string form;
  words >> form;
  return form;
}

RunResult RunCase(const fs::path& case_dir, const std::string& version, const fs::path& work) {
  fs::remove_all(work);
  fs::create_directories(work);
  if (fs::exists(case_dir / "schema.sql")) {
    tavik::testing::MakeDatabase(work / "schema.db", ReadWholeFile(case_dir / "schema.sql"));
  }
  const std::string command = CommandOf(case_dir);
  fs::path output = work / (command == "generate" ? "FORM.FRM" : "MODEL.json");
  std::vector<std::string> arguments = {"tavikfw", command};
  for (auto& option : ReadOptions(case_dir, work)) arguments.push_back(option);
  if (!version.empty()) arguments.insert(arguments.end(), {"--vb", version});
  if (command == "inspect") {
    output = work / "out";
    arguments.insert(arguments.end(), {"--generate", output.string()});
  } else {
    if (command == "project") output = work / "project";
    arguments.insert(arguments.end(), {"-o", output.string()});
  }
  // The settings file of the user running the tests must not count.
  if (command == "generate" || command == "project") {
    arguments.insert(arguments.end(), {"--settings", (work / "TAVIK.INI").string()});
  }
  if (command == "generate") {
    // Nobody can answer a question here: a case says how "Entity Abort!" is answered.
    if (std::find(arguments.begin(), arguments.end(), "--on-entity-error") == arguments.end()) {
      arguments.insert(arguments.end(), {"--on-entity-error", "stop"});
    }
  }
  std::vector<const char*> argv;
  for (auto& argument : arguments) argv.push_back(argument.c_str());
  testing::internal::CaptureStderr();
  testing::internal::CaptureStdout();
  int status = tavik::cli::CommandLine().Run(static_cast<int>(argv.size()), argv.data());
  (void)testing::internal::GetCapturedStdout();
  std::string messages = testing::internal::GetCapturedStderr();
  if (command == "inspect") output = WrittenForm(output);
  if (command == "project") output /= ProjectForm(case_dir);
  bool written = fs::is_regular_file(output);
  // Paths of the shared data stand as {data} in the output too, wherever the data lies.
  return {status, written ? ReplaceAll(ReadWholeFile(output), kSharedData.string(), "{data}") : "",
          written,
          ReplaceAll(ReplaceAll(ReplaceAll(messages, work.string(), "{work}"), case_dir.string(),
                                "{case}"),
                     kSharedData.string(), "{data}")};
}

std::vector<GoldenRun> CaseRuns() {
  std::vector<GoldenRun> runs;
  for (const auto& entry : fs::directory_iterator(kGoldenRoot)) {
    if (!entry.is_directory() || !fs::exists(entry.path() / "options")) continue;
    std::string name = entry.path().filename().string();
    std::istringstream versions(fs::exists(entry.path() / "versions")
                                    ? ReadWholeFile(entry.path() / "versions")
                                    : std::string());
    bool any = false;
    for (std::string version; versions >> version; any = true) runs.push_back({name, version});
    if (!any) runs.push_back({name, ""});
  }
  std::sort(runs.begin(), runs.end(), [](const GoldenRun& left, const GoldenRun& right) {
    return std::tie(left.case_name, left.version) < std::tie(right.case_name, right.version);
  });
  return runs;
}

// The text as diff shows it: CR LF line ends as plain ones, any other CR visible.
std::string ForDiff(const std::string& text) {
  return ReplaceAll(ReplaceAll(text, "\r\n", "\n"), "\r", "<CR>");
}

// What differs between the expected and the actual text, as a unified diff.
std::string UnifiedDiff(const std::string& expected, const std::string& actual,
                        const fs::path& work) {
  const fs::path expected_file = work / "expected";
  const fs::path actual_file = work / "actual";
  const fs::path diff_file = work / "diff";
  WriteWholeFile(expected_file, ForDiff(expected));
  WriteWholeFile(actual_file, ForDiff(actual));
  std::string command = "diff -u '" + expected_file.string() + "' '" + actual_file.string() +
                        "' >'" + diff_file.string() + "'";
  (void)std::system(command.c_str());
  std::string diff = ReadWholeFile(diff_file);
  return diff.empty() ? "the texts differ only in their line ends\n" : diff;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
  }
  return lines;
}

// The runs of the case's "required" file that the output lacks, each with the reason before it.
std::string MissingRequiredLines(const fs::path& case_dir, const std::string& output) {
  if (!fs::exists(case_dir / "required")) return "";
  const std::vector<std::string> written = Lines(output);
  std::string missing;
  std::string reason;
  std::vector<std::string> run;
  auto check_run = [&] {
    if (run.empty()) return;
    if (std::search(written.begin(), written.end(), run.begin(), run.end()) == written.end()) {
      missing += reason;
      for (const std::string& line : run) missing += "  " + ForDiff(line) + "\n";
    }
    run.clear();
    reason.clear();
  };
  for (const std::string& line : Lines(ReadWholeFile(case_dir / "required"))) {
    if (line.empty()) {
      check_run();
    } else if (line.front() == '#') {
      reason += line + "\n";
    } else {
      run.push_back(line);
    }
  }
  check_run();
  return missing;
}

void ExpectSameText(const std::string& what, const std::string& expected, const std::string& actual,
                    const fs::path& work) {
  if (actual == expected) return;
  ADD_FAILURE() << what << " differs from the expected one:\n"
                << UnifiedDiff(expected, actual, work)
                << "If the change is intended, UPDATE_GOLDENS=1 rewrites the expected files; "
                   "review their diff like code.";
}

void UpdateExpectedFiles(const fs::path& case_dir, const RunResult& result) {
  fs::path expected_form = ExpectedOutput(case_dir);
  fs::path expected_status = case_dir / "expected.status";
  fs::path expected_messages = case_dir / "expected.stderr";
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
}

class GoldenForm : public testing::TestWithParam<GoldenRun> {};

// A case's work folder goes when the case passes; a failing case keeps it for its diff.
struct RemovedUnlessFailed {
  fs::path folder;
  ~RemovedUnlessFailed() {
    if (!testing::Test::HasFailure()) fs::remove_all(folder);
  }
};

TEST_P(GoldenForm, MatchesExpectedOutput) {
  const GoldenRun& run = GetParam();
  fs::path case_dir = kGoldenRoot / run.case_name;
  if (ReadWholeFile(case_dir / "options").find("{data}") != std::string::npos &&
      !fs::exists(kSharedData)) {
    GTEST_SKIP() << "the shared test data is not at " << kSharedData.string();
  }
  // The process id keeps suites that run side by side (two checkouts on one machine) out of
  // each other's folders.
  fs::path work = fs::temp_directory_path() / ("tavik_golden_" + run.case_name + run.version + "_" +
                                               std::to_string(::getpid()));
  RemovedUnlessFailed work_folder{work};
  RunResult result = RunCase(case_dir, run.version, work);
  const std::string missing = MissingRequiredLines(case_dir, result.form);
  EXPECT_EQ(missing, "") << "The output lacks lines its case requires, whatever its expected "
                            "files say";
  if (std::getenv("UPDATE_GOLDENS") != nullptr) {
    UpdateExpectedFiles(case_dir, result);
    if (!missing.empty()) return;
    GTEST_SKIP() << "rewrote the expected files of " << run.case_name;
  }

  fs::path expected_status = case_dir / "expected.status";
  fs::path expected_messages = case_dir / "expected.stderr";
  fs::path expected_form = ExpectedOutput(case_dir);
  int status = fs::exists(expected_status) ? std::stoi(ReadWholeFile(expected_status)) : 0;
  EXPECT_EQ(result.status, status);
  ExpectSameText("The messages",
                 fs::exists(expected_messages) ? ReadWholeFile(expected_messages) : "",
                 result.messages, work);
  if (!fs::exists(expected_form)) {
    EXPECT_FALSE(result.form_written) << "nothing may be written for this case";
    return;
  }
  ASSERT_TRUE(result.form_written);
  ExpectSameText("The output", ReadWholeFile(expected_form), result.form, work);
}

TEST_P(GoldenForm, NamesAndLiteralsAreValidVisualBasic) {
  fs::path expected_form = kGoldenRoot / GetParam().case_name / "expected.FRM";
  if (!fs::exists(expected_form)) GTEST_SKIP() << "no form is written for this case";
  if (CommandOf(expected_form.parent_path()) == "inspect") {
    GTEST_SKIP() << "a regenerated form's names are those its author gave";
  }
  EXPECT_EQ(tavik::testing::LintVbForm(ReadWholeFile(expected_form)), "");
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenForm, testing::ValuesIn(CaseRuns()),
                         [](const testing::TestParamInfo<GoldenRun>& run) {
                           return run.param.version.empty()
                                      ? run.param.case_name
                                      : run.param.case_name + "_vb" + run.param.version;
                         });

}  // namespace
