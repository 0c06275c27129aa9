// The component's line settings on a POSIX terminal: termios flags, speed
// and the modem-control lines.
#pragma once

#include <termios.h>

#include <cstdint>
#include <optional>

#include "serial/line/comm_settings.h"

namespace serial {

// The termios speed constant for a baud rate, or nothing when the terminal
// interface has none (the rate is then dropped, as a driver would).
std::optional<speed_t> SpeedForBaud(uint32_t baud);

// Puts the settings into t: raw binary mode, receiver on, modem lines
// ignored for open and read, data bits, parity, stop bits, flow control and
// the XON/XOFF characters. Speed is set when the rate is supported.
void SettingsToTermios(const CommSettings& s, termios& t);

// The modem-control lines (TIOCM_DTR, TIOCM_RTS) to raise and to drop.
struct ModemLines {
  int set = 0;
  int clear = 0;
};
ModemLines ModemLinesFor(const CommSettings& s);

}  // namespace serial
