// Runs a command to its end and prints the peak resident memory of its
// process, the kernel's high-water mark (VmHWM) as wait4 reports it, and its
// exit status. A Windows program started with Wine's loader runs in that very
// process, so this is the program's peak working set. (Wine's own
// GetProcessMemoryInfo answers zeros once the process has ended and been
// reaped, so a Windows-side parent cannot read it reliably.) The peak also
// covers children the process waited for; Wine's are short-lived forks of it.
// Usage: peak-rss <command> [arguments...]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char **argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: peak-rss <command> [arguments...]\n");
    return 2;
  }
  const pid_t child = fork();
  if (child < 0) {
    std::perror("peak-rss: fork");
    return 2;
  }
  if (child == 0) {
    execvp(argv[1], argv + 1);
    std::perror("peak-rss: exec");
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child) {
    std::perror("peak-rss: wait4");
    return 2;
  }
  const int exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  std::printf("peak %ld KiB, exit code %d\n", usage.ru_maxrss, exitCode);
  return 0;
}
