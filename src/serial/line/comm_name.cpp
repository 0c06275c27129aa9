#include "serial/line/comm_name.h"

#include <cctype>
#include <map>
#include "text/ascii.h"

namespace serial {
namespace {

// The name as ports are looked up: trimmed and upper-cased.
std::string Key(const std::string& name) { return text::Upper(text::Trim(name)); }

// Aliases keyed by the trimmed, upper-cased name.
std::map<std::string, std::string>& Aliases() {
  static std::map<std::string, std::string> aliases;
  return aliases;
}

}  // namespace

std::optional<unsigned> ComPortNumber(const std::string& name) {
  const std::string t = Key(name);
  if (t.size() < 4 || t.size() > 12 || t.compare(0, 3, "COM") != 0) return std::nullopt;
  unsigned n = 0;
  for (size_t i = 3; i < t.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(t[i]))) return std::nullopt;
    n = n * 10 + unsigned(t[i] - '0');
  }
  return n;
}

std::string Win32DeviceName(const std::string& name) {
  if (auto alias = PortAlias(name)) return *alias;
  if (!ComPortNumber(name)) return name;
  return "\\\\.\\" + Key(name);
}

std::string PosixDevicePath(const std::string& name) {
  if (auto alias = PortAlias(name)) return *alias;
  auto n = ComPortNumber(name);
  if (!n || *n == 0) return name;
  return "/dev/ttyS" + std::to_string(*n - 1);
}

void SetPortAlias(const std::string& com_name, const std::string& device) {
  const std::string key = Key(com_name);
  if (device.empty())
    Aliases().erase(key);
  else
    Aliases()[key] = device;
}

std::optional<std::string> PortAlias(const std::string& name) {
  auto& a = Aliases();
  if (a.empty()) return std::nullopt;
  auto it = a.find(Key(name));
  if (it == a.end()) return std::nullopt;
  return it->second;
}

}  // namespace serial
