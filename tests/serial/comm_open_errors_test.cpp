// What OpenPort raises for names that are no serial port; the component
// stays closed and holds nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "serial/comm.h"

namespace {

std::string OpenError(TComm& comm) {
  try {
    comm.OpenPort();
  } catch (const ECommsError& e) {
    return e.what();
  }
  return "";
}

TEST(CommOpenErrors, MissingPortAndDiskFile) {
  TComm comm(nullptr);
  comm.CommName = "COM199";
  EXPECT_EQ(OpenError(comm), "Error opening serial port");
  EXPECT_FALSE(comm.Opened());

  const auto path = std::filesystem::temp_directory_path() / "gsm_serial_not_a_port.txt";
  std::ofstream(path) << "not a port";
  comm.CommName = path.string();
  EXPECT_EQ(OpenError(comm), "File handle is not a comm handle ");
  EXPECT_FALSE(comm.Opened());
  // The handle was released: the file can be removed (Win32 refuses while
  // a handle without sharing is open).
  std::error_code ec;
  EXPECT_TRUE(std::filesystem::remove(path, ec)) << ec.message();
  EXPECT_FALSE(comm.SendData("x", 1));
}

}  // namespace
