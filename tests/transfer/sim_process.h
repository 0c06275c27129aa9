// Runs the controller simulator as a child process on a new pseudo-terminal
// for the end-to-end tests and the benchmark.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern char** environ;

class SimProcess {
 public:
  // Starts `program` with `args`, its memory saved to `memory_file` and its
  // summary written to `log_file`. Returns false when it does not report a
  // terminal within 10 s.
  bool Start(const std::string& program, std::vector<std::string> args, const std::string& memory_file,
             const std::string& log_file) {
    memory_file_ = memory_file;
    log_file_ = log_file;
    args.insert(args.begin(), program);
    args.push_back("--save");
    args.push_back(memory_file);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    int out[2];
    if (pipe(out) != 0) return false;
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_adddup2(&fa, out[1], 1);
    posix_spawn_file_actions_addclose(&fa, out[0]);
    posix_spawn_file_actions_addopen(&fa, 2, log_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int rc = posix_spawn(&pid_, program.c_str(), &fa, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&fa);
    close(out[1]);
    if (rc != 0) {
      close(out[0]);
      pid_ = -1;
      return false;
    }
    // The first line of its output is the terminal's path.
    std::string line;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (line.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
      pollfd p{out[0], POLLIN, 0};
      if (poll(&p, 1, 100) <= 0) continue;
      char buf[256];
      const ssize_t n = read(out[0], buf, sizeof buf);
      if (n <= 0) break;
      line.append(buf, size_t(n));
    }
    close(out[0]);
    if (line.find('\n') == std::string::npos) return false;
    path_ = line.substr(0, line.find('\n'));
    return true;
  }

  // Ends it with SIGTERM; returns its exit status (-1 when it did not exit
  // normally).
  int Stop() {
    if (pid_ <= 0) return -1;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  ~SimProcess() { Stop(); }

  const std::string& path() const { return path_; }

  // The memory the simulator saved last.
  std::vector<uint8_t> Memory() const {
    std::ifstream f(memory_file_, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
  }

  // Its closing summary line.
  std::string Log() const {
    std::ifstream f(log_file_);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
  }

 private:
  pid_t pid_ = -1;
  std::string path_;
  std::string memory_file_;
  std::string log_file_;
};
