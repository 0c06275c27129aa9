// Waits of the programs that drive the real window from outside: a
// condition polled every 5 ms until it holds or the limit passes.
#pragma once

#include <windows.h>

#include <chrono>

template <typename F>
bool WaitFor(F&& f, int seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (std::chrono::steady_clock::now() < end) {
    if (f()) return true;
    Sleep(5);
  }
  return f();
}
