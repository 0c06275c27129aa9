// The ports Windows knows, found the way the system's own tools find them:
// the serial device map in the registry, the present device interfaces of
// the COM port class (which carry the friendly names) and the COMn names of
// the DOS device namespace. Each source may miss ports the others have
// (virtual port drivers often register in only one of them).
#include "serial/line/port_list.h"

#include <windows.h>
#include <setupapi.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "serial/line/comm_name.h"
#include "serial/line/port_order.h"

namespace serial {
namespace {

// The COM port device interface class.
const GUID kComPortInterface = {0x86e0d1e0, 0x8089, 0x11d0, {0x9c, 0xe4, 0x08, 0x00, 0x3e, 0x30, 0x1f, 0x73}};

// A registry string of at most n bytes, which need not be terminated.
std::string RegText(const BYTE* data, DWORD n) {
  std::string s(reinterpret_cast<const char*>(data), n);
  s.resize(s.find('\0') == std::string::npos ? s.size() : s.find('\0'));
  return s;
}

void FromDeviceMap(std::vector<PortInfo>& out) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return;
  for (DWORD i = 0; i < 4096; ++i) {
    char value_name[256];
    DWORD name_len = sizeof value_name;
    BYTE data[256];
    DWORD data_len = sizeof data, type = 0;
    LONG r = RegEnumValueA(key, i, value_name, &name_len, nullptr, &type, data, &data_len);
    if (r == ERROR_NO_MORE_ITEMS) break;
    if (r != ERROR_SUCCESS || type != REG_SZ) continue;  // a value too long for us is no port name
    out.push_back({RegText(data, data_len), {}});
  }
  RegCloseKey(key);
}

// The device's "PortName" (COMn) under its hardware key.
std::string PortNameOf(HDEVINFO set, SP_DEVINFO_DATA& dev) {
  HKEY key = SetupDiOpenDevRegKey(set, &dev, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_QUERY_VALUE);
  if (key == INVALID_HANDLE_VALUE) return {};
  BYTE data[256];
  DWORD n = sizeof data, type = 0;
  std::string name;
  if (RegQueryValueExA(key, "PortName", nullptr, &type, data, &n) == ERROR_SUCCESS && type == REG_SZ)
    name = RegText(data, n);
  RegCloseKey(key);
  return name;
}

std::string FriendlyNameOf(HDEVINFO set, SP_DEVINFO_DATA& dev) {
  BYTE data[512];
  DWORD type = 0, n = 0;
  for (DWORD prop : {DWORD(SPDRP_FRIENDLYNAME), DWORD(SPDRP_DEVICEDESC)}) {
    if (SetupDiGetDeviceRegistryPropertyA(set, &dev, prop, &type, data, sizeof data, &n) && type == REG_SZ)
      return RegText(data, n < sizeof data ? n : sizeof data);
  }
  return {};
}

void FromDeviceInterfaces(std::vector<PortInfo>& out) {
  HDEVINFO set = SetupDiGetClassDevsA(&kComPortInterface, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  if (set == INVALID_HANDLE_VALUE) return;
  SP_DEVINFO_DATA dev{};
  dev.cbSize = sizeof dev;
  for (DWORD i = 0; i < 4096 && SetupDiEnumDeviceInfo(set, i, &dev); ++i) {
    std::string name = PortNameOf(set, dev);
    if (!name.empty()) out.push_back({std::move(name), FriendlyNameOf(set, dev)});
  }
  SetupDiDestroyDeviceInfoList(set);
}

void FromDosDevices(std::vector<PortInfo>& out) {
  // Every DOS device name, each ended by a zero, the list by a second one.
  // The buffer grows until the list fits, up to 4 MB.
  std::vector<char> buf(64 * 1024);
  DWORD n = 0;
  for (;;) {
    n = QueryDosDeviceA(nullptr, buf.data(), DWORD(buf.size()));
    if (n != 0) break;
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || buf.size() >= 4 * 1024 * 1024) return;
    buf.resize(buf.size() * 2);
  }
  const char* p = buf.data();
  const char* end = buf.data() + (n < buf.size() ? n : buf.size());
  while (p < end && *p) {
    size_t len = strnlen(p, size_t(end - p));
    std::string name(p, len);
    const bool blank = std::any_of(name.begin(), name.end(), [](char c) { return std::isspace(static_cast<unsigned char>(c)); });
    if (ComPortNumber(name) && !blank) out.push_back({name, {}});
    p += len + 1;
  }
}

}  // namespace

std::vector<PortInfo> ListSerialPorts() {
  std::vector<PortInfo> found;
  // The interfaces first: their friendly names win over the nameless others.
  FromDeviceInterfaces(found);
  FromDeviceMap(found);
  FromDosDevices(found);
  return OrderPorts(std::move(found));
}

}  // namespace serial
