#include "serial/posix/line_watch.h"

#include <linux/serial.h>
#include <sys/ioctl.h>

#include "serial/comm.h"
#include "serial/comm_messages.h"

namespace serial {
namespace {

bool ReadCounters(int fd, LineCounters& c) {
  serial_icounter_struct ic{};
  if (ioctl(fd, TIOCGICOUNT, &ic) != 0) return false;
  c.rng = ic.rng;
  c.dcd = ic.dcd;
  c.frame = ic.frame;
  c.overrun = ic.overrun;
  c.parity = ic.parity;
  c.brk = ic.brk;
  c.buf_overrun = ic.buf_overrun;
  return true;
}

}  // namespace

LineChanges CompareCounters(const LineCounters& a, const LineCounters& b) {
  LineChanges ch;
  if (b.buf_overrun != a.buf_overrun) ch.errors |= kCeRxOver;
  if (b.overrun != a.overrun) ch.errors |= kCeOverrun;
  if (b.parity != a.parity) ch.errors |= kCeRxParity;
  if (b.frame != a.frame) ch.errors |= kCeFrame;
  if (b.brk != a.brk) ch.errors |= kCeBreak;
  if (b.dcd != a.dcd) ch.modem |= MODEM_EVENT_CARRIER;
  if (b.rng != a.rng) ch.modem |= MODEM_EVENT_RING;
  return ch;
}

bool LineWatch::Start(int fd) {
  active_ = ReadCounters(fd, last_);
  return active_;
}

std::optional<LineChanges> LineWatch::Poll(int fd) {
  if (!active_) return std::nullopt;
  LineCounters now;
  if (!ReadCounters(fd, now)) return std::nullopt;
  LineChanges ch = CompareCounters(last_, now);
  last_ = now;
  return ch;
}

}  // namespace serial
