#include "pty.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <memory>
#include <stdexcept>

#include "framework/forms.h"
#include "framework/headless/headless.h"
#include "serial/line/controller_line.h"

Pty::Pty() {
  char name[128];
  if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) throw std::runtime_error("openpty");
  name_ = name;
}

Pty::~Pty() {
  stop_ = true;
  if (collector_.joinable()) collector_.join();
  if (master_ >= 0) close(master_);
  close(slave_);
}

termios Pty::Attributes() const {
  termios t{};
  tcgetattr(slave_, &t);
  return t;
}

void Pty::SetAttributes(const termios& t) { tcsetattr(slave_, TCSANOW, &t); }

void Pty::Write(const void* data, size_t n) {
  auto* p = static_cast<const uint8_t*>(data);
  while (n > 0) {
    ssize_t r = write(master_, p, n);
    if (r < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      throw std::runtime_error("pty write");
    }
    p += r;
    n -= size_t(r);
  }
}

size_t Pty::WriteSome(const void* data, size_t n, int timeout_ms) {
  pollfd p{master_, POLLOUT, 0};
  if (poll(&p, 1, timeout_ms) <= 0 || !(p.revents & POLLOUT)) return 0;
  // A pty master takes what fits without blocking only in non-blocking mode.
  const int flags = fcntl(master_, F_GETFL);
  fcntl(master_, F_SETFL, flags | O_NONBLOCK);
  ssize_t r = write(master_, data, n);
  fcntl(master_, F_SETFL, flags);
  return r > 0 ? size_t(r) : 0;
}

void Pty::CloseMaster() {
  stop_ = true;
  if (collector_.joinable()) collector_.join();
  close(master_);
  master_ = -1;
}

void Pty::StartCollecting() {
  collector_ = std::thread([this] {
    uint8_t buf[4096];
    while (!stop_) {
      pollfd p{master_, POLLIN, 0};
      if (poll(&p, 1, 20) <= 0 || !(p.revents & POLLIN)) continue;
      ssize_t r = read(master_, buf, sizeof buf);
      if (r <= 0) continue;
      std::lock_guard<std::mutex> lock(mu_);
      collected_.insert(collected_.end(), buf, buf + r);
    }
  });
}

std::vector<uint8_t> Pty::Collected() {
  std::lock_guard<std::mutex> lock(mu_);
  return collected_;
}

size_t Pty::CollectedSize() {
  std::lock_guard<std::mutex> lock(mu_);
  return collected_.size();
}

CommEvents::CommEvents(TComm& c) {
  c.OnReceiveData = [this](fw::TObject*, const void* b, uint16_t n) {
    auto* p = static_cast<const uint8_t*>(b);
    chunks.emplace_back(p, p + n);
  };
  c.OnSendDataEmpty = [this](fw::TObject*) { ++send_empty; };
  c.OnRequestHangup = [this](fw::TObject*) { ++hangups; };
}

size_t CommEvents::ReceivedSize() const {
  size_t n = 0;
  for (auto& c : chunks) n += c.size();
  return n;
}

std::vector<uint8_t> CommEvents::Received() const {
  std::vector<uint8_t> all;
  for (auto& c : chunks) all.insert(all.end(), c.begin(), c.end());
  return all;
}

bool PumpFor(const std::function<bool()>& pred, unsigned ms) { return fw::headless::PumpUntil(pred, ms); }

bool DeliverPosted() {
  auto reached = std::make_shared<bool>(false);
  fw::Application().Post([reached] { *reached = true; });
  return PumpFor([&] { return *reached; });
}

void ConfigureLikeMainWindow(TComm& c, const std::string& device) {
  c.CommName = device;
  c.SetSettings(serial::ControllerLine());
}

std::vector<uint8_t> Pattern(size_t n, unsigned seed) {
  std::vector<uint8_t> v(n);
  uint32_t x = seed * 2654435761u + 1;
  for (auto& b : v) {
    x = x * 1103515245u + 12345u;
    b = uint8_t(x >> 16);
  }
  return v;
}
