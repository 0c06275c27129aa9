// The POSIX backend of TComm: a terminal device opened exclusively and
// non-blocking, an eventfd as the close event, and notifications posted
// through the application's post queue.
#include <termios.h>

#include <system_error>

#include "serial/comm.h"
#include "serial/comm_backend.h"
#include "serial/comm_errors.h"
#include "serial/line/comm_name.h"
#include "serial/posix/close_event.h"
#include "serial/posix/notify_window.h"
#include "serial/line/posix/port_device.h"
#include "serial/posix/read_thread.h"
#include "serial/posix/write_thread.h"

namespace serial {
namespace {

class PosixBackend final : public PortBackend {
 public:
  PosixBackend(TComm& owner, std::atomic<bool>& send_data_empty)
      : send_data_empty_(send_data_empty), notify_(std::make_shared<NotifyWindow>(&owner)) {}

  ~PosixBackend() override {
    Close();
    notify_->Detach();
  }

  bool IsOpen() const override { return port_ != nullptr; }

  void Open(const std::string& comm_name, const CommSettings& settings) override {
    auto port = std::make_unique<PortDevice>();
    switch (port->Open(PosixDevicePath(comm_name))) {
      case PortDevice::OpenResult::Ok: break;
      case PortDevice::OpenResult::CannotOpen: throw ECommsError(kErrOpen);
      case PortDevice::OpenResult::NotCharDevice: throw ECommsError(kErrNotComm);
      case PortDevice::OpenResult::NotTerminal: throw ECommsError(kErrSetupComm);
    }
    port_ = std::move(port);
    port_->Purge(TCIOFLUSH);
    send_data_empty_.store(true, std::memory_order_relaxed);
    port_->ApplyTimeouts(settings);
    port_->ApplyLineSettings(settings);

    close_event_ = std::make_unique<CloseEvent>();
    if (!close_event_->Create()) {
      close_event_.reset();
      port_.reset();
      throw ECommsError(kErrCreateEvent);
    }
    try {
      receive_thread_ = std::make_unique<TReadThread>(port_.get(), close_event_.get(), notify_);
      receive_thread_->Start();
    } catch (...) {
      receive_thread_.reset();
      close_event_.reset();
      port_.reset();
      throw ECommsError(kErrReadThread);
    }
    try {
      transmit_thread_ = std::make_unique<TWriteThread>(port_.get(), close_event_.get(), notify_, send_data_empty_);
      transmit_thread_->Start();
    } catch (...) {
      transmit_thread_.reset();
      StopReceiveThread();
      close_event_.reset();
      port_.reset();
      throw ECommsError(kErrWriteThread);
    }
  }

  void Close() override {
    if (!port_) return;
    StopReceiveThread();
    StopTransmitThread();
    close_event_.reset();
    port_.reset();
  }

  bool Send(const void* buffer, uint16_t length) override {
    if (!transmit_thread_ || length == 0) return false;
    return transmit_thread_->Enqueue(buffer, length);
  }

  void ApplyLineSettings(const CommSettings& s) override {
    if (port_) port_->ApplyLineSettings(s);
  }
  void ApplyTimeouts(const CommSettings& s) override {
    if (port_) port_->ApplyTimeouts(s);
  }

 private:
  void StopReceiveThread() {
    if (!receive_thread_) return;
    close_event_->Set();
    port_->Purge(TCIFLUSH);
    receive_thread_.reset();  // waits for the thread
  }

  void StopTransmitThread() {
    if (!transmit_thread_) return;
    close_event_->Set();
    port_->Purge(TCOFLUSH);
    send_data_empty_.store(true, std::memory_order_relaxed);
    transmit_thread_.reset();  // waits for the thread; queued items are released
  }

  std::atomic<bool>& send_data_empty_;
  std::shared_ptr<NotifyWindow> notify_;
  std::unique_ptr<PortDevice> port_;
  std::unique_ptr<CloseEvent> close_event_;
  std::unique_ptr<TReadThread> receive_thread_;
  std::unique_ptr<TWriteThread> transmit_thread_;
};

}  // namespace

std::unique_ptr<PortBackend> CreatePortBackend(TComm& owner, std::atomic<bool>& send_data_empty) {
  return std::make_unique<PosixBackend>(owner, send_data_empty);
}

}  // namespace serial
