#include "tests/windows/support/run_program.h"

#include <psapi.h>

#include "tests/windows/support/test_paths.h"

namespace {

HANDLE InheritableFile(const std::string& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, disposition,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

ProgramRun RunProgram(const std::string& commandLine, const std::string& input, const std::string& scratchFolder) {
  ProgramRun run{~0u, "", "", 0};
  const std::string outPath = scratchFolder + "run.out";
  const std::string errPath = scratchFolder + "run.err";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = InheritableFile(input.empty() ? "NUL" : input, GENERIC_READ, OPEN_EXISTING);
  startup.hStdOutput = InheritableFile(outPath, GENERIC_WRITE, CREATE_ALWAYS);
  startup.hStdError = InheritableFile(errPath, GENERIC_WRITE, CREATE_ALWAYS);

  std::string command = commandLine;
  PROCESS_INFORMATION process = {};
  if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
    // The peak is read while the program runs: once it has ended, its
    // figures are gone.
    PROCESS_MEMORY_COUNTERS memory = {};
    for (int waited = 0; waited < 120000 && WaitForSingleObject(process.hProcess, 5) == WAIT_TIMEOUT; waited += 5) {
      if (GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory) && memory.PagefileUsage > run.peakMemory) {
        run.peakMemory = memory.PagefileUsage;
      }
    }
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process.hProcess, ~0u);
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  }
  for (HANDLE file : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) {
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
  run.out = ReadFileBytes(outPath);
  run.err = ReadFileBytes(errPath);
  return run;
}
