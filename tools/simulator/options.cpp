#include "simulator/options.h"

#include <cerrno>
#include <cstdlib>

namespace sim {

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
    "  --miswrite ADDR[:OFFSET]   store the block written at ADDR (hex) with the byte at OFFSET\n"
    "                         (default 1) inverted, and acknowledge it as stored\n"
    "  --line-rate BAUD       take and send bytes at the pace of a line of BAUD (10 bits a byte)\n"
    "  --load FILE            start from this raw 65536-byte memory image\n"
    "  --save FILE            write the memory to FILE after every change and at exit\n"
    "  --verbose              log every frame to standard error\n";

namespace {

bool ParseNumber(const char* s, double& out) {
  char* end = nullptr;
  errno = 0;
  out = std::strtod(s, &end);
  return errno == 0 && end != s && *end == 0 && out >= 0;
}

}  // namespace

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
      o.help = true;
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
      if (!ParseMuteOption(v, o.faults)) return false;
    } else if (a == "--miswrite") {
      if (!ParseMiswriteOption(v, o.faults)) return false;
    } else if (!ParseNumber(v, d)) {
      return false;
    } else if (a == "--reply-delay") {
      o.reply_delay_ms = unsigned(d);
    } else if (a == "--power-on-delay") {
      o.power_on_delay_ms = unsigned(d);
    } else if (a == "--line-rate" && d >= 300 && d <= 4000000) {
      o.line_rate = unsigned(d);
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

}  // namespace sim
