#include "serial/line/win32/port_handle.h"

#include "serial/line/comm_name.h"
#include "serial/line/win32/dcb_apply.h"

namespace serial {

HANDLE OpenCommHandle(const std::string& name, bool overlapped, DWORD* error) {
  const DWORD flags = overlapped ? FILE_FLAG_OVERLAPPED | FILE_ATTRIBUTE_NORMAL : 0;
  HANDLE h = CreateFileA(Win32DeviceName(name).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                         flags, nullptr);
  if (h == INVALID_HANDLE_VALUE && error) *error = GetLastError();
  return h;
}

bool IsCommHandle(HANDLE h) { return GetFileType(h) == FILE_TYPE_CHAR; }

bool WriteLineSettings(HANDLE h, const CommSettings& s) {
  DCB d{};
  d.DCBlength = sizeof d;
  GetCommState(h, &d);
  SettingsToDcb(s, d);
  return SetCommState(h, &d) != 0;
}

bool WriteTimeouts(HANDLE h, const CommSettings& s) {
  COMMTIMEOUTS t{};
  GetCommTimeouts(h, &t);
  SettingsToTimeouts(s, t);
  return SetCommTimeouts(h, &t) != 0;
}

}  // namespace serial
