// The tavikfw program.
#include "cli/command_line.h"

int main(int argc, char** argv) {
  return tavik::cli::CommandLine().Run(argc, argv);
}
