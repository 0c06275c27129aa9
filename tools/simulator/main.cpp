// gsm-simulator: a controller on a serial line, for trying and testing the
// configurator without hardware.
//
// It opens a new pseudo-terminal and prints the path of its terminal side as
// the first line on standard output (or uses the serial device given), then
// answers the configurator's frames until it gets SIGINT, SIGTERM or SIGHUP,
// when it saves its memory (if asked to) and exits with status 0.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "simulator/line.h"
#include "simulator/options.h"
#include "simulator/serve.h"
#include "simulator/sim_controller.h"

namespace {

int g_signal_pipe[2] = {-1, -1};

void OnSignal(int sig) {
  const unsigned char b = static_cast<unsigned char>(sig);
  ssize_t r = write(g_signal_pipe[1], &b, 1);
  (void)r;
}

// A pipe that receives a byte on SIGINT, SIGTERM or SIGHUP; returns its
// reading end, or -1.
int SignalPipe() {
  if (pipe(g_signal_pipe) != 0) return -1;
  fcntl(g_signal_pipe[0], F_SETFL, O_NONBLOCK);
  fcntl(g_signal_pipe[1], F_SETFL, O_NONBLOCK);
  struct sigaction sa {};
  sa.sa_handler = OnSignal;
  sigemptyset(&sa.sa_mask);
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGTERM, &sa, nullptr);
  sigaction(SIGHUP, &sa, nullptr);
  signal(SIGPIPE, SIG_IGN);
  return g_signal_pipe[0];
}

// The factory memory, or the image in `path` when one is given.
std::optional<sim::Memory> InitialMemory(const std::string& path) {
  sim::Memory m = sim::FactoryMemory();
  if (path.empty()) return m;
  std::ifstream f(path, std::ios::binary);
  std::vector<char> data((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  if (!f.good() && !f.eof()) {
    std::fprintf(stderr, "gsm-simulator: cannot read %s\n", path.c_str());
    return std::nullopt;
  }
  if (data.size() != sim::kMemorySize) {
    std::fprintf(stderr, "gsm-simulator: %s is not a 65536-byte image\n", path.c_str());
    return std::nullopt;
  }
  std::memcpy(m.data(), data.data(), data.size());
  return m;
}

// Makes the line known: the link, the pid file, the first memory save, the
// path file and the path on standard output, in that order.
bool Announce(const sim::Options& opt, const sim::Line& line, const sim::Controller& ctl) {
  if (!opt.link.empty()) {
    unlink(opt.link.c_str());
    if (symlink(line.path.c_str(), opt.link.c_str()) != 0) {
      std::fprintf(stderr, "gsm-simulator: cannot link %s: %s\n", opt.link.c_str(), std::strerror(errno));
      return false;
    }
  }
  if (!opt.pid_file.empty()) {
    const std::string pid = std::to_string(getpid()) + "\n";
    sim::WriteFileAtomically(opt.pid_file, pid.data(), pid.size());
  }
  if (!opt.save.empty()) sim::WriteFileAtomically(opt.save, ctl.memory().data(), ctl.memory().size());
  if (!opt.path_file.empty()) {
    const std::string text = line.path + "\n";
    sim::WriteFileAtomically(opt.path_file, text.data(), text.size());
  }
  std::printf("%s\n", line.path.c_str());
  std::fflush(stdout);
  return true;
}

void PrintStats(const sim::Stats& s) {
  std::fprintf(stderr,
               "gsm-simulator: %lu frames (%lu probes, %lu prepares, %lu writes, %lu reads), %lu bad, %lu ignored, "
               "%lu corrupted, %lu dropped, %lu negative, %lu unprepared writes, %lu miswrites\n",
               s.frames, s.probes, s.prepares, s.writes, s.reads, s.bad_frames, s.ignored, s.corrupted, s.dropped,
               s.negative, s.unprepared_writes, s.miswrites);
}

}  // namespace

int main(int argc, char** argv) {
  sim::Options opt;
  if (!sim::ParseArgs(argc, argv, opt)) {
    std::fputs(sim::kUsage, stderr);
    return 2;
  }
  if (opt.help) {
    std::fputs(sim::kUsage, stdout);
    return 0;
  }
  const std::optional<sim::Memory> initial = InitialMemory(opt.load);
  if (!initial) return 2;
  sim::Controller ctl(*initial, opt.faults);

  const int stop_fd = SignalPipe();
  if (stop_fd < 0) return 1;
  std::string error;
  sim::Line line = sim::OpenLine(opt.device, &error);
  if (line.fd < 0) {
    std::fprintf(stderr, "gsm-simulator: %s\n", error.c_str());
    return 1;
  }
  if (!Announce(opt, line, ctl)) return 1;

  sim::Serve(ctl, line, opt, stop_fd);

  if (!opt.save.empty()) sim::WriteFileAtomically(opt.save, ctl.memory().data(), ctl.memory().size());
  if (!opt.link.empty()) unlink(opt.link.c_str());
  PrintStats(ctl.stats());
  sim::CloseLine(line);
  return 0;
}
