#include "serial/posix/write_thread.h"

#include <errno.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cstring>
#include <new>
#include <system_error>

#include "serial/comm_messages.h"
#include "serial/posix/close_event.h"
#include "serial/posix/monotonic.h"
#include "serial/posix/notify_window.h"
#include "serial/line/posix/port_device.h"

namespace serial {

TWriteThread::TWriteThread(PortDevice* port, CloseEvent* close_event, std::shared_ptr<NotifyWindow> notify,
                           std::atomic<bool>& send_data_empty)
    : PortHandle(port), CloseEvent_(close_event), NotifyWindow_(std::move(notify)), SendDataEmpty(send_data_empty) {}

TWriteThread::~TWriteThread() {
  if (thread_.joinable()) thread_.join();
  queue_.Shutdown();
}

void TWriteThread::Start() {
  if (!queue_.Create()) throw std::system_error(errno, std::generic_category(), "write queue");
  thread_ = std::thread([this] { Execute(); });
}

bool TWriteThread::Enqueue(const void* buffer, uint16_t length) {
  WriteItem item;
  item.block.reset(new (std::nothrow) uint8_t[length]);
  if (!item.block) return false;
  std::memcpy(item.block.get(), buffer, length);
  item.count = length;
  return queue_.Push(std::move(item));
}

void TWriteThread::Execute() {
  bool notify = true;  // written since the last COMM_SEND_DATA_EMPTY
  for (;;) {
    std::optional<WriteItem> item = queue_.TryPop();
    if (!item) {
      SendDataEmpty.store(true, std::memory_order_relaxed);
      if (notify && !NotifyWindow_->Post(COMM_SEND_DATA_EMPTY)) {
        NotifyWindow_->Post(COMM_REQUEST_HANGUP);
        break;
      }
      notify = false;
      pollfd p[2] = {{CloseEvent_->fd(), POLLIN, 0}, {queue_.wake_fd(), POLLIN, 0}};
      const int pr = poll(p, 2, -1);
      if (pr < 0) {
        if (errno == EINTR) continue;
        NotifyWindow_->Post(COMM_REQUEST_HANGUP);
        break;
      }
      if (p[0].revents & POLLIN) break;
      if (p[1].revents & POLLIN) queue_.ConsumeWake();
      continue;
    }
    // Closing: the item just taken is dropped with the rest.
    if (CloseEvent_->IsSet()) break;
    if (!WriteItemFully(item->block.get(), item->count)) break;
    notify = true;
  }

  PortHandle->Purge(TCOFLUSH);
  SendDataEmpty.store(true, std::memory_order_relaxed);
  queue_.Shutdown();
}

bool TWriteThread::WriteItemFully(const uint8_t* data, unsigned count) {
  const int fd = PortHandle->fd();
  unsigned offset = 0;
  while (offset < count) {
    // One write of the rest, bounded by the write time-outs when they are
    // set; a partial result continues from the first unwritten byte.
    const unsigned remaining = count - offset;
    const WriteTimeouts wt = PortHandle->GetWriteTimeouts();
    const uint64_t total = uint64_t(wt.total_multiplier) * remaining + wt.total_constant;
    const uint64_t deadline = MonotonicUs() + total * 1000;
    unsigned written = 0;
    while (written < remaining) {
      ssize_t r = write(fd, data + offset + written, remaining - written);
      if (r > 0) {
        written += unsigned(r);
        continue;
      }
      if (r < 0 && errno == EINTR) continue;
      if (r < 0 && errno == EBADF) return false;
      if (r < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
        NotifyWindow_->Post(COMM_REQUEST_HANGUP);
        return false;
      }
      pollfd p[2] = {{CloseEvent_->fd(), POLLIN, 0}, {fd, POLLOUT, 0}};
      const uint64_t now = MonotonicUs();
      const int pr = poll(p, 2, PollTimeout(now, total ? &deadline : nullptr));
      if (pr < 0) {
        if (errno == EINTR) continue;
        NotifyWindow_->Post(COMM_REQUEST_HANGUP);
        return false;
      }
      if (p[0].revents & POLLIN) return false;  // ClosePort abandons the write
      if (p[1].revents & POLLNVAL) return false;
      if ((p[1].revents & (POLLHUP | POLLERR)) && !(p[1].revents & POLLOUT)) {
        NotifyWindow_->Post(COMM_REQUEST_HANGUP);
        return false;
      }
      if (pr == 0) break;  // time-out: the write completes with what it wrote
    }
    offset += written;
  }
  return true;
}

}  // namespace serial
