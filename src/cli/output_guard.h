// Keeps a command from writing over a file it reads.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavik::cli {

// A command names the files it reads; before it writes a file it asks whether that file is
// one of them. Paths are compared as files (device and inode, or the volume and file index
// on Windows), so another spelling, a symbolic link or a hard link is caught as well.
class OutputGuard {
 public:
  // command starts the messages, e.g. "tavikfw generate".
  explicit OutputGuard(std::string command) : command_(std::move(command)) {}

  // A file the command reads, and what it is to the user ("model", "database").
  void AddInput(std::string path, std::string what);

  // Why writing output (what it is to the user: "form file") would replace an input, naming
  // both; empty when it would not.
  std::string Refusal(const std::string& output, std::string_view what) const;

  // Says on standard error why the output must not be written; true when it may be.
  [[nodiscard]] bool Allows(const std::string& output, std::string_view what) const;

  // Whether the two paths name one existing file.
  static bool SameFile(const std::string& first, const std::string& second);

 private:
  struct Input {
    std::string path;
    std::string what;
  };

  std::string command_;
  std::vector<Input> inputs_;
};

}  // namespace tavik::cli
