#include "serial/line/posix/termios_map.h"

#include <sys/ioctl.h>

namespace serial {

std::optional<speed_t> SpeedForBaud(uint32_t baud) {
  switch (baud) {
    case 50: return B50;
    case 75: return B75;
    case 110: return B110;
    case 134: return B134;
    case 150: return B150;
    case 200: return B200;
    case 300: return B300;
    case 600: return B600;
    case 1200: return B1200;
    case 1800: return B1800;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
#ifdef B460800
    case 460800: return B460800;
#endif
#ifdef B921600
    case 921600: return B921600;
#endif
    default: return std::nullopt;
  }
}

void SettingsToTermios(const CommSettings& s, termios& t) {
  // Raw: no line editing, echo, signals or output processing.
  t.c_iflag &= ~tcflag_t(IGNBRK | BRKINT | IGNPAR | PARMRK | INPCK | ISTRIP | INLCR | IGNCR | ICRNL | IXON |
                         IXOFF | IXANY);
  t.c_oflag &= ~tcflag_t(OPOST);
  t.c_lflag &= ~tcflag_t(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  t.c_cflag &= ~tcflag_t(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
#ifdef CMSPAR
  t.c_cflag &= ~tcflag_t(CMSPAR);
#endif
  t.c_cflag |= CREAD | CLOCAL;
  t.c_cc[VMIN] = 1;
  t.c_cc[VTIME] = 0;

  switch (s.ByteSize) {
    case _5: t.c_cflag |= CS5; break;
    case _6: t.c_cflag |= CS6; break;
    case _7: t.c_cflag |= CS7; break;
    case _8: t.c_cflag |= CS8; break;
  }
  switch (s.Parity) {
    case None: break;
    case Odd: t.c_cflag |= PARENB | PARODD; break;
    case Even: t.c_cflag |= PARENB; break;
#ifdef CMSPAR
    case Mark: t.c_cflag |= PARENB | PARODD | CMSPAR; break;
    case Space: t.c_cflag |= PARENB | CMSPAR; break;
#else
    case Mark: case Space: break;
#endif
  }
  if (s.ParityCheck) t.c_iflag |= INPCK;
  if (s.StopBits != _1) t.c_cflag |= CSTOPB;
  if (s.Outx_CtsFlow || s.RtsControl == RtsHandshake) t.c_cflag |= CRTSCTS;
  if (s.Outx_XonXoffFlow) t.c_iflag |= IXON;
  if (s.Inx_XonXoffFlow) t.c_iflag |= IXOFF;
  t.c_cc[VSTART] = cc_t(s.XonChar);
  t.c_cc[VSTOP] = cc_t(s.XoffChar);

  if (auto sp = SpeedForBaud(s.BaudRate)) {
    cfsetispeed(&t, *sp);
    cfsetospeed(&t, *sp);
  }
}

ModemLines ModemLinesFor(const CommSettings& s) {
  ModemLines m;
  if (s.DtrControl == DtrDisable)
    m.clear |= TIOCM_DTR;
  else
    m.set |= TIOCM_DTR;
  if (s.RtsControl == RtsDisable)
    m.clear |= TIOCM_RTS;
  else
    m.set |= TIOCM_RTS;
  return m;
}

}  // namespace serial
