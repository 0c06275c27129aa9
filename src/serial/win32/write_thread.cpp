#include "serial/win32/write_thread.h"

#include <new>

#include "serial/comm_messages.h"
#include "serial/win32/win32_io.h"

namespace serial {

TWriteThread::TWriteThread() {
  InitializeCriticalSection(&gate_);
  queue_ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
}

TWriteThread::~TWriteThread() {
  thread_.Finish();
  if (queue_ready_) CloseHandle(queue_ready_);
  DeleteCriticalSection(&gate_);
}

bool TWriteThread::Create() {
  return queue_ready_ && thread_.Create([this] { Execute(); });
}

void TWriteThread::WaitQueueReady() {
  HANDLE set[2] = {queue_ready_, thread_.Handle()};
  WaitForMultipleObjects(2, set, FALSE, INFINITE);
}

bool TWriteThread::Enqueue(void* block, uint16_t count) {
  EnterCriticalSection(&gate_);
  const bool ok =
      accepting_ && PostThreadMessageA(thread_.ThreadId(), COMM_WRITE, WPARAM(count), reinterpret_cast<LPARAM>(block));
  LeaveCriticalSection(&gate_);
  return ok;
}

void TWriteThread::ReleaseQueued() {
  EnterCriticalSection(&gate_);
  accepting_ = false;
  LeaveCriticalSection(&gate_);
  MSG m;
  while (PeekMessageA(&m, nullptr, COMM_WRITE, COMM_WRITE, PM_REMOVE))
    if (!m.hwnd && m.lParam) LocalFree(reinterpret_cast<HLOCAL>(m.lParam));
}

void TWriteThread::Execute() {
  MSG msg;
  // The first call makes the thread's message queue.
  PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
  SetEvent(queue_ready_);

  // On the heap: should a cancelled write never complete, the record (with
  // its block and event) is kept for good instead of freed under the driver.
  auto* ov = new (std::nothrow) OVERLAPPED{};
  if (ov) ov->hEvent = CreateEventA(nullptr, TRUE, TRUE, nullptr);
  bool keep_records = false;
  if (!ov || !ov->hEvent) {
    PostHangup(NotifyWindow);
  } else {
    bool notify = true;  // written since the last COMM_SEND_DATA_EMPTY
    for (;;) {
      if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        SendDataEmpty->store(true, std::memory_order_relaxed);
        if (notify && !PostMessageA(NotifyWindow, COMM_SEND_DATA_EMPTY, 0, 0)) {
          PostHangup(NotifyWindow);
          break;
        }
        notify = false;
        const DWORD r = MsgWaitForMultipleObjects(1, &CloseEvent, FALSE, INFINITE, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) break;
        if (r == WAIT_OBJECT_0 + 1) continue;
        PostHangup(NotifyWindow);
        break;
      }
      if (IsSignalled(CloseEvent)) {
        // Closing: the item just taken is released with the rest.
        if (!msg.hwnd && msg.message == COMM_WRITE && msg.lParam) LocalFree(reinterpret_cast<HLOCAL>(msg.lParam));
        break;
      }
      if (msg.hwnd) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        continue;
      }
      if (msg.message != COMM_WRITE) continue;
      auto* block = reinterpret_cast<uint8_t*>(msg.lParam);
      const WriteResult wr = block ? WriteItem(block, DWORD(msg.wParam & 0xFFFF), *ov) : WriteResult::Done;
      if (wr == WriteResult::StopKeepBlock) {
        keep_records = true;
        break;
      }
      if (block) LocalFree(block);
      if (wr == WriteResult::Stop) break;
      notify = true;
    }
  }

  PurgeComm(PortHandle, PURGE_TXABORT | PURGE_TXCLEAR);
  SendDataEmpty->store(true, std::memory_order_relaxed);
  ReleaseQueued();
  if (ov && !keep_records) {
    if (ov->hEvent) CloseHandle(ov->hEvent);
    delete ov;
  }
}

TWriteThread::WriteResult TWriteThread::WriteItem(const uint8_t* data, DWORD count, OVERLAPPED& ov) {
  DWORD offset = 0;
  HANDLE set[2] = {CloseEvent, ov.hEvent};
  OVERLAPPED* const records[1] = {&ov};
  while (offset < count) {
    ResetOverlapped(ov);
    DWORD written = 0;
    if (!WriteFile(PortHandle, data + offset, count - offset, &written, &ov)) {
      const DWORD e = GetLastError();
      if (e == ERROR_INVALID_HANDLE) return WriteResult::Stop;
      if (e != ERROR_IO_PENDING) {
        PostHangup(NotifyWindow);
        return WriteResult::Stop;
      }
      const DWORD r = WaitForMultipleObjects(2, set, FALSE, INFINITE);
      if (r == WAIT_OBJECT_0 + 1) {
        if (!GetOverlappedResult(PortHandle, &ov, &written, TRUE)) {
          if (GetLastError() != ERROR_INVALID_HANDLE) PostHangup(NotifyWindow);
          return WriteResult::Stop;
        }
      } else {
        // Closing (or a failed wait): the write is abandoned, and must be
        // over before its block is released.
        if (r != WAIT_OBJECT_0) PostHangup(NotifyWindow);
        return CancelAndAwait(PortHandle, records, 1) ? WriteResult::Stop : WriteResult::StopKeepBlock;
      }
    }
    if (written > count - offset) written = count - offset;
    offset += written;
  }
  return WriteResult::Done;
}

}  // namespace serial
