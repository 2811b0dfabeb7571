#include "platform/Process.h"

#include <windows.h>

namespace platform {

namespace {

// One argument as the C runtime splits command lines: quoted when it holds blanks or
// quotes, with backslashes before a quote doubled.
std::string QuoteArgument(const std::string& arg) {
  if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) return arg;
  std::string out = "\"";
  std::size_t backslashes = 0;
  for (char c : arg) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    if (c == '"') out.append(backslashes * 2 + 1, '\\');
    else out.append(backslashes, '\\');
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, '\\');
  return out + "\"";
}

}  // namespace

ChildProcess::~ChildProcess() {
  if (Running()) TerminateProcess(static_cast<HANDLE>(FHandle), 1);
  if (FHandle) CloseHandle(static_cast<HANDLE>(FHandle));
}

bool ChildProcess::Start(const std::string& program, const std::vector<std::string>& arguments) {
  if (FStarted) return false;
  std::string commandLine = QuoteArgument(program);
  for (const auto& a : arguments) commandLine += " " + QuoteArgument(a);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return false;
  CloseHandle(pi.hThread);
  FHandle = pi.hProcess;
  FPid = static_cast<long>(pi.dwProcessId);
  FStarted = true;
  return true;
}

int ChildProcess::Wait(std::uint32_t timeoutMs) {
  if (!FStarted) return -1;
  if (FEnded) return FExitCode;
  if (WaitForSingleObject(static_cast<HANDLE>(FHandle), timeoutMs) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(static_cast<HANDLE>(FHandle), &code);
  FEnded = true;
  FExitCode = static_cast<int>(code);
  return FExitCode;
}

bool SetEnvVariable(const std::string& name, const std::string& value) {
  return SetEnvironmentVariableA(name.c_str(), value.empty() ? nullptr : value.c_str()) != 0;
}

std::uint32_t CurrentProcessId() { return GetCurrentProcessId(); }

}  // namespace platform
