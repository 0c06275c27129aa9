#include "serial/win32/write_thread.h"

#include <new>
#include <optional>

#include "serial/comm_messages.h"
#include "serial/win32/win32_io.h"

namespace serial {

TWriteThread::TWriteThread() {
  queue_ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
}

TWriteThread::~TWriteThread() {
  thread_.Finish();
  if (queue_ready_) CloseHandle(queue_ready_);
}

bool TWriteThread::Create() {
  return queue_ready_ && thread_.Create([this] { Execute(); });
}

void TWriteThread::WaitQueueReady() {
  HANDLE set[2] = {queue_ready_, thread_.Handle()};
  WaitForMultipleObjects(2, set, FALSE, INFINITE);
}

bool TWriteThread::Enqueue(const void* data, uint16_t count) {
  if (!data || count == 0) return false;
  uint64_t id = 0;
  try {
    const auto* bytes = static_cast<const uint8_t*>(data);
    id = items_.Push(Item(bytes, bytes + count));
  } catch (const std::bad_alloc&) {
    return false;
  }
  if (!id) return false;  // the thread has ended
  if (PostThreadMessageA(thread_.ThreadId(), COMM_WRITE, 0, 0)) return true;
  // Not woken: taken back, unless a wake-up has already taken it.
  return !items_.Withdraw(id);
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
        if (notify && !NotifyWindow->Post(COMM_SEND_DATA_EMPTY)) {
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
      if (IsSignalled(CloseEvent)) break;  // closing: queued items are dropped below
      if (msg.hwnd) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        continue;
      }
      if (msg.message != COMM_WRITE) continue;
      // The message's parameters mean nothing: it only says an item may be
      // waiting. A wake-up with nothing queued writes nothing.
      std::optional<Item> item = items_.Pop();
      if (!item) continue;
      const WriteResult wr = WriteItem(item->data(), DWORD(item->size()), *ov);
      if (wr == WriteResult::StopKeepBlock) {
        // The driver may still read the bytes: they are kept for good.
        (void)new (std::nothrow) Item(std::move(*item));
        keep_records = true;
        break;
      }
      if (wr == WriteResult::Stop) break;
      notify = true;
    }
  }

  PurgeComm(PortHandle, PURGE_TXABORT | PURGE_TXCLEAR);
  SendDataEmpty->store(true, std::memory_order_relaxed);
  items_.Close();
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
