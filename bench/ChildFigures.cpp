// Runs a command and reaps, as their sub-reaper, every process that it and
// its descendants leave behind, appending one line per ended process to LOG:
//   NAME USER_MS SYSTEM_MS MAX_RSS_KB
// (the process's name as the kernel keeps it, its CPU times and its peak
// resident set, from wait4). Under Wine each Windows process is one of these
// processes, started twice-forked and so handed to the nearest sub-reaper:
// this gives the install benchmark the children's CPU time and peak working
// set, which Wine does not report through the child's handle. Host-only
// (Linux). Exit code: the command's.
// Usage: child-figures LOG COMMAND [ARGS...]
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

std::string NameOf(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/comm");
  std::string name;
  std::getline(in, name);
  for (char &c : name) c = c == ' ' ? '_' : c;
  return name.empty() ? "?" : name;
}

long Ms(const timeval &t) { return t.tv_sec * 1000L + t.tv_usec / 1000L; }

}  // namespace

int main(int argc, char **argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: child-figures LOG COMMAND [ARGS...]\n");
    return 2;
  }
  if (prctl(PR_SET_CHILD_SUBREAPER, 1) != 0) {
    std::perror("child-figures: PR_SET_CHILD_SUBREAPER");
    return 2;
  }
  const pid_t command = fork();
  if (command == 0) {
    execvp(argv[2], argv + 2);
    std::perror("child-figures: exec");
    _exit(127);
  }
  if (command < 0) return 2;
  int commandStatus = 0;
  for (;;) {
    siginfo_t info{};
    // Look at the ended process before it is reaped: its name is gone after.
    if (waitid(P_ALL, 0, &info, WEXITED | WNOWAIT) != 0) break;
    const std::string name = NameOf(info.si_pid);
    int status = 0;
    rusage usage{};
    if (wait4(info.si_pid, &status, 0, &usage) != info.si_pid) continue;
    if (FILE *log = std::fopen(argv[1], "a")) {
      std::fprintf(log, "%s %ld %ld %ld\n", name.c_str(), Ms(usage.ru_utime), Ms(usage.ru_stime), usage.ru_maxrss);
      std::fclose(log);
    }
    if (info.si_pid == command) commandStatus = status;
  }
  return WIFEXITED(commandStatus) ? WEXITSTATUS(commandStatus) : 128 + WTERMSIG(commandStatus);
}
