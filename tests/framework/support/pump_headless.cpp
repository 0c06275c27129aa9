#include "framework/headless/headless.h"
#include "support/pump.h"

namespace fwtest {

bool PumpUntil(const std::function<bool()>& pred, unsigned timeout_ms) {
  return fw::headless::PumpUntil(pred, timeout_ms);
}

}  // namespace fwtest
