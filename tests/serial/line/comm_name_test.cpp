// From the name the user chose to the name the platform opens.
#include <gtest/gtest.h>

#include "serial/line/comm_name.h"

using namespace serial;

TEST(CommName, PlainComNamesTakeTheDeviceForm) {
  EXPECT_EQ(Win32DeviceName("COM1"), "\\\\.\\COM1");
  EXPECT_EQ(Win32DeviceName(" com12 "), "\\\\.\\COM12");
  EXPECT_EQ(Win32DeviceName("Com256"), "\\\\.\\COM256");
  // Anything else is passed on as typed.
  EXPECT_EQ(Win32DeviceName("\\\\.\\COM3"), "\\\\.\\COM3");
  EXPECT_EQ(Win32DeviceName("COM"), "COM");
  EXPECT_EQ(Win32DeviceName("COM1x"), "COM1x");
  EXPECT_EQ(Win32DeviceName("COM 1"), "COM 1");
  EXPECT_EQ(Win32DeviceName("C:\\temp\\file"), "C:\\temp\\file");
  EXPECT_EQ(Win32DeviceName("COM12345678901234"), "COM12345678901234");
}

TEST(CommName, PosixNamesCountFromTtyS0) {
  EXPECT_EQ(PosixDevicePath("COM1"), "/dev/ttyS0");
  EXPECT_EQ(PosixDevicePath("com12"), "/dev/ttyS11");
  EXPECT_EQ(PosixDevicePath("COM0"), "COM0");
  EXPECT_EQ(PosixDevicePath("/dev/ttyUSB0"), "/dev/ttyUSB0");
}

TEST(CommName, AnAliasWinsUntilRemoved) {
  SetPortAlias("COM3", "/dev/pts/7");
  EXPECT_EQ(PosixDevicePath(" com3"), "/dev/pts/7");
  EXPECT_EQ(Win32DeviceName("COM3"), "/dev/pts/7");
  EXPECT_EQ(PosixDevicePath("COM4"), "/dev/ttyS3");
  SetPortAlias("com3", "");
  EXPECT_EQ(PosixDevicePath("COM3"), "/dev/ttyS2");
}
