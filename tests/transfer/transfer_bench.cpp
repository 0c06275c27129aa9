// Benchmark: time from the click on "Save Settings" / "Read Settings" to the
// success box, with the window, the POSIX serial component and a zero-delay
// simulator on a pseudo-terminal, beside the time the same bytes would need
// on a real line at 38400 baud (10 bits a byte).
//
//   transfer_bench [runs]   (default 10 of each)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

#include "app/umset.h"
#include "framework/headless/headless.h"
#include "serial/comm.h"
#include "sim_process.h"

namespace {

// Bytes on the line for one transfer whose first probe is answered.
constexpr int kDownloadBytes = (7 + 7 * 7 + 9 * 134) + (7 + 7 * 7 + 9 * 7);
constexpr int kUploadBytes = (7 + 9 * 7) + (7 + 9 * 134);
constexpr double kWireMsPerByte = 10.0 * 1000.0 / 38400.0;

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  char tmpl[] = "/tmp/gsm-bench-XXXXXX";
  if (!mkdtemp(tmpl)) return 1;
  const std::string dir = tmpl;
  SimProcess sim;
  if (!sim.Start(GSM_SIMULATOR, {}, dir + "/memory.bin", dir + "/sim.log")) {
    std::fprintf(stderr, "simulator did not start\n");
    return 1;
  }
  auto w = std::make_unique<Tfrm_mset>(nullptr);
  w->cbox_com->SetText(sim.path());

  std::vector<double> down, up;
  for (int i = 0; i < 2 * runs; ++i) {
    const bool download = i % 2 == 0;
    fw::headless::ResetScripts();
    const auto t0 = std::chrono::steady_clock::now();
    (download ? w->btn_down : w->btn_load)->Click();
    const bool ok = fw::headless::PumpUntil([] { return !fw::headless::ShownMessages().empty(); }, 60000);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    const std::string box = ok ? fw::headless::ShownMessages()[0].text : "(none)";
    if (box != (download ? "DownLoad Success" : "UpLoad Success")) {
      std::fprintf(stderr, "run %d: box \"%s\"\n", i, box.c_str());
      return 1;
    }
    (download ? down : up).push_back(ms);
    fw::headless::PumpUntil([&] { return !w->mycom->Opened(); }, 5000);
  }
  w.reset();
  sim.Stop();
  std::filesystem::remove_all(dir);

  std::printf("transfer click to success box, %d runs each, zero-delay simulator on a pty\n", runs);
  std::printf("  download: median %.0f ms (min %.0f, max %.0f); wire time at 38400 baud %.0f ms (%d bytes)\n",
              Median(down), *std::min_element(down.begin(), down.end()), *std::max_element(down.begin(), down.end()),
              kDownloadBytes * kWireMsPerByte, kDownloadBytes);
  std::printf("  upload:   median %.0f ms (min %.0f, max %.0f); wire time at 38400 baud %.0f ms (%d bytes)\n",
              Median(up), *std::min_element(up.begin(), up.end()), *std::max_element(up.begin(), up.end()),
              kUploadBytes * kWireMsPerByte, kUploadBytes);
  std::printf("  (both include the 200 ms before the first probe; each reply is delivered 20 ms after its last\n"
              "   byte by the port's read-interval time-out)\n");
  return 0;
}
