#include "serial/line/port_order.h"

#include <algorithm>
#include <cctype>
#include <tuple>

#include "serial/line/comm_name.h"
#include "text/ascii.h"

namespace serial {
namespace {

std::string Upper(std::string s) {
  for (char& c : s) c = char(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

struct SortKey {
  int group;         // 0: COMn, 1: anything else
  std::string stem;  // upper-cased text before the trailing number
  unsigned long long number;
  std::string name;  // upper-cased whole name, the last tie-breaker
  bool operator<(const SortKey& o) const {
    return std::tie(group, stem, number, name) < std::tie(o.group, o.stem, o.number, o.name);
  }
};

SortKey KeyOf(const std::string& name) {
  const std::string up = Upper(name);
  if (auto n = ComPortNumber(name)) return {0, "COM", *n, up};
  // A trailing number of more than 18 digits would overflow: such a name
  // sorts by its text alone.
  size_t i = up.size();
  while (i > 0 && std::isdigit(static_cast<unsigned char>(up[i - 1]))) --i;
  if (i == up.size() || up.size() - i > 18) return {1, up, 0, up};
  return {1, up.substr(0, i), std::stoull(up.substr(i)), up};
}

// The port a name opens, for finding names of one port: "COMn" by its
// number ("com03", " COM3" and "\\.\COM3" open COM3), any other name
// upper-cased.
std::string PortOf(const std::string& name) {
  std::string up = Upper(name);
  if (up.rfind("\\\\.\\", 0) == 0 && ComPortNumber(up.substr(4))) up.erase(0, 4);
  if (auto n = ComPortNumber(up)) return "COM" + std::to_string(*n);
  return up;
}

}  // namespace

std::vector<PortInfo> OrderPorts(std::vector<PortInfo> found) {
  std::vector<std::pair<SortKey, PortInfo>> keyed;
  std::vector<std::string> ports;  // PortOf each entry of keyed
  for (PortInfo& p : found) {
    // Shown as the serial layer opens a chosen name: without blanks around it.
    p.name = std::string(text::Trim(p.name));
    if (p.name.empty()) continue;
    const std::string port = PortOf(p.name);
    const auto same = std::find(ports.begin(), ports.end(), port);
    if (same == ports.end()) {
      ports.push_back(port);
      keyed.emplace_back(KeyOf(p.name), std::move(p));
      continue;
    }
    auto& entry = keyed[size_t(same - ports.begin())];
    if (entry.second.description.empty()) entry.second.description = std::move(p.description);
  }
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<PortInfo> out;
  out.reserve(keyed.size());
  for (auto& e : keyed) out.push_back(std::move(e.second));
  return out;
}

}  // namespace serial
