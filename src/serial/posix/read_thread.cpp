#include "serial/posix/read_thread.h"

#include <errno.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <new>

#include "serial/comm_messages.h"
#include "serial/posix/close_event.h"
#include "serial/posix/line_watch.h"
#include "serial/posix/monotonic.h"
#include "serial/posix/notify_window.h"
#include "serial/line/posix/port_device.h"
#include "serial/line/posix/read_timing.h"

namespace serial {
namespace {

// How often counters are read while the line is idle, on devices that have them.
constexpr uint64_t kLineWatchPeriodUs = 100 * 1000;

// Removes the zero bytes from buf[0..n); returns the count kept.
unsigned DropNulls(uint8_t* buf, unsigned n) {
  return unsigned(std::remove(buf, buf + n, uint8_t(0)) - buf);
}

}  // namespace

TReadThread::TReadThread(PortDevice* port, CloseEvent* close_event, std::shared_ptr<NotifyWindow> notify)
    : PortHandle(port), CloseEvent_(close_event), NotifyWindow_(std::move(notify)) {}

TReadThread::~TReadThread() {
  if (thread_.joinable()) thread_.join();
}

void TReadThread::Start() { thread_ = std::thread([this] { Execute(); }); }

void TReadThread::Execute() {
  const int fd = PortHandle->fd();
  uint8_t buf[kReadBufferSize];
  unsigned n = 0;
  LineWatch watch;
  watch.Start(fd);
  uint64_t next_watch = MonotonicUs() + kLineWatchPeriodUs;
  ReadTiming timing(PortHandle->GetReadTimeouts(), kReadBufferSize, MonotonicUs());
  bool hangup = false;  // the device failed: hand over what was read, then report

  // Hands the bytes of the finished read to the GUI thread. False ends the
  // loop: an empty read, or a block that could not be handed over.
  auto hand_over = [&](unsigned count) -> bool {
    if (count == 0) return false;
    std::shared_ptr<uint8_t[]> block;
    try {
      block = std::make_shared<uint8_t[]>(count + 1);  // zero-filled: a 0 after the data
    } catch (const std::bad_alloc&) {
      NotifyWindow_->Post(COMM_REQUEST_HANGUP);
      return false;
    }
    std::memcpy(block.get(), buf, count);
    if (!NotifyWindow_->Post(COMM_RECEIVE_DATA, count, 0, std::move(block))) {
      NotifyWindow_->Post(COMM_REQUEST_HANGUP);
      return false;
    }
    return true;
  };

  for (;;) {
    // Take what the device holds, without waiting.
    bool closed_underneath = false;
    while (n < kReadBufferSize && !hangup) {
      ssize_t r = read(fd, buf + n, kReadBufferSize - n);
      if (r > 0) {
        unsigned got = unsigned(r);
        if (PortHandle->IgnoreNull()) got = DropNulls(buf + n, got);
        if (got > 0) {
          n += got;
          timing.BytesArrived(n, MonotonicUs());
        }
        continue;
      }
      if (r < 0 && errno == EINTR) continue;
      if (r < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
      if (r < 0 && errno == EBADF) {
        closed_underneath = true;
        break;
      }
      hangup = true;  // EOF or an I/O error: the device is gone
    }
    if (closed_underneath) break;

    const uint64_t now = MonotonicUs();
    if (watch.Active() && now >= next_watch) {
      next_watch = now + kLineWatchPeriodUs;
      if (auto ch = watch.Poll(fd)) {
        if (ch->errors && !NotifyWindow_->Post(COMM_RECEIVE_ERROR, 0, ch->errors)) {
          NotifyWindow_->Post(COMM_REQUEST_HANGUP);
          break;
        }
        if (ch->modem && !NotifyWindow_->Post(COMM_MODEM_STATE_CHANGE, 0, ch->modem)) {
          NotifyWindow_->Post(COMM_REQUEST_HANGUP);
          break;
        }
      }
    }

    if (hangup) {
      if (n > 0) hand_over(n);
      NotifyWindow_->Post(COMM_REQUEST_HANGUP);
      break;
    }
    if (timing.Complete(now)) {
      if (!hand_over(n)) break;
      n = 0;
      timing = ReadTiming(PortHandle->GetReadTimeouts(), kReadBufferSize, now);
      continue;
    }

    std::optional<uint64_t> deadline = timing.Deadline();
    if (watch.Active()) deadline = deadline ? std::min(*deadline, next_watch) : next_watch;
    pollfd p[2] = {{CloseEvent_->fd(), POLLIN, 0}, {fd, POLLIN, 0}};
    const int pr = poll(p, 2, PollTimeout(now, deadline ? &*deadline : nullptr));
    if (pr < 0) {
      if (errno == EINTR) continue;
      NotifyWindow_->Post(COMM_REQUEST_HANGUP);
      break;
    }
    if (p[0].revents & POLLIN) break;  // ClosePort
    if (p[1].revents & POLLNVAL) break;
    if ((p[1].revents & (POLLHUP | POLLERR)) && !(p[1].revents & POLLIN)) hangup = true;
  }

  PortHandle->Purge(TCIFLUSH);
}

}  // namespace serial
