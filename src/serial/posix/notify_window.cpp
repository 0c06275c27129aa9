#include "serial/posix/notify_window.h"

#include "framework/forms.h"
#include "serial/comm_notify.h"

namespace serial {

bool NotifyWindow::Post(uint32_t msg, uint32_t count, uint32_t bits, std::shared_ptr<uint8_t[]> block) {
  try {
    return fw::Application().Post([self = shared_from_this(), msg, count, bits, block = std::move(block)] {
      if (self->comm_) RaiseCommEvent(*self->comm_, msg, count, bits, block.get());
    });
  } catch (...) {
    return false;
  }
}

}  // namespace serial
