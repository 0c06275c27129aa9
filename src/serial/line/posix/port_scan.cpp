#include "serial/line/posix/port_scan.h"

#include <sys/stat.h>

#include <cctype>
#include <filesystem>
#include <fstream>

namespace serial {
namespace {

namespace fs = std::filesystem;

// The family of a device node name, or nullptr when it is none of ours.
const char* Family(const std::string& name) {
  for (const char* prefix : {"ttyUSB", "ttyACM", "ttyS"}) {
    const std::string p = prefix;
    if (name.size() <= p.size() || name.compare(0, p.size(), p) != 0) continue;
    for (size_t i = p.size(); i < name.size(); ++i)
      if (!std::isdigit(static_cast<unsigned char>(name[i]))) return nullptr;
    return prefix;
  }
  return nullptr;
}

// The first line of a small sysfs file, at most 256 bytes, without control
// characters or trailing blanks; empty when there is no such file.
std::string ReadAttribute(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return {};
  char buf[256];
  in.read(buf, sizeof buf);
  std::string s;
  for (std::streamsize i = 0; i < in.gcount(); ++i) {
    const unsigned char c = static_cast<unsigned char>(buf[i]);
    if (c == '\n' || c == '\0') break;
    if (c >= 32 && c != 127) s.push_back(char(c));
  }
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

// True unless sysfs reports that no UART stands behind this ttyS node.
bool UartPresent(const fs::path& sys_entry) {
  std::error_code ec;
  if (!fs::exists(sys_entry / "type", ec)) return true;
  const std::string type = ReadAttribute(sys_entry / "type");
  return !type.empty() && type != "0";
}

// Maker and product of the USB device a ttyUSB/ttyACM node belongs to: the
// nearest folder above the node's device folder that names a product.
std::string UsbDescription(const fs::path& sys_entry) {
  std::error_code ec;
  fs::path dir = fs::canonical(sys_entry / "device", ec);
  if (ec) return {};
  for (int up = 0; up < 4 && !dir.empty() && dir != dir.root_path(); ++up, dir = dir.parent_path()) {
    const std::string product = ReadAttribute(dir / "product");
    if (product.empty()) continue;
    const std::string maker = ReadAttribute(dir / "manufacturer");
    if (maker.empty() || product.compare(0, maker.size(), maker) == 0) return product;
    return maker + " " + product;
  }
  return {};
}

}  // namespace

std::vector<PortInfo> ScanSerialPorts(const std::string& dev_dir, const std::string& sys_tty_dir) {
  std::vector<PortInfo> found;
  std::error_code ec;
  fs::directory_iterator it(dev_dir, ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    const char* family = Family(name);
    if (!family) continue;
    const std::string path = dev_dir + "/" + name;
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !S_ISCHR(st.st_mode)) continue;
    const fs::path sys_entry = fs::path(sys_tty_dir) / name;
    if (std::string(family) == "ttyS") {
      if (!UartPresent(sys_entry)) continue;
      found.push_back({path, {}});
    } else {
      found.push_back({path, UsbDescription(sys_entry)});
    }
  }
  return found;
}

}  // namespace serial
