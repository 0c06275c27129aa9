#include "serial/win32/read_thread.h"

#include <new>

#include "serial/comm.h"
#include "serial/comm_messages.h"
#include "serial/win32/win32_io.h"

namespace serial {

void TReadThread::Execute() {
  io_ = new (std::nothrow) IoRecords;
  if (!io_) {
    PostHangup(NotifyWindow);
    return;
  }
  io_->read.hEvent = CreateEventA(nullptr, TRUE, TRUE, nullptr);
  io_->comm.hEvent = CreateEventA(nullptr, TRUE, TRUE, nullptr);

  if (!io_->read.hEvent || !io_->comm.hEvent) {
    PostHangup(NotifyWindow);
  } else if (StartWatching() && ArmCommWait() && ArmRead()) {
    for (;;) {
      // Index 0 the close event, then the comm-event wait when one is
      // outstanding, then the read.
      HANDLE set[3];
      DWORD count = 0;
      set[count++] = CloseEvent;
      const DWORD comm_index = comm_pending_ ? count : MAXDWORD;
      if (comm_pending_) set[count++] = io_->comm.hEvent;
      const DWORD read_index = count;
      set[count++] = io_->read.hEvent;

      const DWORD r = WaitForMultipleObjects(count, set, FALSE, INFINITE);
      if (r == WAIT_FAILED || r - WAIT_OBJECT_0 >= count) {
        PostHangup(NotifyWindow);
        break;
      }
      const DWORD index = r - WAIT_OBJECT_0;
      if (index == 0) break;
      if (index == comm_index) {
        if (!FinishCommEvent(true) || !ArmCommWait()) break;
      } else if (index == read_index) {
        if (!FinishRead() || !ArmRead()) break;
      }
    }
  }

  PurgeComm(PortHandle, PURGE_RXABORT | PURGE_RXCLEAR);
  OVERLAPPED* pending[2];
  int n = 0;
  if (read_pending_) pending[n++] = &io_->read;
  if (comm_pending_) pending[n++] = &io_->comm;
  if (!CancelAndAwait(PortHandle, pending, n)) return;  // the driver still holds io_: keep it
  if (io_->read.hEvent) CloseHandle(io_->read.hEvent);
  if (io_->comm.hEvent) CloseHandle(io_->comm.hEvent);
  delete io_;
  io_ = nullptr;
}

// Line events to watch: carrier, errors and ring. A driver that cannot watch
// carrier and ring still gets its line errors watched; one that cannot watch
// at all still has its data read.
bool TReadThread::StartWatching() {
  const DWORD full = EV_RLSD | EV_ERR | EV_RING;
  if (SetCommMask(PortHandle, full)) {
    mask_ = full;
    watching_ = true;
    return true;
  }
  const DWORD e = GetLastError();
  if (!IsUnsupportedError(e)) {
    if (e != ERROR_INVALID_HANDLE) PostHangup(NotifyWindow);
    return false;
  }
  WatchErrorsOnly();
  return true;
}

void TReadThread::WatchErrorsOnly() {
  if (mask_ != EV_ERR && SetCommMask(PortHandle, EV_ERR)) {
    mask_ = EV_ERR;
    watching_ = true;
  } else {
    mask_ = 0;
    watching_ = false;
  }
}

bool TReadThread::ArmCommWait() {
  if (comm_pending_) return true;
  for (;;) {
    if (IsSignalled(CloseEvent)) return false;
    if (!watching_) return true;
    ResetOverlapped(io_->comm);
    io_->comm_mask = 0;
    if (WaitCommEvent(PortHandle, &io_->comm_mask, &io_->comm)) {
      if (!FinishCommEvent(false)) return false;
      continue;
    }
    const DWORD e = GetLastError();
    if (e == ERROR_IO_PENDING) {
      comm_pending_ = true;
      return true;
    }
    if (e == ERROR_INVALID_HANDLE) return false;
    if (IsUnsupportedError(e)) {
      WatchErrorsOnly();
      continue;
    }
    PostHangup(NotifyWindow);
    return false;
  }
}

bool TReadThread::FinishCommEvent(bool pending) {
  bool result = false;
  if (pending) {
    comm_pending_ = false;
    DWORD unused = 0;
    if (!GetOverlappedResult(PortHandle, &io_->comm, &unused, FALSE)) {
      const DWORD e = GetLastError();
      if (e == ERROR_IO_INCOMPLETE) {  // woken early: keep waiting
        comm_pending_ = true;
        RearmPendingEvent(io_->comm);
        return true;
      }
      // A wait the driver aborts by itself again and again (Wine on a
      // pseudo-terminal aborts every one) cannot watch anything either.
      if (e == ERROR_OPERATION_ABORTED && ++aborted_waits_ < kMaxAbortedWaits) return true;
      if (IsUnsupportedError(e) || e == ERROR_OPERATION_ABORTED) {
        aborted_waits_ = 0;
        WatchErrorsOnly();
        return true;
      }
      if (e != ERROR_INVALID_HANDLE) PostHangup(NotifyWindow);
      return false;
    }
  }
  aborted_waits_ = 0;
  const DWORD mask = io_->comm_mask;
  if (mask & EV_ERR) {
    DWORD errors = 0;
    COMSTAT stat{};
    if (!ClearCommError(PortHandle, &errors, &stat)) {
      if (GetLastError() != ERROR_INVALID_HANDLE) PostHangup(NotifyWindow);
      return false;
    }
    if (!NotifyWindow->Post(COMM_RECEIVE_ERROR, errors)) {
      PostHangup(NotifyWindow);
      return false;
    }
    result = true;
  }
  DWORD modem = 0;
  if (mask & EV_RLSD) modem |= MODEM_EVENT_CARRIER;
  if (mask & EV_RING) modem |= MODEM_EVENT_RING;
  if (modem) {
    if (!NotifyWindow->Post(COMM_MODEM_STATE_CHANGE, modem)) {
      PostHangup(NotifyWindow);
      return false;
    }
    result = true;
  }
  if (!(mask & EV_ERR) && !modem) PostHangup(NotifyWindow);
  return result;
}

bool TReadThread::ArmRead() {
  if (read_pending_) return true;
  for (;;) {
    if (IsSignalled(CloseEvent)) return false;
    ResetOverlapped(io_->read);
    DWORD n = 0;
    if (ReadFile(PortHandle, io_->buffer, sizeof io_->buffer, &n, &io_->read)) {
      if (!HandOver(n)) return false;
      continue;
    }
    const DWORD e = GetLastError();
    if (e == ERROR_IO_PENDING) {
      read_pending_ = true;
      return true;
    }
    if (e != ERROR_INVALID_HANDLE) PostHangup(NotifyWindow);
    return false;
  }
}

bool TReadThread::FinishRead() {
  read_pending_ = false;
  DWORD n = 0;
  if (GetOverlappedResult(PortHandle, &io_->read, &n, FALSE)) return HandOver(n);
  const DWORD e = GetLastError();
  if (e == ERROR_IO_INCOMPLETE) {  // woken early: keep waiting
    read_pending_ = true;
    RearmPendingEvent(io_->read);
    return true;
  }
  if (e != ERROR_INVALID_HANDLE) PostHangup(NotifyWindow);
  return false;
}

bool TReadThread::HandOver(DWORD n) {
  if (n == 0) return false;
  if (n > sizeof io_->buffer) n = sizeof io_->buffer;
  // A copy of the bytes waits in the target's queue; the message only wakes
  // the GUI thread.
  if (!NotifyWindow->PostData(io_->buffer, n)) {
    PostHangup(NotifyWindow);
    return false;
  }
  return true;
}

}  // namespace serial
