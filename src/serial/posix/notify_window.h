// Where the worker threads send their notifications on POSIX: each one is
// posted to the GUI thread through the application's post queue, in order,
// and raises the component's event there. The target lives as long as any
// posted notification; once the component is gone (Detach), notifications
// still queued only release their blocks.
#pragma once

#include <cstdint>
#include <memory>

class TComm;

namespace serial {

class NotifyWindow : public std::enable_shared_from_this<NotifyWindow> {
 public:
  explicit NotifyWindow(TComm* comm) : comm_(comm) {}

  // GUI thread: no more events after this.
  void Detach() { comm_ = nullptr; }

  // Any thread. On success the block belongs to the GUI thread, which
  // releases it after OnReceiveData; on failure it is released here.
  bool Post(uint32_t msg, uint32_t count = 0, uint32_t bits = 0, std::shared_ptr<uint8_t[]> block = {});

 private:
  TComm* comm_;  // read and written on the GUI thread only
};

}  // namespace serial
