#include "platform/Process.h"

#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include "platform/Clock.h"

extern char** environ;

namespace platform {

ChildProcess::~ChildProcess() {
  if (Running()) {
    kill(static_cast<pid_t>(FPid), SIGKILL);
    waitpid(static_cast<pid_t>(FPid), nullptr, 0);
  }
}

bool ChildProcess::Start(const std::string& program, const std::vector<std::string>& arguments) {
  if (FStarted) return false;
  std::vector<std::string> args;
  args.push_back(program);
  args.insert(args.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return false;
  FPid = pid;
  FStarted = true;
  return true;
}

int ChildProcess::Wait(std::uint32_t timeoutMs) {
  if (!FStarted) return -1;
  if (FEnded) return FExitCode;
  const std::uint64_t start = TickCount64();
  for (;;) {
    int status = 0;
    pid_t rc = waitpid(static_cast<pid_t>(FPid), &status, WNOHANG);
    if (rc == static_cast<pid_t>(FPid)) {
      FEnded = true;
      FExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
      return FExitCode;
    }
    if (rc < 0 || TickCount64() - start >= timeoutMs) return -1;
    timespec pause{0, 5 * 1000 * 1000};
    nanosleep(&pause, nullptr);
  }
}

bool SetEnvVariable(const std::string& name, const std::string& value) {
  return (value.empty() ? unsetenv(name.c_str()) : setenv(name.c_str(), value.c_str(), 1)) == 0;
}

std::uint32_t CurrentProcessId() { return static_cast<std::uint32_t>(getpid()); }

}  // namespace platform
