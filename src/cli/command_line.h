// The tavikfw command line: subcommands, options, and the exit statuses.
#pragma once

#include "base/exit_status.h"

namespace tavik::cli {

class CommandLine {
 public:
  // Parses the arguments and runs the chosen subcommand; the process's exit status.
  int Run(int argc, const char* const* argv);
};

}  // namespace tavik::cli
