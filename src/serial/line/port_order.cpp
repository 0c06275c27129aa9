#include "serial/line/port_order.h"

#include <algorithm>
#include <cctype>
#include <tuple>

#include "serial/line/comm_name.h"

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

}  // namespace

std::vector<PortInfo> OrderPorts(std::vector<PortInfo> found) {
  std::vector<std::pair<SortKey, PortInfo>> keyed;
  for (PortInfo& p : found) {
    if (p.name.empty()) continue;
    SortKey k = KeyOf(p.name);
    auto same = std::find_if(keyed.begin(), keyed.end(), [&](const auto& e) { return e.first.name == k.name; });
    if (same == keyed.end()) {
      keyed.emplace_back(std::move(k), std::move(p));
    } else if (same->second.description.empty()) {
      same->second.description = std::move(p.description);
    }
  }
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<PortInfo> out;
  out.reserve(keyed.size());
  for (auto& e : keyed) out.push_back(std::move(e.second));
  return out;
}

}  // namespace serial
