// A Win32 COM port handle: opening it by the user's port name and writing
// the line settings and time-outs into the driver. Shared by the window's
// port component (overlapped I/O, worker threads) and gsmcfg's blocking
// line.
#pragma once

#include <windows.h>

#include <string>

#include "serial/line/comm_settings.h"

namespace serial {

// CreateFileA on the port's device name ("COMn" becomes "\\.\COMn"), read
// and write, not shared, OPEN_EXISTING; overlapped when asked. On failure
// INVALID_HANDLE_VALUE, with GetLastError's code in *error.
HANDLE OpenCommHandle(const std::string& name, bool overlapped, DWORD* error);

// True when the handle is a character device, as every COM port is.
bool IsCommHandle(HANDLE h);

// Reads the driver's DCB, replaces the fields the settings own and writes
// it back (even when the read failed). True when the driver took it.
bool WriteLineSettings(HANDLE h, const CommSettings& s);
// The same for the five time-outs.
bool WriteTimeouts(HANDLE h, const CommSettings& s);

}  // namespace serial
