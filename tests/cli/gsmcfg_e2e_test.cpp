// gsmcfg as a program against the controller simulator on a
// pseudo-terminal: transfers, faults of the unit and the line, and the exit
// status and message of every kind of failure.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "cli/commands.h"
#include "cli/report.h"
#include "model/change_rules.h"
#include "profile/settings_profile.h"
#include "protocol/settings_image.h"
#include "serial/line/port_list.h"
#include "sim_process.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::string ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

// gsmcfg running as a child, its output in files.
class Gsmcfg {
 public:
  Gsmcfg(const std::string& dir, std::vector<std::string> args) : out_(dir + "/out.txt"), err_(dir + "/err.txt") {
    args.insert(args.begin(), GSM_GSMCFG);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, 1, out_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&fa, 2, err_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (posix_spawn(&pid_, GSM_GSMCFG, &fa, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&fa);
  }
  ~Gsmcfg() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  // The exit status, or -1 when it has not ended within the time (then it
  // is killed).
  int Wait(int timeout_ms = 30000) {
    const auto end = Clock::now() + std::chrono::milliseconds(timeout_ms);
    int status = 0;
    while (waitpid(pid_, &status, WNOHANG) == 0) {
      if (Clock::now() > end) return -1;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  void Interrupt() { kill(pid_, SIGINT); }
  bool WaitForOutput(const std::string& text, int timeout_ms = 30000) { return WaitFor(&Gsmcfg::Out, text, timeout_ms); }
  bool WaitForProgress(const std::string& text, int timeout_ms = 30000) { return WaitFor(&Gsmcfg::Err, text, timeout_ms); }
  std::string Out() const { return ReadFile(out_); }
  std::string Err() const { return ReadFile(err_); }

 private:
  bool WaitFor(std::string (Gsmcfg::*stream)() const, const std::string& text, int timeout_ms) const {
    const auto end = Clock::now() + std::chrono::milliseconds(timeout_ms);
    while ((this->*stream)().find(text) == std::string::npos) {
      if (Clock::now() > end) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
  }

  pid_t pid_ = -1;
  std::string out_, err_;
};

class GsmcfgE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/gsmcfg-e2e-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
  }
  void TearDown() override { fs::remove_all(dir_); }

  // A simulator on a pty reached through the link `port` (a fixed name, as
  // a USB adapter keeps its name when units are swapped).
  bool StartSim(SimProcess& sim, std::vector<std::string> args, const std::string& tag = "sim") {
    args.insert(args.end(), {"--link", port_});
    return sim.Start(GSM_SIMULATOR, args, dir_ + "/" + tag + ".bin", dir_ + "/" + tag + ".log");
  }
  int Run(std::vector<std::string> args, std::string* err = nullptr, int timeout_ms = 30000) {
    Gsmcfg g(dir_, std::move(args));
    const int status = g.Wait(timeout_ms);
    if (err) *err = g.Err();
    return status;
  }
  // The image the window would send for a profile.
  protocol::SettingsImageBytes Encoded(const std::string& profile_path) {
    model::Settings s;
    EXPECT_TRUE(profile::LoadProfile(profile_path, &s).ok);
    model::ApplyChangeRules(s);
    protocol::SettingsImageBytes image;
    protocol::ClearImage(image);
    EXPECT_TRUE(protocol::EncodeImage(s, image));
    return image;
  }
  static void ExpectBlocks(const std::vector<uint8_t>& memory, const protocol::SettingsImageBytes& image) {
    ASSERT_EQ(memory.size(), 65536u);
    for (uint16_t a : protocol::kImageBlocks)
      for (unsigned i = 0; i < protocol::kBlockSize; ++i)
        ASSERT_EQ(memory[a + i], image[a + i]) << "address " << std::hex << a + i;
  }
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }

  std::string dir_;
  std::string port_ = "/tmp/gsmcfg-e2e-port-" + std::to_string(getpid());
};

TEST_F(GsmcfgE2E, ReadThenWriteIntoAnotherUnit) {
  SimProcess a;
  ASSERT_TRUE(StartSim(a, {}, "a"));
  ASSERT_EQ(Run({"read", port_, "-o", Path("site.sf"), "--quiet"}), 0);
  a.Stop();
  const std::string text = ReadFile(Path("site.sf"));
  EXPECT_EQ(text.rfind("[COM]\r\nComName=" + port_ + "\r\n[SMS]\r\nsms1=5550199\r\n", 0), 0u) << text;
  EXPECT_NE(text.find("tel1=5550100\r\n"), std::string::npos);

  // Into an erased unit: it ends up holding exactly the encoded profile.
  std::vector<uint8_t> erased(65536, 0xFF);
  std::ofstream(Path("erased.bin"), std::ios::binary).write(reinterpret_cast<const char*>(erased.data()), 65536);
  SimProcess b;
  ASSERT_TRUE(StartSim(b, {"--load", Path("erased.bin")}, "b"));
  std::string err;
  ASSERT_EQ(Run({"write", port_, Path("site.sf")}, &err), 0) << err;
  EXPECT_NE(err.find("write: block 9/9"), std::string::npos) << err;
  ASSERT_EQ(b.Stop(), 0);
  ExpectBlocks(b.Memory(), Encoded(Path("site.sf")));
}

TEST_F(GsmcfgE2E, VerifyFindsABlockStoredWrongly) {
  SimProcess sim;
  ASSERT_TRUE(StartSim(sim, {"--miswrite", "0A00:1"}));
  ASSERT_EQ(Run({"read", port_, "-o", Path("p.sf"), "-q"}), 0);
  std::string err;
  EXPECT_EQ(Run({"write", port_, Path("p.sf"), "--verify", "-q"}, &err), 1);
  EXPECT_NE(err.find("block 3 (0x0A00)"), std::string::npos) << err;
  EXPECT_NE(err.find("Report Time (edt_rtt)"), std::string::npos) << err;
}

TEST_F(GsmcfgE2E, BackupKeepsWhatTheUnitHeldBefore) {
  SimProcess sim;
  ASSERT_TRUE(StartSim(sim, {}));
  ASSERT_EQ(Run({"read", port_, "-o", Path("before.sf"), "-q"}), 0);
  std::string profile = ReadFile(Path("before.sf"));
  profile.replace(profile.find("tel1=5550100"), 12, "tel1=5559999");
  std::ofstream(Path("new.sf"), std::ios::binary) << profile;
  fs::create_directory(Path("backups"));
  ASSERT_EQ(Run({"write", port_, Path("new.sf"), "--backup", Path("backups"), "--verify", "-q"}), 0);

  std::vector<fs::path> backups;
  for (auto& e : fs::directory_iterator(Path("backups"))) backups.push_back(e.path());
  ASSERT_EQ(backups.size(), 1u);
  EXPECT_EQ(backups[0].filename().string().rfind("unit-", 0), 0u);
  EXPECT_EQ(ReadFile(backups[0].string()), ReadFile(Path("before.sf")));
  ASSERT_EQ(sim.Stop(), 0);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(sim.Memory().data()) + 0x0200, 7), "5559999");
}

TEST_F(GsmcfgE2E, RepeatWritesOneUnitAfterAnother) {
  SimProcess first;
  ASSERT_TRUE(StartSim(first, {}, "first"));
  ASSERT_EQ(Run({"read", port_, "-o", Path("p.sf"), "-q"}), 0);
  Gsmcfg batch(dir_, {"write", port_, Path("p.sf"), "--repeat", "--verify", "-q"});
  ASSERT_TRUE(batch.WaitForOutput("unit 1: written and verified")) << batch.Out() << batch.Err();
  ASSERT_EQ(first.Stop(), 0);

  SimProcess second;
  ASSERT_TRUE(StartSim(second, {"--corrupt", "5", "--seed", "3"}, "second"));
  ASSERT_TRUE(batch.WaitForOutput("unit 2: written and verified")) << batch.Out() << batch.Err();
  batch.Interrupt();
  EXPECT_EQ(batch.Wait(5000), 130);
  EXPECT_EQ(batch.Out().find("unit 3"), std::string::npos);
  ASSERT_EQ(second.Stop(), 0);
  ExpectBlocks(second.Memory(), Encoded(Path("p.sf")));
}

TEST_F(GsmcfgE2E, FailuresEndWithTheirStatusAndSayWhy) {
  std::string err;
  // No such port.
  EXPECT_EQ(Run({"read", Path("no-such-port"), "-o", Path("x.sf")}, &err), 3);
  EXPECT_NE(err.find("cannot open port"), std::string::npos) << err;
  EXPECT_FALSE(fs::exists(Path("x.sf")));

  // A profile that cannot be encoded is refused before any port is opened.
  std::ofstream(Path("long.sf"), std::ios::binary) << "[TEL]\r\ntel2=01234567890123456789\r\n";
  EXPECT_EQ(Run({"write", Path("no-such-port"), Path("long.sf")}, &err), 2);
  EXPECT_NE(err.find("TEL No.2 (edt_tel2)"), std::string::npos) << err;
  EXPECT_EQ(Run({"write", Path("no-such-port"), Path("missing.sf")}, &err), 2);

  // A unit that never answers, with a short wait.
  SimProcess silent;
  ASSERT_TRUE(StartSim(silent, {"--never-answer", "connect"}));
  const auto t0 = Clock::now();
  EXPECT_EQ(Run({"read", port_, "-o", Path("x.sf"), "--wait", "1"}, &err), 3);
  EXPECT_LT(Clock::now() - t0, std::chrono::seconds(5));
  EXPECT_NE(err.find("did not answer within 1 s"), std::string::npos) << err;
  silent.Stop();

  // A file that cannot be written: nothing is left behind, half or whole.
  SimProcess sim;
  ASSERT_TRUE(StartSim(sim, {}));
  EXPECT_EQ(Run({"read", port_, "-o", Path("no/such/folder/x.sf")}, &err), 2);
  EXPECT_NE(err.find("does not exist"), std::string::npos) << err;
  fs::create_directory(Path("taken.sf"));
  EXPECT_EQ(Run({"read", port_, "-o", Path("taken.sf"), "-q"}, &err), 2);
  EXPECT_NE(err.find("cannot write"), std::string::npos) << err;
  EXPECT_TRUE(fs::is_empty(Path("taken.sf")));
}

TEST_F(GsmcfgE2E, AUnitThatStopsAnsweringOrGoesAway) {
  SimProcess sim;
  ASSERT_TRUE(StartSim(sim, {"--never-answer", "write:0C00"}));
  ASSERT_EQ(Run({"read", port_, "-o", Path("p.sf"), "-q"}), 0);
  // The give-up rule: four sendings, 8 s after the first.
  std::string err;
  EXPECT_EQ(Run({"write", port_, Path("p.sf"), "-q"}, &err, 20000), 3);
  EXPECT_NE(err.find("no reply to the write of block 4 (0x0C00)"), std::string::npos) << err;

  // Ctrl-C while it waits for that reply: the port is closed and the
  // program ends at once.
  Gsmcfg interrupted(dir_, {"write", port_, Path("p.sf")});
  ASSERT_TRUE(fs::exists(port_));
  // Block 3 is acknowledged: block 4 has gone out and waits for its reply.
  ASSERT_TRUE(interrupted.WaitForProgress("write: block 3/9")) << interrupted.Err();
  interrupted.Interrupt();
  EXPECT_EQ(interrupted.Wait(3000), 130);
  EXPECT_NE(interrupted.Err().find("interrupted"), std::string::npos);
  sim.Stop();

  // The port goes away in the middle of a transfer.
  SimProcess slow;
  ASSERT_TRUE(StartSim(slow, {"--reply-delay", "300"}, "slow"));
  Gsmcfg cut(dir_, {"write", port_, Path("p.sf")});
  ASSERT_TRUE(cut.WaitForProgress("write: block 1/9")) << cut.Err();
  slow.Stop();
  EXPECT_EQ(cut.Wait(5000), 3);
  EXPECT_NE(cut.Err().find("failed"), std::string::npos) << cut.Err();
}

// The program lists exactly the ports this machine has (none is a listing
// too), each a device that exists.
TEST_F(GsmcfgE2E, PortsListsThePortsPresent) {
  std::string want;
  for (const serial::PortInfo& p : serial::ListSerialPorts()) {
    EXPECT_TRUE(fs::exists(p.name)) << p.name;
    want += cli::PortLine(p) + "\n";
  }
  Gsmcfg ports(dir_, {"ports"});
  EXPECT_EQ(ports.Wait(), 0);
  EXPECT_EQ(ports.Out(), want);
  EXPECT_EQ(ports.Err(), "");
}

// find and auto with the machine's own ports, where no unit is attached:
// status 3 and nothing written; Ctrl-C while probing ends with 130.
TEST_F(GsmcfgE2E, FindAndAutoWithoutAUnit) {
  std::string err;
  EXPECT_EQ(Run({"read", "auto", "-o", Path("x.sf"), "--wait", "0.5"}, &err), 3);
  EXPECT_NE(err.find("auto: no"), std::string::npos) << err;
  EXPECT_FALSE(fs::exists(Path("x.sf")));

  Gsmcfg find(dir_, {"find", "--wait", "30"});
  const auto end = Clock::now() + std::chrono::seconds(10);
  while (find.Err().find("probing") == std::string::npos && find.Err().find("no serial port") == std::string::npos &&
         Clock::now() < end)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  if (find.Err().find("no serial port") != std::string::npos) {
    EXPECT_EQ(find.Wait(), 3);
    GTEST_SKIP() << "this machine has no serial port to probe";
  }
  find.Interrupt();
  EXPECT_EQ(find.Wait(3000), 130) << find.Err();
  EXPECT_EQ(find.Out(), "");
}

TEST_F(GsmcfgE2E, ShowAndDiffWorkOnFilesOnly) {
  std::ofstream(Path("a.sf"), std::ios::binary) << "[OTH]\r\nrtt=300\r\n";
  std::ofstream(Path("b.sf"), std::ios::binary) << "[OTH]\r\nrtt=240\r\n[TEL]\r\ntel1=123\r\n";
  Gsmcfg show(dir_, {"show", Path("a.sf")});
  EXPECT_EQ(show.Wait(), 0);
  EXPECT_NE(show.Out().find("Report Time: 240\n"), std::string::npos);  // as the window loads it
  Gsmcfg diff(dir_, {"diff", Path("a.sf"), Path("b.sf"), "--json"});
  EXPECT_EQ(diff.Wait(), 1);
  EXPECT_EQ(diff.Out(), "{\n  \"TEL No.1\": {\"a\": \"\", \"b\": \"123\"}\n}\n");
  Gsmcfg same(dir_, {"diff", Path("a.sf"), Path("a.sf")});
  EXPECT_EQ(same.Wait(), 0);
  EXPECT_EQ(same.Out(), "");
}

}  // namespace
