// Keeps a command from writing over a file it reads, or over one the user did not ask it to
// replace.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tavik::cli {

// A command names the files it reads; before it writes a file it asks whether that file is
// one of them. Paths are compared as files (device and inode, or the volume and file index
// on Windows), so another spelling, a symbolic link or a hard link is caught as well.
// It also asks whether the output is there already. A file is replaced only with --force,
// never when it is read-only (whoever runs the command), and a symbolic link is never
// followed. Names are compared as Windows compares them, without regard to case, so
// `Form10.FRM` beside `Form10.frm` is the file that is there; with --force the output takes
// the name the user gave and the other spelling goes.
class OutputGuard {
 public:
  // command starts the messages, e.g. "tavikfw generate".
  explicit OutputGuard(std::string command) : command_(std::move(command)) {}

  // A file the command reads, and what it is to the user ("model", "database").
  void AddInput(std::string path, std::string what);
  void SetForce(bool force) { force_ = force; }
  // The outputs go to a folder of the run's own (a project's staging folder), where the run
  // alone names files, each name once in any case: no other spelling can be there, so the
  // folder is not searched for one (a search of each output would cost the square of them).
  void SetOwnFolder() { own_folder_ = true; }

  // Why writing output (what it is to the user: "form file") would replace an input, naming
  // both; empty when it would not.
  std::string Refusal(const std::string& output, std::string_view what) const;

  // Says on standard error why the output must not be written; true when it may be.
  [[nodiscard]] bool Allows(const std::string& output, std::string_view what) const;

  // What a command may do with an output path.
  struct Verdict {
    int status = 0;            // 0 it may be written, 64 it is an input, 73 it must not be replaced
    std::string message;       // why not
    bool only_exists = false;  // refused only for being there: the user may be asked
  };
  Verdict Judge(const std::string& output, std::string_view what) const;

  // Says on standard error why the output must not be written and gives the status (64 or
  // 73); 0 when it may be, remembering the spellings it replaces.
  [[nodiscard]] int Check(const std::string& output, std::string_view what);
  // The user said yes to replacing the output that is there.
  void AcceptReplacing(const std::string& output);
  // After the outputs are written: removes the other spellings they replaced.
  void RemoveReplacedSpellings();

  // Whether the two paths name one existing file.
  static bool SameFile(const std::string& first, const std::string& second);

 private:
  struct Input {
    std::string path;
    std::string what;
  };
  struct Replaced {
    std::string output;
    std::string other_spelling;
  };

  // The paths in the output's folder whose names Windows takes for the output's, the
  // output's own spelling first when it is there.
  std::vector<std::filesystem::path> Spellings(const std::string& output) const;

  std::string command_;
  std::vector<Input> inputs_;
  bool force_ = false;
  bool own_folder_ = false;
  std::vector<Replaced> replaced_;
};

}  // namespace tavik::cli
