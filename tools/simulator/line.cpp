#include "simulator/line.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace sim {
namespace {

void MakeRaw(int fd) {
  termios t{};
  if (tcgetattr(fd, &t) != 0) return;
  cfmakeraw(&t);
  cfsetispeed(&t, B38400);
  cfsetospeed(&t, B38400);
  t.c_cflag |= CLOCAL | CREAD;
  tcsetattr(fd, TCSANOW, &t);
}

int OpenPty(std::string& path, int& keep) {
  const int m = posix_openpt(O_RDWR | O_NOCTTY);
  if (m < 0 || grantpt(m) != 0 || unlockpt(m) != 0) return -1;
  const char* name = ptsname(m);
  if (!name) return -1;
  path = name;
  keep = open(name, O_RDWR | O_NOCTTY);
  if (keep < 0) return -1;
  MakeRaw(keep);
  return m;
}

}  // namespace

Line OpenLine(const std::string& device, std::string* error) {
  Line line;
  if (device.empty()) {
    line.fd = OpenPty(line.path, line.keep);
  } else {
    line.path = device;
    line.fd = open(device.c_str(), O_RDWR | O_NOCTTY);
    if (line.fd >= 0) MakeRaw(line.fd);
  }
  if (line.fd < 0) {
    *error = std::string("cannot open ") + (line.path.empty() ? "a pseudo-terminal" : line.path) + ": " +
             std::strerror(errno);
    return line;
  }
  fcntl(line.fd, F_SETFL, fcntl(line.fd, F_GETFL) | O_NONBLOCK);
  return line;
}

void CloseLine(Line& line) {
  if (line.keep >= 0) close(line.keep);
  if (line.fd >= 0) close(line.fd);
  line.fd = line.keep = -1;
}

bool WriteFileAtomically(const std::string& path, const void* data, size_t n) {
  const std::string tmp = path + ".tmp";
  {
    std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
    if (!f.write(static_cast<const char*>(data), std::streamsize(n))) return false;
  }
  return std::rename(tmp.c_str(), path.c_str()) == 0;
}

}  // namespace sim
