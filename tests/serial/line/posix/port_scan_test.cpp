// The POSIX port listing on a device folder and a sysfs folder built by the
// test: device nodes are links to /dev/null, a character device.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "serial/line/port_order.h"
#include "serial/line/posix/port_scan.h"

namespace fs = std::filesystem;

namespace {

void Write(const fs::path& p, const std::string& text) {
  fs::create_directories(p.parent_path());
  std::ofstream(p) << text;
}

}  // namespace

TEST(PortScan, RealUartsAndUsbPortsWithTheirProducts) {
  const fs::path root = fs::temp_directory_path() / ("gsm-port-scan-" + std::to_string(getpid()));
  fs::remove_all(root);
  const fs::path dev = root / "dev", sys = root / "sys";
  fs::create_directories(dev);
  for (const char* n : {"ttyS0", "ttyS1", "ttyS10", "ttyS4", "ttyUSB3", "ttyUSB0", "ttyACM0", "ttySX", "tty0", "ttyS"})
    fs::create_symlink("/dev/null", dev / n);
  Write(dev / "ttyUSB1", "a plain file, not a device");
  Write(sys / "ttyS0" / "type", "4\n");
  Write(sys / "ttyS1" / "type", "0\n");  // a node without hardware
  Write(sys / "ttyS10" / "type", "4\n");
  // ttyS4 has no sysfs entry: it was made on purpose and is listed.
  // A USB adapter: the tty's device is the port, the product two folders up.
  const fs::path usb = sys / "devices" / "usb1" / "1-1";
  Write(usb / "manufacturer", "FTDI\n");
  Write(usb / "product", "FT232R USB UART\n");
  fs::create_directories(usb / "1-1:1.0" / "ttyUSB0");
  fs::create_directories(sys / "ttyUSB0");
  fs::create_directory_symlink(usb / "1-1:1.0" / "ttyUSB0", sys / "ttyUSB0" / "device");
  // A modem whose product already names its maker.
  const fs::path acm = sys / "devices" / "usb1" / "1-2";
  Write(acm / "manufacturer", "Acme");
  Write(acm / "product", std::string("Acme GSM Modem\x01\n", 16));
  fs::create_directories(acm / "1-2:1.0");
  fs::create_directories(sys / "ttyACM0");
  fs::create_directory_symlink(acm / "1-2:1.0", sys / "ttyACM0" / "device");

  auto got = serial::OrderPorts(serial::ScanSerialPorts(dev.string(), sys.string()));
  const std::string d = dev.string() + "/";
  std::vector<serial::PortInfo> want = {{d + "ttyACM0", "Acme GSM Modem"},
                                        {d + "ttyS0", ""},
                                        {d + "ttyS4", ""},
                                        {d + "ttyS10", ""},
                                        {d + "ttyUSB0", "FTDI FT232R USB UART"},
                                        {d + "ttyUSB3", ""}};
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < want.size(); ++i) {
    EXPECT_EQ(got[i].name, want[i].name);
    EXPECT_EQ(got[i].description, want[i].description) << got[i].name;
  }
  fs::remove_all(root);
}

TEST(PortScan, AMissingFolderListsNothing) {
  EXPECT_TRUE(serial::ScanSerialPorts("/nonexistent-gsm-dev", "/nonexistent-gsm-sys").empty());
}
