// Finding the port a unit is on, against the controller simulator and
// pseudo-terminals the test plays the other end of: a unit, a unit that
// never answers, nothing attached, an adapter that echoes, a chatty device,
// a device that goes away and a port that does not exist, all probed at
// once.
#include "cli/unit_finder.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <map>
#include <mutex>
#include <thread>

#include "cli/find_command.h"
#include "sim_process.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using cli::PortOutcome;

// File descriptors of this process open on the device.
int OpenFdsTo(const std::string& device) {
  int n = 0;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator("/proc/self/fd", ec)) {
    std::error_code rl;
    if (fs::read_symlink(e.path(), rl) == device) ++n;
  }
  return n;
}

// A pseudo-terminal whose other end the test plays, on a thread of its own.
class FakeDevice {
 public:
  enum class Kind {
    Silent,     // nothing attached: what is sent goes nowhere
    Echo,       // an adapter that hears itself (or a loopback plug)
    Chatter,    // a device that talks on its own (a GPS receiver, say)
    Vanishing,  // gone (its master closed) once the first probe arrived
  };

  explicit FakeDevice(Kind kind) : kind_(kind) {
    int slave = -1;
    char name[128];
    if (openpty(&master_, &slave, name, nullptr, nullptr) != 0) return;
    path_ = name;
    close(slave);
    // Never blocks the test: what a closed port cannot take is dropped.
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    thread_ = std::thread([this] { Play(); });
  }
  ~FakeDevice() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    if (master_ >= 0) close(master_);
  }
  const std::string& path() const { return path_; }
  bool Probed() const { return received_ > 0; }

 private:
  void Play() {
    std::string text;
    while (text.size() < 512) text += "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";
    while (!stop_) {
      pollfd p{master_, POLLIN, 0};
      if (poll(&p, 1, 20) <= 0 || !(p.revents & POLLIN)) {
        // No slave open (the master reports a hang-up then): wait a little.
        if (p.revents & POLLHUP) std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (kind_ == Kind::Chatter && received_ > 0) Write(text.data(), text.size());
        continue;
      }
      uint8_t buf[512];
      const ssize_t n = read(master_, buf, sizeof buf);
      if (n <= 0) continue;  // no slave open yet
      received_ += size_t(n);
      if (kind_ == Kind::Echo) Write(buf, size_t(n));
      if (kind_ == Kind::Vanishing) {
        close(master_);
        master_ = -1;
        return;
      }
    }
  }
  void Write(const void* data, size_t n) {
    ssize_t w = write(master_, data, n);
    (void)w;
  }

  Kind kind_;
  int master_ = -1;
  std::string path_;
  std::atomic<bool> stop_{false};
  std::atomic<size_t> received_{0};
  std::thread thread_;
};

class UnitFinder : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/gsm-find-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
  }
  void TearDown() override { fs::remove_all(dir_); }

  bool StartSim(SimProcess& sim, std::vector<std::string> args, const std::string& tag) {
    return sim.Start(GSM_SIMULATOR, std::move(args), dir_ + "/" + tag + ".bin", dir_ + "/" + tag + ".log");
  }

  // Reports as they come, with whether the port was still open then.
  struct Seen {
    cli::PortReport report;
    int fds_open;
    Clock::time_point at;
  };
  cli::FindOptions Options(int wait_ms) {
    cli::FindOptions o;
    o.wait_ms = wait_ms;
    o.interrupted = [this] { return interrupt_.load(); };
    o.on_report = [this](const cli::PortReport& r) {
      std::lock_guard<std::mutex> lock(mu_);
      seen_[r.port.name] = {r, OpenFdsTo(r.port.name), Clock::now()};
    };
    return o;
  }
  std::optional<Seen> SeenOf(const std::string& name) {
    std::lock_guard<std::mutex> lock(mu_);
    auto it = seen_.find(name);
    if (it == seen_.end()) return std::nullopt;
    return it->second;
  }
  static std::map<std::string, PortOutcome> Outcomes(const cli::FindResult& r) {
    std::map<std::string, PortOutcome> m;
    for (const auto& p : r.ports) m[p.port.name] = p.outcome;
    return m;
  }

  std::string dir_;
  std::atomic<bool> interrupt_{false};
  std::mutex mu_;
  std::map<std::string, Seen> seen_;
};

TEST_F(UnitFinder, FindsTheUnitAmongPortsThatDoNotHoldOne) {
  SimProcess unit, mute;
  ASSERT_TRUE(StartSim(unit, {}, "unit"));
  ASSERT_TRUE(StartSim(mute, {"--never-answer", "connect"}, "mute"));
  FakeDevice silent(FakeDevice::Kind::Silent);
  const std::string missing = dir_ + "/no-such-port";
  const std::vector<serial::PortInfo> ports = {
      {mute.path(), ""}, {silent.path(), ""}, {missing, ""}, {unit.path(), "Unit adapter"}};

  const auto t0 = Clock::now();
  const cli::FindResult r = cli::FindUnits(ports, Options(30000));
  // The search ends a second after the unit answered, not with the wait.
  EXPECT_LT(Clock::now() - t0, std::chrono::seconds(15));
  EXPECT_FALSE(r.interrupted);
  ASSERT_EQ(r.Units().size(), 1u);
  EXPECT_EQ(r.Units()[0].name, unit.path());
  EXPECT_EQ(r.Units()[0].description, "Unit adapter");
  const auto outcome = Outcomes(r);
  EXPECT_EQ(outcome.at(mute.path()), PortOutcome::NoAnswer);
  EXPECT_EQ(outcome.at(silent.path()), PortOutcome::NoAnswer);
  EXPECT_EQ(outcome.at(missing), PortOutcome::CannotOpen);
  EXPECT_TRUE(silent.Probed());
  // Every port is closed once the search is over.
  for (const auto& p : ports) EXPECT_EQ(OpenFdsTo(p.name), 0) << p.name;
  // What happened to each is reported once, the port closed by then.
  for (const auto& p : ports) {
    const auto s = SeenOf(p.name);
    ASSERT_TRUE(s) << p.name;
    EXPECT_EQ(s->fds_open, 0) << p.name;
  }
  EXPECT_NE(SeenOf(missing)->report.reason, "");
}

// Ports known not to hold a unit are closed at once, while the others are
// still probed; Ctrl-C then ends the search and closes the rest.
TEST_F(UnitFinder, PortsWithoutAUnitAreReleasedAtOnceAndCtrlCClosesTheRest) {
  SimProcess mute;
  ASSERT_TRUE(StartSim(mute, {"--never-answer", "connect"}, "mute"));
  FakeDevice silent(FakeDevice::Kind::Silent), echo(FakeDevice::Kind::Echo);
  FakeDevice chatter(FakeDevice::Kind::Chatter), vanishing(FakeDevice::Kind::Vanishing);
  const std::vector<serial::PortInfo> ports = {
      {mute.path(), ""}, {silent.path(), ""}, {echo.path(), ""}, {chatter.path(), ""}, {vanishing.path(), ""}};

  cli::FindOptions o = Options(0);  // no time limit: only Ctrl-C ends it
  cli::FindResult r;
  std::thread search([&] { r = cli::FindUnits(ports, o); });
  const auto deadline = Clock::now() + std::chrono::seconds(30);
  while (!(SeenOf(chatter.path()) && SeenOf(vanishing.path())) && Clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  // Released while the search goes on; the others, which may still get a
  // unit switched on behind them, still open.
  for (const auto* d : {&chatter, &vanishing}) EXPECT_EQ(OpenFdsTo(d->path()), 0) << d->path();
  for (const auto& p : {silent.path(), echo.path(), mute.path()}) EXPECT_EQ(OpenFdsTo(p), 1) << p;
  EXPECT_TRUE(echo.Probed());
  interrupt_ = true;
  search.join();

  EXPECT_TRUE(r.interrupted);
  EXPECT_TRUE(r.Units().empty());
  const auto outcome = Outcomes(r);
  EXPECT_EQ(outcome.at(echo.path()), PortOutcome::NoAnswer);
  EXPECT_EQ(outcome.at(chatter.path()), PortOutcome::NotAUnit);
  EXPECT_EQ(outcome.at(vanishing.path()), PortOutcome::Failed);
  EXPECT_EQ(outcome.at(silent.path()), PortOutcome::NoAnswer);
  EXPECT_EQ(outcome.at(mute.path()), PortOutcome::NoAnswer);
  for (const auto& p : ports) EXPECT_EQ(OpenFdsTo(p.name), 0) << p.name;
}

// Ten ports take no longer than one: all are probed at once, and the
// search ends with the wait.
TEST_F(UnitFinder, ManyPortsAreProbedAtOnce) {
  std::vector<std::unique_ptr<FakeDevice>> devices;
  std::vector<serial::PortInfo> ports;
  for (int i = 0; i < 10; ++i) {
    devices.push_back(std::make_unique<FakeDevice>(FakeDevice::Kind::Silent));
    ports.push_back({devices.back()->path(), ""});
  }
  const auto t0 = Clock::now();
  const cli::FindResult r = cli::FindUnits(ports, Options(1500));
  const auto took = Clock::now() - t0;
  EXPECT_GE(took, std::chrono::milliseconds(1500));
  EXPECT_LT(took, std::chrono::seconds(6));  // one after the other: 15 s
  EXPECT_TRUE(r.wait_ran_out);
  EXPECT_TRUE(r.Units().empty());
  for (const auto& d : devices) EXPECT_TRUE(d->Probed()) << d->path();
}

TEST_F(UnitFinder, FindListsEveryUnitAndAutoTakesOnlyASingleOne) {
  SimProcess a, b;
  ASSERT_TRUE(StartSim(a, {}, "a"));
  ASSERT_TRUE(StartSim(b, {}, "b"));
  FakeDevice silent(FakeDevice::Kind::Silent);
  const std::string missing = dir_ + "/no-such-port";
  const std::vector<serial::PortInfo> ports = {{a.path(), "USB Serial Port (COM3)"}, {missing, ""}, {silent.path(), ""},
                                               {b.path(), ""}};
  cli::Command find;
  find.verb = cli::Verb::Find;
  find.quiet = true;
  find.wait_ms = 20000;
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  EXPECT_EQ(cli::RunFindAmong(find, ports), 0);
  const std::string out = testing::internal::GetCapturedStdout();
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(out, a.path() + "  USB Serial Port (COM3)\n" + b.path() + "\n");
  // A port that cannot be opened is named, even when quiet.
  EXPECT_NE(err.find("skipped " + missing), std::string::npos) << err;

  cli::Command read;
  read.verb = cli::Verb::Read;
  read.port = "auto";
  read.output = dir_ + "/x.sf";
  read.quiet = true;
  ASSERT_TRUE(cli::NamesAutoPort(read));
  testing::internal::CaptureStderr();
  EXPECT_EQ(cli::ResolveAutoPortAmong(read, ports), 2);
  err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find(a.path() + " and " + b.path()), std::string::npos) << err;
  EXPECT_EQ(read.port, "auto");

  // With one unit left, auto is its port.
  b.Stop();
  read.wait_ms = 20000;
  EXPECT_EQ(cli::ResolveAutoPortAmong(read, ports), 0);
  EXPECT_EQ(read.port, a.path());
  for (const auto& p : ports) EXPECT_EQ(OpenFdsTo(p.name), 0) << p.name;
}

TEST_F(UnitFinder, WithoutAUnitFindAndAutoEndWithStatus3) {
  FakeDevice silent(FakeDevice::Kind::Silent);
  const std::string missing = dir_ + "/no-such-port";
  struct Case {
    std::vector<serial::PortInfo> ports;
    const char* says;
  } cases[] = {
      {{{silent.path(), ""}, {missing, ""}}, "no unit answered on any of 2 ports within 0.5 s"},
      {{{missing, ""}}, "no serial port could be opened"},
      {{}, "no serial port found"},
  };
  for (const Case& c : cases) {
    cli::Command find;
    find.verb = cli::Verb::Find;
    find.quiet = true;
    find.wait_ms = 500;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_EQ(cli::RunFindAmong(find, c.ports), 3) << c.says;
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find(c.says), std::string::npos) << err;

    cli::Command write;
    write.verb = cli::Verb::Write;
    write.port = "AUTO";
    write.files = {"p.sf"};
    write.quiet = true;
    write.wait_ms = 500;
    testing::internal::CaptureStderr();
    EXPECT_EQ(cli::ResolveAutoPortAmong(write, c.ports), 3) << c.says;
    EXPECT_NE(testing::internal::GetCapturedStderr().find(c.says), std::string::npos);
  }
}

}  // namespace
