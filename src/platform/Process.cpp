#include "platform/Process.h"

#include <filesystem>
#include <fstream>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;
#endif

namespace platform {

bool IsWindowsExecutable(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  char mark[2] = {};
  return in.read(mark, 2) && mark[0] == 'M' && mark[1] == 'Z';
}

bool RunsThroughWine(const std::string& program) {
#ifdef _WIN32
  (void)program;
  return false;
#else
  return IsWindowsExecutable(program);
#endif
}

std::string WinePath(const std::string& path) {
  std::error_code ec;
  std::string absolute = std::filesystem::absolute(path, ec).lexically_normal().string();
  if (ec) absolute = path;
  for (char& c : absolute)
    if (c == '/') c = '\\';
  return "Z:" + absolute;
}

std::string PathForProgram(const std::string& program, const std::string& path) {
  return RunsThroughWine(program) ? WinePath(path) : path;
}

TCommand CommandFor(const std::string& program, const std::vector<std::string>& args) {
  if (!RunsThroughWine(program)) return {program, args};
  TCommand command{"wine", {program}};
  command.Args.insert(command.Args.end(), args.begin(), args.end());
  return command;
}

std::string WindowsCommandLine(const std::string& program, const std::vector<std::string>& args) {
  // The program's name is read up to its closing quote, without escapes;
  // a Windows path holds no quote.
  std::string line = "\"" + program + "\"";
  for (const std::string& arg : args) {
    line += ' ';
    if (!arg.empty() && arg.find_first_of(" \t\n\v\"") == std::string::npos) {
      line += arg;
      continue;
    }
    // Backslashes count only before a quote: there each one is doubled,
    // and the quote itself escaped.
    line += '"';
    std::size_t backslashes = 0;
    for (char c : arg) {
      if (c == '\\') {
        ++backslashes;
        continue;
      }
      line.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
      backslashes = 0;
      line += c;
    }
    line.append(backslashes * 2, '\\');
    line += '"';
  }
  return line;
}

#ifdef _WIN32

namespace {

std::string SystemMessage(DWORD error) {
  char* text = nullptr;
  const DWORD size = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                        FORMAT_MESSAGE_IGNORE_INSERTS,
                                    nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = size && text ? std::string(text, size) : "Windows error " + std::to_string(error);
  if (text) LocalFree(text);
  while (!message.empty() && (message.back() == '\r' || message.back() == '\n' || message.back() == ' '))
    message.pop_back();
  return message;
}

}  // namespace

TProcess::TProcess(const std::string& program, const std::vector<std::string>& args) {
  std::string commandLine = WindowsCommandLine(program, args);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION info{};
  // Started held, so that it is in the job before it can start anything.
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_SUSPENDED, nullptr, nullptr,
                      &startup, &info))
    throw EProcessError("Cannot start \"" + program + "\": " + SystemMessage(GetLastError()));
  FHandle = info.hProcess;
  FJob = CreateJobObjectA(nullptr, nullptr);
  // Without a job (an editor that runs in one that forbids more) Kill ends
  // the program alone.
  if (FJob && !AssignProcessToJobObject(FJob, info.hProcess)) {
    CloseHandle(FJob);
    FJob = nullptr;
  }
  ResumeThread(info.hThread);
  CloseHandle(info.hThread);
}

TProcess::~TProcess() {
  if (!FExitCode) Kill();
  if (FHandle) CloseHandle(FHandle);
  if (FJob) CloseHandle(FJob);
}

std::optional<int> TProcess::Poll() {
  if (!FExitCode && FHandle && WaitForSingleObject(FHandle, 0) == WAIT_OBJECT_0) {
    DWORD code = 0;
    FExitCode = GetExitCodeProcess(FHandle, &code) ? static_cast<int>(code) : -1;
  }
  return FExitCode;
}

int TProcess::Wait() {
  if (!FExitCode && FHandle) {
    if (WaitForSingleObject(FHandle, INFINITE) == WAIT_FAILED) FExitCode = -1;
    Poll();
  }
  return FExitCode.value_or(-1);
}

void TProcess::Kill() {
  if (FExitCode || !FHandle) return;
  if (!FJob || !TerminateJobObject(FJob, 1)) TerminateProcess(FHandle, 1);
  Wait();
}

#else

namespace {

int ExitCodeOf(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

// One wait for the program's end; its exit code when it has ended (-1
// when it cannot be waited for), nothing while it runs.
std::optional<int> Reap(long pid, int options) {
  int status = 0;
  const pid_t done = waitpid(static_cast<pid_t>(pid), &status, options);
  if (done == static_cast<pid_t>(pid)) return ExitCodeOf(status);
  if (done < 0 && errno != EINTR) return -1;
  return std::nullopt;
}

std::string StartError(const std::string& program, const TCommand& command, int error) {
  if (command.Executable == "wine" && error == ENOENT)
    return "Cannot start \"" + program + "\": it is a Windows program, and Wine (\"wine\") is not installed";
  return "Cannot start \"" + program + "\": " + std::strerror(error);
}

}  // namespace

TProcess::TProcess(const std::string& program, const std::vector<std::string>& args) {
  const TCommand command = CommandFor(program, args);
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(command.Executable.c_str()));
  for (const std::string& arg : command.Args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  // A group of its own, so that Kill reaches whatever the program started
  // (a script's children, Wine's processes) and not the editor.
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attr, 0);
  pid_t pid = -1;
  const int error = posix_spawnp(&pid, command.Executable.c_str(), nullptr, &attr, argv.data(), environ);
  posix_spawnattr_destroy(&attr);
  if (error != 0) throw EProcessError(StartError(program, command, error));
  FPid = pid;
}

TProcess::~TProcess() {
  if (!FExitCode && FPid > 0) Kill();
}

std::optional<int> TProcess::Poll() {
  if (!FExitCode && FPid > 0) FExitCode = Reap(FPid, WNOHANG);
  return FExitCode;
}

int TProcess::Wait() {
  while (!FExitCode && FPid > 0) FExitCode = Reap(FPid, 0);
  return FExitCode.value_or(-1);
}

void TProcess::Kill() {
  if (FExitCode || FPid <= 0) return;
  kill(-static_cast<pid_t>(FPid), SIGKILL);
  Wait();
}

#endif

}  // namespace platform
