// Benchmark: the window's transfers, from the click on "Save Settings" /
// "Read Settings" to the success box, and gsmcfg's "read" and
// "write --verify" as whole programs (process start, port open, transfer,
// file write), against the simulator on a pseudo-terminal: once answering
// at once, once at the pace of a 38400-baud line. Beside them the time the
// bytes need on the wire at 38400 baud (10 bits a byte), and gsmcfg's own
// overhead over the window's transfer time.
//
//   transfer_bench [runs]   (default 10 of each)
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "app/umset.h"
#include "framework/headless/headless.h"
#include "serial/comm.h"
#include "sim_process.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// Bytes on the line for one transfer whose first probe is answered.
constexpr int kDownloadBytes = (7 + 7 * 7 + 9 * 134) + (7 + 7 * 7 + 9 * 7);
constexpr int kUploadBytes = (7 + 9 * 7) + (7 + 9 * 134);
constexpr double kWireMsPerByte = 10.0 * 1000.0 / 38400.0;

struct Figures {
  std::vector<double> ms;
  double Median() const {
    std::vector<double> v = ms;
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
  }
  double Min() const { return ms.empty() ? 0 : *std::min_element(ms.begin(), ms.end()); }
  double Max() const { return ms.empty() ? 0 : *std::max_element(ms.begin(), ms.end()); }
};

double TimeMs(const std::function<bool()>& run) {
  const auto t0 = Clock::now();
  if (!run()) return -1;
  return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

// Runs gsmcfg to its end; true when it exits with status 0.
bool RunGsmcfg(std::vector<std::string> args) {
  args.insert(args.begin(), GSM_GSMCFG);
  args.push_back("--quiet");
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t fa;
  posix_spawn_file_actions_init(&fa);
  posix_spawn_file_actions_addopen(&fa, 1, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  const int rc = posix_spawn(&pid, GSM_GSMCFG, &fa, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&fa);
  if (rc != 0) return false;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The window's transfer: click, pump until the box, then until the port closes.
bool WindowTransfer(Tfrm_mset& w, bool download) {
  fw::headless::ResetScripts();
  (download ? w.btn_down : w.btn_load)->Click();
  const bool ok = fw::headless::PumpUntil([] { return !fw::headless::ShownMessages().empty(); }, 60000);
  const std::string box = ok ? fw::headless::ShownMessages()[0].text : "(none)";
  fw::headless::PumpUntil([&] { return !w.mycom->Opened(); }, 5000);
  return box == (download ? "DownLoad Success" : "UpLoad Success");
}

void Line(const char* what, const Figures& f, const char* wire) {
  std::printf("  %-24s median %5.0f ms (min %5.0f, max %5.0f)%s\n", what, f.Median(), f.Min(), f.Max(), wire);
}

// One simulator, all four measurements; false when a run failed.
bool Measure(const char* title, std::vector<std::string> sim_args, int runs, const std::string& dir) {
  SimProcess sim;
  if (!sim.Start(GSM_SIMULATOR, std::move(sim_args), dir + "/memory.bin", dir + "/sim.log")) {
    std::fprintf(stderr, "simulator did not start\n");
    return false;
  }
  auto w = std::make_unique<Tfrm_mset>(nullptr);
  w->cbox_com->SetText(sim.path());
  const std::string profile = dir + "/bench.sf";
  if (!RunGsmcfg({"read", sim.path(), "-o", profile})) {
    std::fprintf(stderr, "gsmcfg read failed\n");
    return false;
  }

  Figures down, up, cli_read, cli_write;
  for (int i = 0; i < runs; ++i) {
    const double d = TimeMs([&] { return WindowTransfer(*w, true); });
    const double u = TimeMs([&] { return WindowTransfer(*w, false); });
    const double r = TimeMs([&] { return RunGsmcfg({"read", sim.path(), "-o", profile}); });
    const double v = TimeMs([&] { return RunGsmcfg({"write", sim.path(), profile, "--verify"}); });
    if (d < 0 || u < 0 || r < 0 || v < 0) {
      std::fprintf(stderr, "run %d failed (%.0f %.0f %.0f %.0f)\n", i, d, u, r, v);
      return false;
    }
    down.ms.push_back(d);
    up.ms.push_back(u);
    cli_read.ms.push_back(r);
    cli_write.ms.push_back(v);
  }
  w.reset();

  char wire_down[64], wire_up[64], wire_both[64];
  std::snprintf(wire_down, sizeof wire_down, "; wire %.0f ms", kDownloadBytes * kWireMsPerByte);
  std::snprintf(wire_up, sizeof wire_up, "; wire %.0f ms", kUploadBytes * kWireMsPerByte);
  std::snprintf(wire_both, sizeof wire_both, "; wire %.0f ms", (kDownloadBytes + kUploadBytes) * kWireMsPerByte);
  std::printf("%s, %d runs each\n", title, runs);
  Line("window Save Settings", down, wire_down);
  Line("window Read Settings", up, wire_up);
  Line("gsmcfg read", cli_read, wire_up);
  Line("gsmcfg write --verify", cli_write, wire_both);
  std::printf("  gsmcfg overhead: read %+.0f ms over Read Settings, write --verify %+.0f ms over Save + Read "
              "Settings (goal: at most 50 ms)\n",
              cli_read.Median() - up.Median(), cli_write.Median() - down.Median() - up.Median());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  char tmpl[] = "/tmp/gsm-bench-XXXXXX";
  if (!mkdtemp(tmpl)) return 1;
  const std::string dir = tmpl;
  std::printf("wire time: %d bytes for a download, %d for an upload, at 38400 baud\n", kDownloadBytes, kUploadBytes);
  const bool ok = Measure("simulator answering at once", {}, runs, dir) &&
                  Measure("simulator at the pace of a 38400-baud line", {"--line-rate", "38400"}, runs, dir);
  std::printf("(every transfer includes the 200 ms before the first probe; the window's port delivers each\n"
              " reply 20 ms after its last byte, by its read-interval time-out)\n");
  std::filesystem::remove_all(dir);
  return ok ? 0 : 1;
}
