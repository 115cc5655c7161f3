// The tavikfw command line: subcommands, options, and the exit statuses.
#pragma once

namespace tavik::cli {

// Exit statuses of faults outside a run.
inline constexpr int kExitUsage = 64;
inline constexpr int kExitModelRefused = 65;
inline constexpr int kExitModelUnreadable = 66;

class CommandLine {
 public:
  // Parses the arguments and runs the chosen subcommand; the process's exit status.
  int Run(int argc, const char* const* argv);
};

}  // namespace tavik::cli
