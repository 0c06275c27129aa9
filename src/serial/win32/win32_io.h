// Small helpers shared by the Win32 worker threads.
#pragma once

#include <windows.h>

#include <cstdint>

#include "serial/comm_messages.h"
#include "serial/win32/notify_window.h"

namespace serial {

// Errors with which a driver or an emulation says it cannot wait on line
// events at all, as opposed to a failing device.
inline bool IsUnsupportedError(DWORD e) {
  return e == ERROR_INVALID_PARAMETER || e == ERROR_NOT_SUPPORTED || e == ERROR_INVALID_FUNCTION;
}

// An overlapped record ready for the next operation, keeping its event. The
// event is cleared here too: not every implementation clears it when an
// operation goes pending (Wine's WaitCommEvent does not), and a stale
// signal would look like a completion.
inline void ResetOverlapped(OVERLAPPED& ov) {
  HANDLE ev = ov.hEvent;
  ZeroMemory(&ov, sizeof ov);
  ov.hEvent = ev;
  ResetEvent(ev);
}

// After a wake-up whose operation turned out to be still running: clears the
// event unless the operation completed meanwhile.
inline void RearmPendingEvent(OVERLAPPED& ov) {
  ResetEvent(ov.hEvent);
  if (HasOverlappedIoCompleted(&ov)) SetEvent(ov.hEvent);
}

inline bool IsSignalled(HANDLE ev) { return WaitForSingleObject(ev, 0) != WAIT_TIMEOUT; }

inline void PostHangup(NotifyTarget* notify) {
  if (notify) notify->PostHangup();
}

// Cancels this thread's outstanding I/O on the port and waits for each
// record given to complete, so that no driver writes into it afterwards.
// False when one did not complete in time; the caller must then keep the
// record (and its buffer and event) alive for good.
bool CancelAndAwait(HANDLE port, OVERLAPPED* const* records, int count);

}  // namespace serial
