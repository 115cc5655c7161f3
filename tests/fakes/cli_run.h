// Runs the tavikfw program as a user would, in a folder, with no terminal on standard input.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace tavik::testing {

struct CliResult {
  int status;
  std::string out;
  std::string err;
};

inline std::string ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void WriteWholeFile(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// arguments are given to the shell as they stand, so quote what holds blanks.
inline CliResult RunTavikfw(const std::filesystem::path& folder, const std::string& arguments) {
  std::string command = "cd '" + folder.string() + "' && '" TAVIK_CLI_PATH "' " + arguments +
                        " </dev/null >out.txt 2>err.txt";
  int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadWholeFile(folder / "out.txt"),
          ReadWholeFile(folder / "err.txt")};
}

// A fresh folder named after the running test and the process (so that suites run side by side
// never share one), removed again by the destructor.
class ScratchFolder {
 public:
  ScratchFolder() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::temp_directory_path() /
            (std::string("tavik_") + test->test_suite_name() + "_" + test->name() + "_" +
             std::to_string(::getpid()));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() { std::filesystem::remove_all(path_); }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// A test of the program, run in a scratch folder of its own.
class CliTest : public ::testing::Test {
 protected:
  CliResult Run(const std::string& arguments) { return RunTavikfw(dir_, arguments); }
  void Write(const std::string& name, const std::string& text) {
    WriteWholeFile(dir_ / name, text);
  }

  ScratchFolder folder_;
  std::filesystem::path dir_ = folder_.path();
};

}  // namespace tavik::testing
