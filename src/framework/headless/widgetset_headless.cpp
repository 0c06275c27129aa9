// The headless widgetset: no native windows. Controls keep their state in
// memory, focus is a pointer, timers run on a virtual clock and posted work
// runs when the loop is pumped.
#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <thread>

#include "framework/dialogs.h"
#include "framework/extctrls.h"
#include "framework/headless/headless.h"
#include "framework/headless/popup_script.h"
#include "framework/widgetset.h"

namespace fw {
namespace {

struct TimerEntry {
  TTimer* timer;
  unsigned interval;
  uint64_t due;
  uint64_t order;  // start order, to break ties
};

class HeadlessWidgetSet final : public TWidgetSet {
 public:
  std::unique_ptr<WidgetHandle> CreateHandle(TWinControl*) override { return nullptr; }

  TWinControl* FocusedControl() const override { return focused_; }
  void SetFocus(TWinControl* c) override {
    if (c == focused_) return;
    TWinControl* old = focused_;
    focused_ = c;
    if (old) old->DoExit();
    if (c && focused_ == c) c->DoEnter();
  }

  unsigned StartTimer(TTimer* t, unsigned interval) override {
    unsigned id = ++next_id_;
    timers_[id] = TimerEntry{t, interval, now_ + interval, ++order_};
    return id;
  }
  void StopTimer(unsigned id) override { timers_.erase(id); }

  void AdvanceTime(uint64_t ms) {
    const uint64_t target = now_ + ms;
    for (;;) {
      unsigned best = 0;
      for (auto& [id, e] : timers_)
        if (e.due <= target && (!best || e.due < timers_[best].due ||
                                (e.due == timers_[best].due && e.order < timers_[best].order)))
          best = id;
      if (!best) break;
      TimerEntry& e = timers_[best];
      if (e.due > now_) now_ = e.due;
      e.due += e.interval;
      e.order = ++order_;
      TTimer* t = e.timer;
      t->Fire();  // may stop or restart timers, or pump messages
    }
    if (target > now_) now_ = target;
  }

  void ProcessMessages() override {
    for (;;) {
      std::function<void()> fn;
      {
        std::lock_guard<std::mutex> lock(mu_);
        if (posted_.empty()) return;
        fn = std::move(posted_.front());
        posted_.pop_front();
      }
      fn();
    }
  }

  void Run() override {
    running_ = true;
    auto last = std::chrono::steady_clock::now();
    while (running_) {
      ProcessMessages();
      {
        std::unique_lock<std::mutex> lock(mu_);
        cv_.wait_for(lock, std::chrono::milliseconds(5), [&] { return !posted_.empty() || !running_; });
      }
      auto t = std::chrono::steady_clock::now();
      auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(t - last).count();
      if (ms > 0) {
        last += std::chrono::milliseconds(ms);
        AdvanceTime(uint64_t(ms));
      }
    }
  }

  void Terminate() override {
    std::lock_guard<std::mutex> lock(mu_);
    running_ = false;
    cv_.notify_all();
  }

  bool Post(std::function<void()> fn) override {
    std::lock_guard<std::mutex> lock(mu_);
    posted_.push_back(std::move(fn));
    cv_.notify_all();
    return true;
  }

  bool WaitForPost(unsigned ms) {
    std::unique_lock<std::mutex> lock(mu_);
    return cv_.wait_for(lock, std::chrono::milliseconds(ms), [&] { return !posted_.empty(); });
  }

  int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override {
    headless::ShownMessage m{text, caption, flags};
    shown_.push_back(m);
    if (hook_) return hook_(m);
    if (!replies_.empty()) {
      int r = replies_.front();
      replies_.pop_front();
      return r;
    }
    return ID_OK;
  }

  bool ExecuteFileDialog(TOpenDialog& d, bool save) override {
    dialogs_.push_back({save, d.Filter, d.DefaultExt, d.FileName, d.Options, d.OptionsEx});
    if (file_replies_.empty()) return false;
    auto r = file_replies_.front();
    file_replies_.pop_front();
    if (!r) return false;
    d.FileName = *r;
    return true;
  }

  TColor SysColor(int index) const override {
    switch (index) {
      case 4: return 0xF0F0F0;   // menu
      case 5: return 0xFFFFFF;   // window
      case 7: return 0x000000;   // menu text
      case 8: return 0x000000;   // window text
      case 13: return 0xD77800;  // highlight
      case 14: return 0xFFFFFF;  // highlight text
      case 15: return 0xF0F0F0;  // button face
      case 16: return 0xA0A0A0;  // button shadow
      case 17: return 0x6D6D6D;  // grey text
      case 18: return 0x000000;  // button text
      case 20: return 0xFFFFFF;  // button highlight
      default: return 0xC0C0C0;
    }
  }
  void ScreenSize(int& w, int& h) const override { w = 1280; h = 800; }
  void* ApplicationHandle() override { return nullptr; }

  TWinControl* focused_ = nullptr;
  uint64_t now_ = 0;
  unsigned next_id_ = 0;
  uint64_t order_ = 0;
  std::map<unsigned, TimerEntry> timers_;
  std::mutex mu_;
  std::condition_variable cv_;
  std::deque<std::function<void()>> posted_;
  bool running_ = false;
  std::vector<headless::ShownMessage> shown_;
  std::deque<int> replies_;
  std::function<int(const headless::ShownMessage&)> hook_;
  std::deque<std::optional<std::string>> file_replies_;
  std::vector<headless::ShownDialog> dialogs_;
};

HeadlessWidgetSet& Headless() {
  static HeadlessWidgetSet* ws = new HeadlessWidgetSet;
  return *ws;
}

}  // namespace

TWidgetSet& WidgetSet() { return Headless(); }

namespace headless {

uint64_t Now() { return Headless().now_; }
void AdvanceTime(uint64_t ms) { Headless().AdvanceTime(ms); }
std::vector<ShownMessage>& ShownMessages() { return Headless().shown_; }
void QueueMessageBoxReply(int reply) { Headless().replies_.push_back(reply); }
void SetMessageBoxHook(std::function<int(const ShownMessage&)> hook) { Headless().hook_ = std::move(hook); }
void QueueFileDialogReply(std::optional<std::string> path) { Headless().file_replies_.push_back(std::move(path)); }
std::vector<ShownDialog>& ShownDialogs() { return Headless().dialogs_; }

bool PumpUntil(const std::function<bool()>& pred, unsigned timeout_ms) {
  auto& ws = Headless();
  const auto start = std::chrono::steady_clock::now();
  auto last = start;
  for (;;) {
    ws.ProcessMessages();
    if (pred()) return true;
    auto t = std::chrono::steady_clock::now();
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(t - last).count();
    if (ms > 0) {
      last += std::chrono::milliseconds(ms);
      ws.AdvanceTime(uint64_t(ms));
      if (pred()) return true;
    }
    if (t - start > std::chrono::milliseconds(timeout_ms)) return pred();
    ws.WaitForPost(2);
  }
}

void ResetScripts() {
  auto& ws = Headless();
  ws.shown_.clear();
  ws.replies_.clear();
  ws.hook_ = nullptr;
  ws.file_replies_.clear();
  ws.dialogs_.clear();
  ResetPopupScripts();
}

}  // namespace headless
}  // namespace fw
