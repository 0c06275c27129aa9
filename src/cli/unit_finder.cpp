#include "cli/unit_finder.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

#include "cli/probe_answer.h"
#include "protocol/link_frame.h"
#include "protocol/transfer_engine.h"

namespace cli {
namespace {

using Clock = std::chrono::steady_clock;

// The window's probe period.
constexpr auto kProbeEvery = protocol::TransferEngine::kProbePeriod;
// Longest read, and so the longest a port's thread takes to see the end.
constexpr int kReadMs = 50;
// How often the search looks at Ctrl-C.
constexpr auto kTick = std::chrono::milliseconds(50);

class Search {
 public:
  Search(const std::vector<serial::PortInfo>& candidates, const FindOptions& options) : options_(options) {
    for (const serial::PortInfo& p : candidates) reports_.push_back({p, PortOutcome::NoAnswer, {}});
  }

  FindResult Run() {
    FindResult result;
    std::vector<std::thread> threads;
    threads.reserve(reports_.size());
    for (size_t i = 0; i < reports_.size(); ++i) {
      try {
        threads.emplace_back([this, i] { ProbePort(i); });
      } catch (const std::system_error& e) {
        Finish(i, PortOutcome::CannotOpen, std::string("no thread to probe it: ") + e.what());
      }
    }
    const auto start = Clock::now();
    const auto deadline =
        options_.wait_ms > 0 ? start + std::chrono::milliseconds(options_.wait_ms) : Clock::time_point::max();
    {
      std::unique_lock<std::mutex> lock(mu_);
      for (;;) {
        if (finished_ == reports_.size()) break;
        if (options_.interrupted && options_.interrupted()) {
          result.interrupted = true;
          break;
        }
        auto end = deadline;
        if (first_unit_) end = std::min(end, *first_unit_ + std::chrono::milliseconds(options_.settle_ms));
        const auto now = Clock::now();
        if (now >= end) {
          result.wait_ran_out = !first_unit_;
          break;
        }
        cv_.wait_until(lock, std::min(end, now + kTick));
      }
    }
    stop_.store(true);
    for (std::thread& t : threads) t.join();
    result.ports = reports_;
    return result;
  }

 private:
  void ProbePort(size_t i) {
    const std::string& name = reports_[i].port.name;  // never written while threads run
    std::unique_ptr<serial::SerialLine> line = options_.make_line();
    std::string error;
    if (!line || !line->Open(name, &error)) {
      Finish(i, PortOutcome::CannotOpen, line ? error : "no line for it");
      return;
    }
    ProbeAnswer answer;
    const auto probe = protocol::ProbeFrame();
    auto next_probe = Clock::now();
    PortOutcome outcome = PortOutcome::NoAnswer;
    std::string reason;
    while (!stop_.load()) {
      // A read first: it also sets the line's time-outs before the first write.
      uint8_t buf[256];
      const int n = line->Read(buf, sizeof buf, kReadMs, &error);
      if (n < 0) {
        outcome = PortOutcome::Failed;
        reason = error;
        break;
      }
      const ProbeVerdict v = answer.Feed(buf, size_t(n));
      if (v == ProbeVerdict::Unit) {
        outcome = PortOutcome::Unit;
        break;
      }
      if (v == ProbeVerdict::Chatter) {
        outcome = PortOutcome::NotAUnit;
        reason = "it sends data in which no frame of the link can be found";
        break;
      }
      const auto now = Clock::now();
      if (now >= next_probe) {
        if (!line->Write(probe.data(), probe.size(), &error)) {
          outcome = PortOutcome::Failed;
          reason = error;
          break;
        }
        next_probe = std::max(next_probe + kProbeEvery, now);
      }
    }
    line->Close();
    Finish(i, outcome, reason);
  }

  void Finish(size_t i, PortOutcome outcome, const std::string& reason) {
    PortReport report;
    {
      std::lock_guard<std::mutex> lock(mu_);
      reports_[i].outcome = outcome;
      reports_[i].reason = reason;
      report = reports_[i];
      ++finished_;
      if (outcome == PortOutcome::Unit && !first_unit_) first_unit_ = Clock::now();
    }
    cv_.notify_all();
    if (options_.on_report) {
      std::lock_guard<std::mutex> lock(report_mu_);
      options_.on_report(report);
    }
  }

  const FindOptions& options_;
  std::mutex mu_;  // guards reports_' outcomes, finished_ and first_unit_
  std::condition_variable cv_;
  std::vector<PortReport> reports_;
  size_t finished_ = 0;
  std::optional<Clock::time_point> first_unit_;
  std::atomic<bool> stop_{false};
  std::mutex report_mu_;  // one on_report call at a time
};

}  // namespace

std::vector<serial::PortInfo> FindResult::Units() const {
  std::vector<serial::PortInfo> units;
  for (const PortReport& r : ports)
    if (r.outcome == PortOutcome::Unit) units.push_back(r.port);
  return units;
}

FindResult FindUnits(const std::vector<serial::PortInfo>& candidates, const FindOptions& options) {
  return Search(candidates, options).Run();
}

}  // namespace cli
