#pragma once

// Starting another program and waiting for it. The program gets its
// arguments as a list, each one passed on as it stands, so a path with a
// blank stays one argument. Off Windows, a Windows executable runs through
// Wine, and a path handed to it must be written as Wine sees it.

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace platform {

// The program could not be started; the message names it and says why.
class EProcessError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Whether the file starts with "MZ", the mark of a Windows executable.
bool IsWindowsExecutable(const std::string& path);

// Whether `program` is started through Wine here: a Windows executable,
// when this is not Windows.
bool RunsThroughWine(const std::string& program);

// The path as Wine's programs see the file: "Z:" (Wine's drive for the
// root folder) and the absolute path with "\" between its parts.
std::string WinePath(const std::string& path);

// `path` as the program sees it: WinePath for a program that runs through
// Wine, else the path itself.
std::string PathForProgram(const std::string& program, const std::string& path);

// What is really executed for `program` with `args`: the program itself,
// or "wine" with the program as its first argument.
struct TCommand {
  std::string Executable;  // looked up in PATH when it holds no "/"
  std::vector<std::string> Args;
};
TCommand CommandFor(const std::string& program, const std::vector<std::string>& args);

// The command line a Windows program is started with: the program's path
// in quotes, then each argument quoted and escaped as the C runtime and
// CommandLineToArgvW read them back, so every argument arrives as it stands.
std::string WindowsCommandLine(const std::string& program, const std::vector<std::string>& args);

// One running program. It shares the editor's environment, current folder
// and console. Destroying a TProcess whose program still runs ends it.
class TProcess {
 public:
  // Starts the program; EProcessError when it cannot be started (missing,
  // not executable, no Wine for a Windows executable).
  TProcess(const std::string& program, const std::vector<std::string>& args);
  ~TProcess();
  TProcess(const TProcess&) = delete;
  TProcess& operator=(const TProcess&) = delete;

  // The exit code once the program has ended, without waiting; a program
  // ended by a signal gives 128 plus the signal's number.
  std::optional<int> Poll();
  // Waits for the end; the exit code.
  int Wait();
  // Ends the program and everything it started, and waits for its end.
  void Kill();

 private:
  long FPid = -1;          // elsewhere: the process, leader of its group
  void* FHandle = nullptr;  // Windows: the process and the job holding
  void* FJob = nullptr;     // it with whatever it starts
  std::optional<int> FExitCode;
};

}  // namespace platform
