#include "support/process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <map>

extern char** environ;

namespace {

// Output beyond this much per stream is read and dropped.
constexpr size_t kMaxCaptured = 16u << 20;

// The test's environment with the "NAME=value" overrides applied.
std::vector<std::string> MergedEnvironment(const std::vector<std::string>& overrides) {
  std::map<std::string, std::string> vars;
  for (char** e = environ; e != nullptr && *e != nullptr; ++e) {
    const std::string entry(*e);
    vars[entry.substr(0, entry.find('='))] = entry;
  }
  for (const std::string& entry : overrides) vars[entry.substr(0, entry.find('='))] = entry;
  std::vector<std::string> merged;
  for (auto& [name, entry] : vars) merged.push_back(entry);
  return merged;
}

std::vector<char*> CStrings(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& s : strings) pointers.push_back(s.data());
  pointers.push_back(nullptr);
  return pointers;
}

// Runs in the child between fork and exec: only async-signal-safe calls.
void PrepareChild(pid_t parent, int outFd, int errFd, int passFd) {
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() != parent) _exit(127);
  const int nullFd = open("/dev/null", O_RDWR);
  if (nullFd >= 0) dup2(nullFd, 0);
  dup2(outFd >= 0 ? outFd : nullFd, 1);
  dup2(errFd >= 0 ? errFd : nullFd, 2);
  if (passFd == 3) {
    fcntl(3, F_SETFD, 0);
  } else if (passFd >= 0) {
    dup2(passFd, 3);
  }
}

bool MakePipe(int fds[2]) { return pipe2(fds, O_CLOEXEC) == 0; }

void WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) return;
    done += static_cast<size_t>(n);
  }
}

}  // namespace

std::string FindInPath(const std::string& program) {
  if (program.find('/') != std::string::npos) return access(program.c_str(), X_OK) == 0 ? program : "";
  const char* path = getenv("PATH");
  std::string dirs = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
  size_t start = 0;
  while (start <= dirs.size()) {
    const size_t end = std::min(dirs.find(':', start), dirs.size());
    const std::string candidate = dirs.substr(start, end - start) + "/" + program;
    if (end > start && access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return "";
}

ChildProcess::~ChildProcess() { Kill(); }

bool ChildProcess::Start(const std::vector<std::string>& argv, const SpawnOptions& options) {
  Kill();
  result_ = ProcessResult{};
  if (argv.empty()) return false;
  const std::string program = FindInPath(argv[0]);
  if (program.empty()) return false;
  std::vector<std::string> args = argv;
  std::vector<std::string> env = MergedEnvironment(options.env);
  std::vector<char*> argp = CStrings(args);
  std::vector<char*> envp = CStrings(env);
  int out[2] = {-1, -1}, err[2] = {-1, -1};
  if (options.captureOutput && (!MakePipe(out) || !MakePipe(err))) {
    for (int fd : {out[0], out[1], err[0], err[1]}) {
      if (fd >= 0) close(fd);
    }
    return false;
  }
  const pid_t parent = getpid();
  const pid_t pid = fork();
  if (pid == 0) {
    PrepareChild(parent, out[1], err[1], options.passFd);
    execve(program.c_str(), argp.data(), envp.data());
    _exit(127);
  }
  if (out[1] >= 0) close(out[1]);
  if (err[1] >= 0) close(err[1]);
  if (pid < 0) {
    if (out[0] >= 0) close(out[0]);
    if (err[0] >= 0) close(err[0]);
    return false;
  }
  Adopt(pid, out[0], err[0]);
  return true;
}

bool ChildProcess::Fork(const std::function<std::string()>& body) {
  Kill();
  result_ = ProcessResult{};
  int out[2] = {-1, -1}, err[2] = {-1, -1};
  if (!MakePipe(out)) return false;
  if (!MakePipe(err)) {
    close(out[0]);
    close(out[1]);
    return false;
  }
  const pid_t parent = getpid();
  const pid_t pid = fork();
  if (pid == 0) {
    PrepareChild(parent, out[1], err[1], -1);
    std::string answer;
    try {
      answer = body();
    } catch (...) {
      _exit(126);
    }
    WriteAll(1, answer);
    _exit(0);  // no atexit handlers, no test framework teardown in the copy
  }
  close(out[1]);
  close(err[1]);
  if (pid < 0) {
    close(out[0]);
    close(err[0]);
    return false;
  }
  Adopt(pid, out[0], err[0]);
  return true;
}

void ChildProcess::Adopt(pid_t pid, int outFd, int errFd) {
  pid_ = pid;
  outFd_ = outFd;
  errFd_ = errFd;
  result_.started = true;
}

// Reads whatever the child wrote, waiting up to timeoutMs for something to arrive.
// True while a stream is still open.
bool ChildProcess::Drain(int timeoutMs) {
  pollfd fds[2];
  int count = 0;
  std::string* sinks[2];
  if (outFd_ >= 0) {
    fds[count] = {outFd_, POLLIN, 0};
    sinks[count++] = &result_.out;
  }
  if (errFd_ >= 0) {
    fds[count] = {errFd_, POLLIN, 0};
    sinks[count++] = &result_.err;
  }
  if (count == 0) return false;
  if (poll(fds, static_cast<nfds_t>(count), timeoutMs) <= 0) return true;
  for (int i = 0; i < count; ++i) {
    if ((fds[i].revents & (POLLIN | POLLHUP | POLLERR)) == 0) continue;
    char buffer[65536];
    const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
    if (n > 0) {
      if (sinks[i]->size() < kMaxCaptured) sinks[i]->append(buffer, static_cast<size_t>(n));
      continue;
    }
    int& fd = fds[i].fd == outFd_ ? outFd_ : errFd_;
    close(fd);
    fd = -1;
  }
  return outFd_ >= 0 || errFd_ >= 0;
}

ProcessResult ChildProcess::Wait(double timeoutSeconds) {
  if (pid_ <= 0) return result_;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
  int status = 0;
  for (;;) {
    Drain(20);
    const pid_t done = waitpid(pid_, &status, WNOHANG);
    if (done == pid_) break;
    if (std::chrono::steady_clock::now() >= deadline) {
      kill(pid_, SIGKILL);
      waitpid(pid_, &status, 0);
      result_.timedOut = true;
      break;
    }
  }
  // What is left in the pipes, without waiting for descendants that still hold them.
  for (int i = 0; i < 1000 && Drain(0); ++i) {
  }
  CloseFds();
  pid_ = -1;
  if (WIFEXITED(status)) result_.exitCode = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result_.signal = WTERMSIG(status);
  return result_;
}

void ChildProcess::Kill() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
  }
  CloseFds();
}

void ChildProcess::Signal(int signalNumber) {
  if (pid_ > 0) kill(pid_, signalNumber);
}

void ChildProcess::CloseFds() {
  if (outFd_ >= 0) close(outFd_);
  if (errFd_ >= 0) close(errFd_);
  outFd_ = errFd_ = -1;
}

ProcessResult RunProcess(const std::vector<std::string>& argv, const SpawnOptions& options,
                         double timeoutSeconds) {
  ChildProcess child;
  if (!child.Start(argv, options)) return ProcessResult{};
  return child.Wait(timeoutSeconds);
}
