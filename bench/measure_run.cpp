// Runs one command and prints its wall time, CPU time and peak memory: measure_run CMD [ARGS...]
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

// The figures come from the kernel's account of the one child (wait4), so the command is
// measured alone: no shell, no loop and no timer process around it. The command's own output
// goes to /dev/null; a command that fails is reported and fails this run.
int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: measure_run CMD [ARGS...]\nprints: wall_s cpu_s peak_kib\n");
    return 64;
  }
  auto start = std::chrono::steady_clock::now();
  pid_t child = fork();
  if (child < 0) {
    std::perror("measure_run: fork");
    return 71;
  }
  if (child == 0) {
    int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    execvp(argv[1], argv + 1);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child) {
    std::perror("measure_run: wait4");
    return 71;
  }
  std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
  auto seconds = [](const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
  };
  std::printf("%.6f %.6f %ld\n", wall.count(), seconds(usage.ru_utime) + seconds(usage.ru_stime),
              usage.ru_maxrss);
  if (WIFSIGNALED(status)) {
    std::fprintf(stderr, "measure_run: %s ended by signal %d\n", argv[1], WTERMSIG(status));
    return 1;
  }
  if (WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "measure_run: %s failed with status %d\n", argv[1], WEXITSTATUS(status));
    return 1;
  }
  return 0;
}
