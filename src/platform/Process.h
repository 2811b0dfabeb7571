// Child processes and the process's own environment: starting a program, waiting for
// it to end, setting an environment variable that children inherit.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

class ChildProcess {
public:
  ChildProcess() = default;
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Starts program with the arguments; the child inherits the environment. False when
  // it could not be started.
  bool Start(const std::string& program, const std::vector<std::string>& arguments);
  // Waits up to timeoutMs for the child to end: its exit code, or -1 when it is still
  // running (or was never started).
  int Wait(std::uint32_t timeoutMs);
  bool Running() const noexcept { return FStarted && !FEnded; }

private:
  bool FStarted = false;
  bool FEnded = false;
  int FExitCode = -1;
  long FPid = 0;
  void* FHandle = nullptr;
};

// Sets (or with an empty value removes) a variable of this process's environment.
bool SetEnvVariable(const std::string& name, const std::string& value);
std::uint32_t CurrentProcessId();

}  // namespace platform
