// gsm-simulator: a controller on a serial line, for trying and testing the
// configurator without hardware.
//
// It opens a new pseudo-terminal and prints the path of its terminal side as
// the first line on standard output (or uses the serial device given), then
// answers the configurator's frames until it gets SIGINT, SIGTERM or SIGHUP,
// when it saves its memory (if asked to) and exits with status 0.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "simulator/sim_controller.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
  std::string device;
  std::string link;
  std::string path_file;
  std::string pid_file;
  std::string load;
  std::string save;
  unsigned reply_delay_ms = 0;
  unsigned power_on_delay_ms = 0;
  sim::FaultOptions faults;
  bool verbose = false;
};

const char kUsage[] =
    "usage: gsm-simulator [options]\n"
    "  --device PATH          answer on this serial device instead of a new pseudo-terminal\n"
    "  --link PATH            make PATH a symbolic link to the pseudo-terminal (removed at exit)\n"
    "  --path-file FILE       write the terminal's path to FILE once it is ready\n"
    "  --pid-file FILE        write the process id to FILE\n"
    "  --reply-delay MS       wait MS milliseconds before each reply (default 0)\n"
    "  --power-on-delay MS    ignore every frame for MS milliseconds after start\n"
    "  --corrupt PCT          flip one bit in PCT percent of the replies\n"
    "  --drop PCT             leave PCT percent of the commands unanswered\n"
    "  --negative PCT         answer PCT percent of connect, prepare and write with status 0\n"
    "  --seed N               seed of the fault choices (default 1)\n"
    "  --never-answer CMD[:ADDR]  never answer connect|prepare|write|read (at ADDR, hex)\n"
    "  --load FILE            start from this raw 65536-byte memory image\n"
    "  --save FILE            write the memory to FILE after every change and at exit\n"
    "  --verbose              log every frame to standard error\n";

int g_signal_pipe[2] = {-1, -1};

void OnSignal(int sig) {
  const unsigned char b = static_cast<unsigned char>(sig);
  ssize_t r = write(g_signal_pipe[1], &b, 1);
  (void)r;
}

bool ParseNumber(const char* s, double& out) {
  char* end = nullptr;
  errno = 0;
  out = std::strtod(s, &end);
  return errno == 0 && end != s && *end == 0 && out >= 0;
}

bool ParseArgs(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto value = [&](const char*& v) {
      if (i + 1 >= argc) return false;
      v = argv[++i];
      return true;
    };
    const char* v = nullptr;
    double d = 0;
    if (a == "--verbose") {
      o.verbose = true;
    } else if (a == "--help" || a == "-h") {
      std::fputs(kUsage, stdout);
      std::exit(0);
    } else if (!value(v)) {
      return false;
    } else if (a == "--device") {
      o.device = v;
    } else if (a == "--link") {
      o.link = v;
    } else if (a == "--path-file") {
      o.path_file = v;
    } else if (a == "--pid-file") {
      o.pid_file = v;
    } else if (a == "--load") {
      o.load = v;
    } else if (a == "--save") {
      o.save = v;
    } else if (a == "--never-answer") {
      if (!sim::ParseMuteOption(v, o.faults)) return false;
    } else if (!ParseNumber(v, d)) {
      return false;
    } else if (a == "--reply-delay") {
      o.reply_delay_ms = unsigned(d);
    } else if (a == "--power-on-delay") {
      o.power_on_delay_ms = unsigned(d);
    } else if (a == "--corrupt" && d <= 100) {
      o.faults.corrupt_rate = d / 100;
    } else if (a == "--drop" && d <= 100) {
      o.faults.drop_rate = d / 100;
    } else if (a == "--negative" && d <= 100) {
      o.faults.negative_rate = d / 100;
    } else if (a == "--seed") {
      o.faults.seed = uint32_t(d);
    } else {
      return false;
    }
  }
  return true;
}

// Writes a file in one step: a temporary file beside it, then a rename.
bool WriteFileAtomically(const std::string& path, const void* data, size_t n) {
  const std::string tmp = path + ".tmp";
  {
    std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
    if (!f.write(static_cast<const char*>(data), std::streamsize(n))) return false;
  }
  return std::rename(tmp.c_str(), path.c_str()) == 0;
}

void MakeRaw(int fd) {
  termios t{};
  if (tcgetattr(fd, &t) != 0) return;
  cfmakeraw(&t);
  cfsetispeed(&t, B38400);
  cfsetospeed(&t, B38400);
  t.c_cflag |= CLOCAL | CREAD;
  tcsetattr(fd, TCSANOW, &t);
}

// Opens a new pseudo-terminal; returns the controller side and sets `path`
// to the terminal side, which stays open in `keep` so that the controller
// side never sees a hang-up when the configurator closes the port.
int OpenPty(std::string& path, int& keep) {
  const int m = posix_openpt(O_RDWR | O_NOCTTY);
  if (m < 0 || grantpt(m) != 0 || unlockpt(m) != 0) return -1;
  const char* name = ptsname(m);
  if (!name) return -1;
  path = name;
  keep = open(name, O_RDWR | O_NOCTTY);
  if (keep < 0) return -1;
  MakeRaw(keep);
  return m;
}

std::string Hex(const std::vector<uint8_t>& b, size_t max = 12) {
  std::string s;
  char t[4];
  for (size_t i = 0; i < b.size() && i < max; ++i) {
    std::snprintf(t, sizeof t, "%02X ", b[i]);
    s += t;
  }
  if (b.size() > max) s += "...";
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  Options opt;
  if (!ParseArgs(argc, argv, opt)) {
    std::fputs(kUsage, stderr);
    return 2;
  }

  sim::Memory initial = sim::FactoryMemory();
  if (!opt.load.empty()) {
    std::ifstream f(opt.load, std::ios::binary);
    std::vector<char> data((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (!f.good() && !f.eof()) {
      std::fprintf(stderr, "gsm-simulator: cannot read %s\n", opt.load.c_str());
      return 2;
    }
    if (data.size() != sim::kMemorySize) {
      std::fprintf(stderr, "gsm-simulator: %s is not a 65536-byte image\n", opt.load.c_str());
      return 2;
    }
    std::memcpy(initial.data(), data.data(), data.size());
  }
  sim::Controller ctl(initial, opt.faults);

  if (pipe(g_signal_pipe) != 0) return 1;
  fcntl(g_signal_pipe[0], F_SETFL, O_NONBLOCK);
  fcntl(g_signal_pipe[1], F_SETFL, O_NONBLOCK);
  struct sigaction sa {};
  sa.sa_handler = OnSignal;
  sigemptyset(&sa.sa_mask);
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGTERM, &sa, nullptr);
  sigaction(SIGHUP, &sa, nullptr);
  signal(SIGPIPE, SIG_IGN);

  std::string path;
  int keep = -1;
  int fd = -1;
  if (opt.device.empty()) {
    fd = OpenPty(path, keep);
  } else {
    path = opt.device;
    fd = open(path.c_str(), O_RDWR | O_NOCTTY);
    if (fd >= 0) MakeRaw(fd);
  }
  if (fd < 0) {
    std::fprintf(stderr, "gsm-simulator: cannot open %s: %s\n", path.empty() ? "a pseudo-terminal" : path.c_str(),
                 std::strerror(errno));
    return 1;
  }
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);

  if (!opt.link.empty()) {
    unlink(opt.link.c_str());
    if (symlink(path.c_str(), opt.link.c_str()) != 0) {
      std::fprintf(stderr, "gsm-simulator: cannot link %s: %s\n", opt.link.c_str(), std::strerror(errno));
      return 1;
    }
  }
  if (!opt.pid_file.empty()) {
    const std::string pid = std::to_string(getpid()) + "\n";
    WriteFileAtomically(opt.pid_file, pid.data(), pid.size());
  }
  if (!opt.save.empty()) WriteFileAtomically(opt.save, ctl.memory().data(), ctl.memory().size());
  if (!opt.path_file.empty()) {
    const std::string line = path + "\n";
    WriteFileAtomically(opt.path_file, line.data(), line.size());
  }
  std::printf("%s\n", path.c_str());
  std::fflush(stdout);

  const auto started = Clock::now();
  const auto powered = started + std::chrono::milliseconds(opt.power_on_delay_ms);
  ctl.SetPoweringOn(opt.power_on_delay_ms > 0);

  struct Pending {
    Clock::time_point due;
    std::vector<uint8_t> bytes;
  };
  std::deque<Pending> replies;
  std::vector<uint8_t> out;  // bytes due but not yet taken by the terminal
  bool running = true;

  while (running) {
    const auto now = Clock::now();
    if (now >= powered) ctl.SetPoweringOn(false);
    while (!replies.empty() && replies.front().due <= now) {
      out.insert(out.end(), replies.front().bytes.begin(), replies.front().bytes.end());
      replies.pop_front();
    }
    if (!out.empty()) {
      const ssize_t w = write(fd, out.data(), out.size());
      if (w > 0) out.erase(out.begin(), out.begin() + w);
      // Nobody reads the terminal: keep the newest 64 KiB at most.
      if (out.size() > 65536) out.erase(out.begin(), out.end() - 65536);
    }

    int timeout = -1;
    auto until = [&](Clock::time_point t) {
      const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(t - now).count() + 1;
      const int m = ms < 0 ? 0 : int(ms);
      if (timeout < 0 || m < timeout) timeout = m;
    };
    if (!replies.empty()) until(replies.front().due);
    if (now < powered) until(powered);
    if (!out.empty() && (timeout < 0 || timeout > 10)) timeout = 10;

    pollfd p[2] = {{fd, POLLIN, 0}, {g_signal_pipe[0], POLLIN, 0}};
    if (poll(p, 2, timeout) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (p[1].revents & POLLIN) running = false;
    if (p[0].revents & POLLIN) {
      uint8_t buf[512];
      const ssize_t r = read(fd, buf, sizeof buf);
      if (r > 0) {
        if (opt.verbose) std::fprintf(stderr, "gsm-simulator: in  %s\n", Hex(std::vector<uint8_t>(buf, buf + r)).c_str());
        auto got = ctl.Feed(buf, size_t(r));
        const auto due = Clock::now() + std::chrono::milliseconds(opt.reply_delay_ms);
        for (auto& g : got) {
          if (opt.verbose) std::fprintf(stderr, "gsm-simulator: out %s\n", Hex(g).c_str());
          replies.push_back({due, std::move(g)});
        }
        if (ctl.TakeDirty() && !opt.save.empty())
          WriteFileAtomically(opt.save, ctl.memory().data(), ctl.memory().size());
        if (opt.reply_delay_ms == 0) continue;  // reply at once, at the top of the loop
      }
    } else if (p[0].revents & (POLLERR | POLLHUP | POLLNVAL)) {
      // A device that went away; a pseudo-terminal never gets here because
      // its terminal side stays open.
      if (!opt.device.empty()) break;
    }
  }

  if (!opt.save.empty()) WriteFileAtomically(opt.save, ctl.memory().data(), ctl.memory().size());
  if (!opt.link.empty()) unlink(opt.link.c_str());
  const auto& s = ctl.stats();
  std::fprintf(stderr,
               "gsm-simulator: %lu frames (%lu probes, %lu prepares, %lu writes, %lu reads), %lu bad, %lu ignored, "
               "%lu corrupted, %lu dropped, %lu negative, %lu unprepared writes\n",
               s.frames, s.probes, s.prepares, s.writes, s.reads, s.bad_frames, s.ignored, s.corrupted, s.dropped,
               s.negative, s.unprepared_writes);
  if (keep >= 0) close(keep);
  close(fd);
  return 0;
}
