// Numbers of the notifications that the worker threads post to the GUI
// thread, of the transmit thread's queue item, and the line-error bits that
// OnReceiveError reports.
#pragma once

#include <cstdint>

namespace serial {

constexpr uint32_t kWmUser = 1024;

// To the component's notification target.
constexpr uint32_t COMM_RECEIVE_DATA = kWmUser + 1;        // wParam count, lParam block
constexpr uint32_t COMM_RECEIVE_ERROR = kWmUser + 2;       // lParam line-error bits
constexpr uint32_t COMM_REQUEST_HANGUP = kWmUser + 3;
constexpr uint32_t COMM_MODEM_STATE_CHANGE = kWmUser + 4;  // lParam modem-event bits
constexpr uint32_t COMM_SEND_DATA_EMPTY = kWmUser + 5;

// To the transmit thread: wParam count, lParam block.
constexpr uint32_t COMM_WRITE = kWmUser + 1;

// Largest read handed over in one OnReceiveData.
constexpr unsigned kReadBufferSize = 256;
// Driver queue sizes requested at open.
constexpr unsigned kDriverQueueSize = 4096;

// Line-error bits, as the Win32 ClearCommError reports them.
constexpr uint32_t kCeRxOver = 0x0001;
constexpr uint32_t kCeOverrun = 0x0002;
constexpr uint32_t kCeRxParity = 0x0004;
constexpr uint32_t kCeFrame = 0x0008;
constexpr uint32_t kCeBreak = 0x0010;

}  // namespace serial
