// Child processes for tests: run a program (or a function in a forked copy of the
// test) with extra environment, capture its stdout and stderr, wait with a timeout,
// kill it. A child that outlives its test is killed by the destructor, and every
// child gets SIGKILL if the test process itself dies.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

struct ProcessResult {
  bool started = false;
  bool timedOut = false;  // killed because the timeout ran out
  int exitCode = -1;      // the exit status when the child exited normally
  int signal = 0;         // the signal that ended it, 0 when it exited
  std::string out;        // everything written to stdout
  std::string err;        // everything written to stderr

  bool Succeeded() const { return started && !timedOut && signal == 0 && exitCode == 0; }
};

struct SpawnOptions {
  std::vector<std::string> env;  // "NAME=value" entries added to (or replacing in) the test's environment
  bool captureOutput = true;     // false: stdout and stderr go to /dev/null
  int passFd = -1;               // a descriptor handed to the child as its fd 3
};

class ChildProcess {
 public:
  ChildProcess() = default;
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Starts argv[0] (looked up in PATH when it has no slash). False when it cannot.
  bool Start(const std::vector<std::string>& argv, const SpawnOptions& options = {});
  // Runs body in a forked copy of this process; what it returns is the child's
  // stdout, and the child exits with status 0 right after it.
  bool Fork(const std::function<std::string()>& body);

  // Collects output until the child ends or timeoutSeconds pass (then kills it).
  ProcessResult Wait(double timeoutSeconds);
  // Ends the child at once (SIGKILL) and reaps it.
  void Kill();
  // Sends a signal without waiting.
  void Signal(int signalNumber);
  bool running() const { return pid_ > 0; }
  pid_t pid() const { return pid_; }

 private:
  void Adopt(pid_t pid, int outFd, int errFd);
  bool Drain(int timeoutMs);
  void CloseFds();

  pid_t pid_ = -1;
  int outFd_ = -1;
  int errFd_ = -1;
  ProcessResult result_;
};

// Start + Wait in one call.
ProcessResult RunProcess(const std::vector<std::string>& argv, const SpawnOptions& options,
                         double timeoutSeconds);
// The full path of a program found in PATH, empty when there is none.
std::string FindInPath(const std::string& program);
