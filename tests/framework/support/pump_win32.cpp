#include <windows.h>

#include <chrono>

#include "framework/forms.h"
#include "support/pump.h"

namespace fwtest {

bool PumpUntil(const std::function<bool()>& pred, unsigned timeout_ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  for (;;) {
    fw::Application().ProcessMessages();
    if (pred()) return true;
    if (std::chrono::steady_clock::now() > end) return pred();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

}  // namespace fwtest
