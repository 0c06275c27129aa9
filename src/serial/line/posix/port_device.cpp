#include "serial/line/posix/port_device.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include "serial/line/posix/termios_map.h"

namespace serial {

PortDevice::~PortDevice() {
  if (fd_ < 0) return;
  ioctl(fd_, TIOCNXCL);
  close(fd_);
}

PortDevice::OpenResult PortDevice::Open(const std::string& path) {
  int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return OpenResult::CannotOpen;
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode)) {
    close(fd);
    return OpenResult::NotCharDevice;
  }
  termios t{};
  if (tcgetattr(fd, &t) != 0) {
    close(fd);
    return OpenResult::NotTerminal;
  }
  // One user at a time, as a Win32 port opened without sharing: the lock
  // keeps out other openers of this process and privileged ones, the
  // exclusive mode everybody else.
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return OpenResult::CannotOpen;
  }
  ioctl(fd, TIOCEXCL);
  fd_ = fd;
  return OpenResult::Ok;
}

void PortDevice::ApplyLineSettings(const CommSettings& s) {
  {
    std::lock_guard<std::mutex> lock(mu_);
    ignore_null_ = s.IgnoreNullChar;
  }
  termios t{};
  if (tcgetattr(fd_, &t) == 0) {
    SettingsToTermios(s, t);
    tcsetattr(fd_, TCSANOW, &t);
  }
  const ModemLines m = ModemLinesFor(s);
  if (m.set) ioctl(fd_, TIOCMBIS, &m.set);
  if (m.clear) ioctl(fd_, TIOCMBIC, &m.clear);
}

void PortDevice::ApplyTimeouts(const CommSettings& s) {
  std::lock_guard<std::mutex> lock(mu_);
  read_timeouts_ = {s.ReadIntervalTimeout, s.ReadTotalTimeoutMultiplier, s.ReadTotalTimeoutConstant};
  write_timeouts_ = {s.WriteTotalTimeoutMultiplier, s.WriteTotalTimeoutConstant};
}

void PortDevice::Purge(int queue) { tcflush(fd_, queue); }

ReadTimeouts PortDevice::GetReadTimeouts() const {
  std::lock_guard<std::mutex> lock(mu_);
  return read_timeouts_;
}

WriteTimeouts PortDevice::GetWriteTimeouts() const {
  std::lock_guard<std::mutex> lock(mu_);
  return write_timeouts_;
}

bool PortDevice::IgnoreNull() const {
  std::lock_guard<std::mutex> lock(mu_);
  return ignore_null_;
}

}  // namespace serial
