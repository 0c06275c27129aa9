// The port list from whatever names the system reports: registry values and
// device interface names on Windows (any text), device nodes in /dev on
// Linux. The list is sorted ("COMn" by number first), holds every port that
// was reported once, and each of its names opens the device it was
// reported for.
//
// Input: a mode byte (bit 0: Linux device nodes, else Windows names), then
// entries "name\tdescription" separated by "\n".
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "serial/line/comm_name.h"
#include "serial/line/port_order.h"
#include "text/ascii.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// The port a name reaches as the serial layer opens a chosen name: trimmed,
// then a device path on Linux; on Windows "COMn" by its number, also
// written "\\.\COMn", any other name in any case.
std::string Device(const std::string& name, bool on_linux) {
  std::string chosen(text::Trim(name));
  if (on_linux) return serial::PosixDevicePath(chosen);
  chosen = text::Upper(chosen);
  if (chosen.rfind("\\\\.\\", 0) == 0) chosen.erase(0, 4);
  if (auto n = serial::ComPortNumber(chosen)) return "COM" + std::to_string(*n);
  return text::Upper(serial::Win32DeviceName(std::string(text::Trim(name))));
}

// The nodes a device scan reports: ttyS, ttyUSB or ttyACM and a number.
bool ScannedNode(std::string_view name) {
  for (std::string_view family : {"ttyUSB", "ttyACM", "ttyS"}) {
    if (name.size() <= family.size() || name.substr(0, family.size()) != family) continue;
    return name.find_first_not_of("0123456789", family.size()) == name.npos;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > 4096) return 0;
  const bool on_linux = data[0] & 1;
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);

  std::vector<serial::PortInfo> found;
  for (size_t start = 0; start <= input.size();) {
    size_t end = input.find('\n', start);
    if (end == input.npos) end = input.size();
    const std::string_view entry = input.substr(start, end - start);
    start = end + 1;
    const size_t tab = entry.find('\t');
    std::string name(entry.substr(0, tab));
    const std::string description(tab == entry.npos ? std::string_view() : entry.substr(tab + 1));
    if (on_linux) {
      if (!ScannedNode(name)) continue;
      name = "/dev/" + name;
    } else {
      name = name.substr(0, name.find('\0'));  // registry texts end at a NUL
    }
    found.push_back({name, description});
  }

  // The devices reported, with the first description given for each.
  std::map<std::string, std::string> reported;
  for (const serial::PortInfo& p : found) {
    if (text::Trim(p.name).empty()) continue;  // no name: nothing to open
    std::string& d = reported[Device(p.name, on_linux)];
    if (d.empty()) d = p.description;
  }

  const std::vector<serial::PortInfo> list = serial::OrderPorts(found);
  std::map<std::string, std::string> listed;
  for (size_t i = 0; i < list.size(); ++i) {
    const serial::PortInfo& p = list[i];
    // Shown as it is opened, without blanks around it.
    Check(!p.name.empty() && text::Trim(p.name) == p.name);
    const std::string device = Device(p.name, on_linux);
    Check(reported.count(device) == 1);
    Check(listed.emplace(device, p.description).second);  // each port once
    if (i == 0) continue;
    // "COMn" names first, by number.
    const auto n = serial::ComPortNumber(p.name), before = serial::ComPortNumber(list[i - 1].name);
    Check(!n || before);
    if (n) Check(*before < *n);
  }
  Check(listed == reported);
  return 0;
}
