// TReadThread on Win32: keeps one overlapped read of at most 256 bytes and
// one overlapped comm-event wait outstanding, sleeps on both with the close
// event, and hands data, line errors, carrier/ring changes and failures to
// the notification target.
#pragma once

#include <windows.h>

#include <cstdint>

#include "serial/win32/notify_window.h"
#include "serial/win32/worker_thread.h"

namespace serial {

class TReadThread {
 public:
  TReadThread() = default;
  ~TReadThread() { thread_.Finish(); }

  // Set by OpenPort before the thread starts.
  HANDLE PortHandle = nullptr;
  HANDLE CloseEvent = nullptr;
  NotifyTarget* NotifyWindow = nullptr;

  WorkerThread& Thread() { return thread_; }
  bool Create() {
    return thread_.Create([this] { Execute(); });
  }

 private:
  // The records the driver writes into while an operation is outstanding.
  // They live on the heap so that, should a cancelled operation never
  // complete, they can be kept instead of freed under the driver.
  struct IoRecords {
    OVERLAPPED read{};
    OVERLAPPED comm{};
    DWORD comm_mask = 0;
    uint8_t buffer[256];
  };

  void Execute();
  bool StartWatching();
  void WatchErrorsOnly();
  bool ArmCommWait();
  bool FinishCommEvent(bool pending);
  bool ArmRead();
  bool FinishRead();
  bool HandOver(DWORD n);

  IoRecords* io_ = nullptr;
  DWORD mask_ = 0;       // the line events watched
  bool watching_ = false;
  bool read_pending_ = false;
  bool comm_pending_ = false;
  // Comm-event waits in a row that ended aborted without our asking.
  int aborted_waits_ = 0;
  static constexpr int kMaxAbortedWaits = 3;
  WorkerThread thread_;  // last: ends before the fields above go
};

}  // namespace serial
