#include "platform/Shell.h"

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

namespace platform {

namespace {

// Parameters split as a command line is: blanks separate, double quotes group, and a
// backslash before a double quote makes it a plain character.
std::vector<std::string> SplitParameters(const std::string& text) {
  std::vector<std::string> args;
  std::string current;
  bool inArg = false, quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\\' && i + 1 < text.size() && text[i + 1] == '"') {
      current += '"';
      inArg = true;
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
      inArg = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (inArg) args.push_back(current);
      current.clear();
      inArg = false;
    } else {
      current += c;
      inArg = true;
    }
  }
  if (inArg) args.push_back(current);
  return args;
}

// What the started child reports back when it could not run the program.
struct Failure {
  int Stage;  // 1: the working folder, 2: the program
  int Error;
};

std::int32_t ResultOf(const Failure& f) {
  if (f.Stage == 1) return sePathNotFound;
  switch (f.Error) {
    case ENOENT: return seFileNotFound;
    case ENOTDIR: return sePathNotFound;
    case ENOEXEC: return seNoAssociation;
    case ENOMEM:
    case E2BIG:
    case EAGAIN: return seOutOfMemory;
    default: return seAccessDenied;
  }
}

void Report(int fd, int stage, int error) {
  const Failure f{stage, error};
  (void)!write(fd, &f, sizeof f);
}

}  // namespace

std::int32_t ShellOpen(const std::string& file, const std::string& parameters, const std::string& directory,
                       std::int32_t showCommand) {
  if (file.empty()) return seFileNotFound;
  // Everything the children need is made before forking: after it only calls that are
  // safe in a child of a threaded process run.
  std::vector<std::string> args = SplitParameters(parameters);
  args.insert(args.begin(), file);
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  const char* folder = directory.empty() ? nullptr : directory.c_str();

  // The program's standard streams go nowhere: it must neither read the host's input
  // nor write into its output (velmora-host's packets, say).
  const int nowhere = open("/dev/null", O_RDWR | O_CLOEXEC);
  if (nowhere < 0) return seOutOfMemory;
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) {
    close(nowhere);
    return seOutOfMemory;
  }
  // Started through an intermediate child that ends at once, so the program is nobody's
  // child here and needs no waiting for.
  const pid_t middle = fork();
  if (middle < 0) {
    close(report[0]);
    close(report[1]);
    close(nowhere);
    return seOutOfMemory;
  }
  if (middle == 0) {
    const pid_t program = fork();
    if (program == 0) {
      setsid();
      sigset_t none;
      sigemptyset(&none);
      sigprocmask(SIG_SETMASK, &none, nullptr);
      // dup2 leaves the copies open across exec.
      dup2(nowhere, 0);
      dup2(nowhere, 1);
      dup2(nowhere, 2);
      if (folder && chdir(folder) != 0) {
        Report(report[1], 1, errno);
        _exit(127);
      }
      execvp(argv[0], argv.data());
      Report(report[1], 2, errno);
      _exit(127);
    }
    _exit(program < 0 ? 1 : 0);
  }
  close(report[1]);
  close(nowhere);
  int status = 0;
  while (waitpid(middle, &status, 0) < 0 && errno == EINTR) {
  }
  Failure failure{};
  ssize_t n;
  while ((n = read(report[0], &failure, sizeof failure)) < 0 && errno == EINTR) {
  }
  close(report[0]);
  if (n == static_cast<ssize_t>(sizeof failure)) return ResultOf(failure);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return seOutOfMemory;
  return seStarted;
}

}  // namespace platform
