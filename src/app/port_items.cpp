#include "app/port_items.h"

#include <algorithm>
#include <cctype>
#include <iterator>

#include "model/fields.h"

namespace {

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
         });
}

}  // namespace

const std::vector<std::string>& FixedPortItems() {
  static const std::vector<std::string> items(std::begin(model::kPorts), std::end(model::kPorts));
  return items;
}

std::vector<std::string> PortItems(const std::vector<serial::PortInfo>& present) {
  std::vector<std::string> items = FixedPortItems();
  for (const serial::PortInfo& p : present) {
    if (p.name.empty()) continue;
    if (std::none_of(items.begin(), items.end(), [&](const std::string& i) { return SameName(i, p.name); }))
      items.push_back(p.name);
  }
  return items;
}

std::string PortHint(const std::vector<serial::PortInfo>& present) {
  std::string hint;
  for (const serial::PortInfo& p : present) {
    if (p.name.empty() || p.description.empty()) continue;
    if (!hint.empty()) hint += '\n';
    hint += p.name + ": " + p.description;
  }
  return hint;
}
