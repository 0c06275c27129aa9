// From the port name the user chose (CommName) to the name the platform opens.
#pragma once

#include <optional>
#include <string>

namespace serial {

// The port number of a plain port name "COMn" (any case, blanks around it
// ignored, n decimal digits), or nothing for any other name.
std::optional<unsigned> ComPortNumber(const std::string& name);

// Win32: "COMn" becomes "\\.\COMn", the only form that reaches COM10 and
// above; any other name is passed on as typed.
std::string Win32DeviceName(const std::string& name);

// POSIX: "COMn" becomes "/dev/ttyS<n-1>"; any other name is a device path,
// passed on as typed.
std::string PosixDevicePath(const std::string& name);

// A process-wide alias, looked up first by both mappings: a test or a tool
// can make "COM1" reach a pseudo-terminal. An empty path removes the alias.
// GUI thread only.
void SetPortAlias(const std::string& com_name, const std::string& device);

// The alias for this name, if one was set (compared like ComPortNumber).
std::optional<std::string> PortAlias(const std::string& name);

}  // namespace serial
