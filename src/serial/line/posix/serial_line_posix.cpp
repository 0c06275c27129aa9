#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "serial/line/comm_name.h"
#include "serial/line/controller_line.h"
#include "serial/line/serial_line.h"
#include "serial/line/posix/port_device.h"
#include "text/ascii.h"

namespace serial {
namespace {

// A write that makes no progress for this long has met a dead port.
constexpr int kWriteStallMs = 2000;

std::string Reason(int err) { return std::strerror(err); }

class PosixSerialLine final : public SerialLine {
 public:
  bool Open(const std::string& name, std::string* error) override {
    Close();
    auto port = std::make_unique<PortDevice>();
    const std::string path = PosixDevicePath(std::string(text::Trim(name)));
    errno = 0;
    switch (port->Open(path)) {
      case PortDevice::OpenResult::Ok: break;
      case PortDevice::OpenResult::CannotOpen:
        *error = errno == EWOULDBLOCK ? "the port is in use" : Reason(errno);
        return false;
      case PortDevice::OpenResult::NotCharDevice:
        *error = "it is not a serial device";
        return false;
      case PortDevice::OpenResult::NotTerminal:
        *error = "it is not a serial port";
        return false;
    }
    port->Purge(TCIOFLUSH);
    port->ApplyLineSettings(ControllerLine());
    port_ = std::move(port);
    return true;
  }

  void Close() override { port_.reset(); }
  bool IsOpen() const override { return port_ != nullptr; }

  bool Write(const uint8_t* bytes, size_t n, std::string* error) override {
    if (!port_) return Fail(error, "the port is closed");
    size_t done = 0;
    while (done < n) {
      const ssize_t w = ::write(port_->fd(), bytes + done, n - done);
      if (w > 0) {
        done += size_t(w);
        continue;
      }
      if (w < 0 && errno == EINTR) continue;
      if (w < 0 && errno != EAGAIN) return Fail(error, Reason(errno));
      pollfd p{port_->fd(), POLLOUT, 0};
      const int r = poll(&p, 1, kWriteStallMs);
      if (r == 0) return Fail(error, "the port takes no more data");
      if (r < 0 && errno != EINTR) return Fail(error, Reason(errno));
      if (r > 0 && (p.revents & (POLLERR | POLLHUP | POLLNVAL))) return Fail(error, "the port has gone away");
    }
    return true;
  }

  int Read(uint8_t* buffer, size_t capacity, int timeout_ms, std::string* error) override {
    if (!port_) return Fail(error, "the port is closed"), -1;
    pollfd p{port_->fd(), POLLIN, 0};
    const int r = poll(&p, 1, timeout_ms);
    if (r < 0) return errno == EINTR ? 0 : (Fail(error, Reason(errno)), -1);
    if (r == 0) return 0;
    if (p.revents & POLLIN) {
      const ssize_t n = ::read(port_->fd(), buffer, capacity);
      if (n > 0) return int(n);
      if (n < 0 && (errno == EAGAIN || errno == EINTR)) return 0;
      // A terminal whose other side is gone reads end-of-file or EIO.
      Fail(error, n == 0 ? "the port has gone away" : Reason(errno));
      return -1;
    }
    Fail(error, "the port has gone away");
    return -1;
  }

 private:
  static bool Fail(std::string* error, const std::string& why) {
    if (error) *error = why;
    return false;
  }
  std::unique_ptr<PortDevice> port_;
};

}  // namespace

std::unique_ptr<SerialLine> CreateSerialLine() { return std::make_unique<PosixSerialLine>(); }

}  // namespace serial
