// The Win32 backend of TComm: the port opened for overlapped I/O, a manual-
// reset close event, the two worker threads and the hidden notification
// window.
#include <windows.h>

#include <new>

#include "serial/comm.h"
#include "serial/comm_backend.h"
#include "serial/comm_errors.h"
#include "serial/comm_messages.h"
#include "serial/line/win32/port_handle.h"
#include "serial/win32/notify_window.h"
#include "serial/win32/read_thread.h"
#include "serial/win32/write_thread.h"

namespace serial {
namespace {

constexpr DWORD kStopWaitMs = 10000;

class Win32Backend final : public PortBackend {
 public:
  Win32Backend(TComm& owner, std::atomic<bool>& send_data_empty)
      : SendDataEmpty(send_data_empty), NotifyWindow(std::make_unique<NotifyTarget>(&owner)) {}

  // The threads end before the notification target goes.
  ~Win32Backend() override { Close(); }

  bool IsOpen() const override { return PortHandle != nullptr; }

  void Open(const std::string& comm_name, const CommSettings& settings) override {
    HANDLE h = OpenCommHandle(comm_name, true, nullptr);
    if (h == INVALID_HANDLE_VALUE) throw ECommsError(kErrOpen);
    if (!IsCommHandle(h)) {
      CloseHandle(h);
      throw ECommsError(kErrNotComm);
    }
    if (!SetupComm(h, kDriverQueueSize, kDriverQueueSize)) {
      CloseHandle(h);
      throw ECommsError(kErrSetupComm);
    }
    PortHandle = h;
    PurgeComm(PortHandle, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
    SendDataEmpty.store(true, std::memory_order_relaxed);
    ApplyTimeouts(settings);
    ApplyLineSettings(settings);

    CloseEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!CloseEvent) {
      CloseHandle(PortHandle);
      PortHandle = nullptr;
      throw ECommsError(kErrCreateEvent);
    }

    ReceiveThread = new (std::nothrow) TReadThread;
    if (!ReceiveThread || !ReceiveThread->Create()) {
      delete ReceiveThread;
      ReceiveThread = nullptr;
      ReleaseHandles();
      throw ECommsError(kErrReadThread);
    }
    ReceiveThread->PortHandle = PortHandle;
    ReceiveThread->CloseEvent = CloseEvent;
    ReceiveThread->NotifyWindow = NotifyWindow.get();
    ReceiveThread->Thread().SetPriority(THREAD_PRIORITY_HIGHEST);

    TransmitThread = new (std::nothrow) TWriteThread;
    if (!TransmitThread || !TransmitThread->Create()) {
      StopReceiveThread();
      delete TransmitThread;
      TransmitThread = nullptr;
      ReleaseHandles();
      throw ECommsError(kErrWriteThread);
    }
    TransmitThread->PortHandle = PortHandle;
    TransmitThread->CloseEvent = CloseEvent;
    TransmitThread->NotifyWindow = NotifyWindow.get();
    TransmitThread->SendDataEmpty = &SendDataEmpty;
    TransmitThread->Thread().SetPriority(THREAD_PRIORITY_ABOVE_NORMAL);

    ReceiveThread->Thread().Resume();
    TransmitThread->Thread().Resume();
    TransmitThread->WaitQueueReady();
  }

  void Close() override {
    if (!PortHandle) return;
    StopReceiveThread();
    StopTransmitThread();
    ReleaseHandles();
  }

  bool Send(const void* buffer, uint16_t length) override {
    if (!TransmitThread || length == 0) return false;
    return TransmitThread->Enqueue(buffer, length);
  }

  void ApplyLineSettings(const CommSettings& s) override {
    if (PortHandle) WriteLineSettings(PortHandle, s);
  }

  void ApplyTimeouts(const CommSettings& s) override {
    if (PortHandle) WriteTimeouts(PortHandle, s);
  }

 private:
  void StopReceiveThread() {
    if (!ReceiveThread) return;
    SetEvent(CloseEvent);
    PurgeComm(PortHandle, PURGE_RXABORT | PURGE_RXCLEAR);
    if (!ReceiveThread->Thread().WaitFor(kStopWaitMs)) ReceiveThread->Thread().Terminated = true;
    delete ReceiveThread;  // waits further if needed
    ReceiveThread = nullptr;
  }

  void StopTransmitThread() {
    if (!TransmitThread) return;
    SetEvent(CloseEvent);
    PurgeComm(PortHandle, PURGE_TXABORT | PURGE_TXCLEAR);
    SendDataEmpty.store(true, std::memory_order_relaxed);
    if (!TransmitThread->Thread().WaitFor(kStopWaitMs)) TransmitThread->Thread().Terminated = true;
    delete TransmitThread;
    TransmitThread = nullptr;
  }

  void ReleaseHandles() {
    if (CloseEvent) CloseHandle(CloseEvent);
    CloseEvent = nullptr;
    if (PortHandle) CloseHandle(PortHandle);
    PortHandle = nullptr;
  }

  std::atomic<bool>& SendDataEmpty;
  TReadThread* ReceiveThread = nullptr;
  TWriteThread* TransmitThread = nullptr;
  HANDLE PortHandle = nullptr;
  HANDLE CloseEvent = nullptr;
  std::unique_ptr<NotifyTarget> NotifyWindow;
};

}  // namespace

std::unique_ptr<PortBackend> CreatePortBackend(TComm& owner, std::atomic<bool>& send_data_empty) {
  return std::make_unique<Win32Backend>(owner, send_data_empty);
}

}  // namespace serial
