// Runs the GUI thread's pending work (posted functions, due timers, window
// messages) until pred() holds or timeout_ms of real time have passed;
// returns pred()'s last value. Each flavour has its own implementation.
#pragma once

#include <functional>

namespace fwtest {

bool PumpUntil(const std::function<bool()>& pred, unsigned timeout_ms = 30000);

}  // namespace fwtest
