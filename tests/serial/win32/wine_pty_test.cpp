// The Win32 component on a COM port that Wine maps to a pseudo-terminal whose
// other end echoes (run_wine_pty_test.sh). Every event arrives through the
// hidden notification window, so the tests pump this thread's messages.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "serial/comm.h"
#include "serial/comm_messages.h"

namespace {

std::string PortName() {
  const char* p = std::getenv("GSM_SERIAL_TEST_PORT");
  return p ? p : "com12";
}

// Dispatches this thread's messages until pred holds or ms have passed.
bool Pump(const std::function<bool()>& pred, DWORD ms = 30000) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
    if (pred()) return true;
    if (GetTickCount() - start > ms) return pred();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

// Dispatches every message posted to this thread before the call; false
// when the marker posted behind them was not reached within the limit.
bool DeliverPosted(DWORD ms = 30000) {
  const UINT marker = WM_APP + 0x31;
  PostThreadMessageA(GetCurrentThreadId(), marker, 0, 0);
  const DWORD start = GetTickCount();
  for (;;) {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
      if (!m.hwnd && m.message == marker) return true;
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
    if (GetTickCount() - start > ms) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

// Waits, without taking anything from the queue, until a receive
// notification has been posted to this thread.
bool ReceiveNoticeQueued(DWORD ms = 30000) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG m;
    if (PeekMessageA(&m, nullptr, serial::COMM_RECEIVE_DATA, serial::COMM_RECEIVE_DATA, PM_NOREMOVE)) return true;
    if (GetTickCount() - start > ms) return false;
    Sleep(10);
  }
}

// Bytes without zeros: a zero starts a command to the echoing peer.
std::vector<uint8_t> Pattern(size_t n, unsigned seed) {
  std::vector<uint8_t> v(n);
  uint32_t x = seed * 2654435761u + 1;
  for (auto& b : v) {
    x = x * 1103515245u + 12345u;
    b = uint8_t(1 + (x >> 16) % 255);
  }
  return v;
}

class WinePty : public ::testing::Test {
 protected:
  void SetUp() override {
    // The port is typed as a user would; COM10 and above only open in the
    // "\\.\COMn" form, which the component makes.
    comm.CommName = PortName();
    comm.SetBaudRate(38400);
    comm.SetReadIntervalTimeout(20);
    comm.SetTxContinueOnXoff(false);
    comm.SetOutx_XonXoffFlow(false);
    comm.SetInx_XonXoffFlow(false);
    comm.OnReceiveData = [this](fw::TObject*, const void* b, uint16_t n) {
      auto* p = static_cast<const uint8_t*>(b);
      chunks.emplace_back(p, p + n);
      // The block holds a zero after the data.
      EXPECT_EQ(p[n], 0);
    };
    comm.OnSendDataEmpty = [this](fw::TObject*) { ++send_empty; };
    comm.OnRequestHangup = [this](fw::TObject*) { ++hangups; };
  }
  size_t ReceivedSize() const {
    size_t n = 0;
    for (auto& c : chunks) n += c.size();
    return n;
  }
  std::vector<uint8_t> Received() const {
    std::vector<uint8_t> all;
    for (auto& c : chunks) all.insert(all.end(), c.begin(), c.end());
    return all;
  }
  // Pumps until no bytes have arrived for quiet_ms (at most 30 s): the
  // peer may still be echoing what was sent before the port was reopened.
  void WaitQuiet(DWORD quiet_ms = 500) {
    size_t seen = ReceivedSize();
    DWORD since = GetTickCount();
    Pump([&] {
      if (ReceivedSize() != seen) {
        seen = ReceivedSize();
        since = GetTickCount();
      }
      return GetTickCount() - since >= quiet_ms;
    });
  }

  bool Echo(const std::vector<uint8_t>& data) {
    chunks.clear();
    if (!comm.SendData(data.data(), uint16_t(data.size()))) return false;
    return Pump([&] { return ReceivedSize() >= data.size(); }) && Received() == data;
  }

  TComm comm{nullptr};
  std::vector<std::vector<uint8_t>> chunks;
  int send_empty = 0;
  int hangups = 0;
};

TEST_F(WinePty, OpenSendReceiveCloseReopen) {
  comm.OpenPort();
  ASSERT_TRUE(comm.Opened());
  ASSERT_TRUE(Pump([&] { return send_empty == 1; }));  // right after opening
  EXPECT_TRUE(Echo({'h', 'e', 'l', 'l', 'o'}));
  ASSERT_TRUE(Pump([&] { return send_empty == 2; }));
  comm.ClosePort();
  EXPECT_FALSE(comm.Opened());
  EXPECT_FALSE(comm.SendData("x", 1));

  comm.OpenPort();
  EXPECT_TRUE(Echo({'a', 'g', 'a', 'i', 'n'}));
  EXPECT_EQ(hangups, 0);
}

TEST_F(WinePty, LongerTrafficArrivesInOrderInReadsOfAtMost256) {
  comm.OpenPort();
  ASSERT_TRUE(Pump([&] { return send_empty == 1; }));
  const auto a = Pattern(300, 1), b = Pattern(3000, 2), c = Pattern(17, 3);
  ASSERT_TRUE(comm.SendData(a.data(), uint16_t(a.size())));
  ASSERT_TRUE(comm.SendData(b.data(), uint16_t(b.size())));
  ASSERT_TRUE(comm.SendData(c.data(), uint16_t(c.size())));
  std::vector<uint8_t> all;
  for (const auto* part : {&a, &b, &c}) all.insert(all.end(), part->begin(), part->end());
  ASSERT_TRUE(Pump([&] { return ReceivedSize() >= all.size() && send_empty >= 2; }))
      << ReceivedSize() << " bytes, " << send_empty << " empty notices";
  EXPECT_TRUE(comm.SendDataEmpty());
  EXPECT_EQ(Received(), all);
  for (auto& ch : chunks) EXPECT_LE(ch.size(), 256u);
  EXPECT_EQ(hangups, 0);
}

TEST_F(WinePty, SecondOpenRaisesAndThePortKeepsWorking) {
  comm.OpenPort();
  try {
    comm.OpenPort();
    FAIL() << "no exception";
  } catch (const ECommsError& e) {
    EXPECT_STREQ(e.what(), "This serial port already opened");
  }
  EXPECT_TRUE(Echo(Pattern(40, 4)));
}

TEST_F(WinePty, SettersOnAnOpenPortKeepItWorking) {
  comm.OpenPort();
  EXPECT_TRUE(Echo(Pattern(10, 5)));
  comm.SetBaudRate(9600);
  comm.SetParity(Even);
  comm.SetStopBits(_2);
  comm.SetReadIntervalTimeout(50);
  EXPECT_TRUE(Echo(Pattern(500, 6)));
  comm.SetBaudRate(38400);
  comm.SetStopBits(_1);
  EXPECT_TRUE(Echo(Pattern(10, 7)));
  EXPECT_EQ(hangups, 0);
}

TEST_F(WinePty, ClosePortDuringTrafficAndDestroyWhileOpen) {
  comm.OpenPort();
  const auto big = Pattern(60000, 8);
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(comm.SendData(big.data(), uint16_t(big.size())));
  ASSERT_TRUE(Pump([&] { return ReceivedSize() > 1000; }));
  comm.ClosePort();
  EXPECT_TRUE(comm.SendDataEmpty());
  ASSERT_TRUE(DeliverPosted());
  for (auto& ch : chunks) EXPECT_LE(ch.size(), 256u);

  comm.OpenPort();
  WaitQuiet();
  EXPECT_TRUE(Echo(Pattern(64, 9)));
  EXPECT_EQ(hangups, 0);

  // A component destroyed while open ends its threads and frees the port.
  comm.ClosePort();
  auto* doomed = new TComm(nullptr);
  doomed->CommName = PortName();
  doomed->OnReceiveData = [](fw::TObject*, const void*, uint16_t) { ADD_FAILURE() << "event after destruction"; };
  doomed->OpenPort();
  ASSERT_TRUE(doomed->SendData(big.data(), uint16_t(big.size())));
  // Echoes are queued for the window that is about to go, and dropped.
  EXPECT_TRUE(ReceiveNoticeQueued());
  delete doomed;
  ASSERT_TRUE(DeliverPosted());
  // The peer may still be echoing the destroyed component's bytes.
  comm.OpenPort();
  WaitQuiet();
  EXPECT_TRUE(Echo(Pattern(64, 10)));
}

// Last: the peer replaces the pty, as if the adapter were pulled.
TEST_F(WinePty, ALostDeviceRequestsHangupAndTheNextOpenWorks) {
  comm.OpenPort();
  EXPECT_TRUE(Echo(Pattern(10, 11)));
  ASSERT_TRUE(comm.SendData("\0H", 2));
  ASSERT_TRUE(Pump([&] { return hangups >= 1; }));
  EXPECT_TRUE(comm.Opened());
  // The receive thread reports the loss once; the idle transmit thread and
  // the close add nothing.
  comm.ClosePort();
  ASSERT_TRUE(DeliverPosted());
  EXPECT_EQ(hangups, 1);
  hangups = 0;
  comm.OpenPort();
  EXPECT_TRUE(Echo(Pattern(10, 12)));
  EXPECT_EQ(hangups, 0);
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
