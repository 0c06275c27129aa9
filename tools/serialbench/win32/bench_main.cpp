// serialbench, Win32: the component on a COM port (default com12); the device
// is pty_peer.py on the other end of a pseudo-terminal that Wine maps to it
// (run_wine_bench.sh).
#include <windows.h>

#include <cstdio>

#include "../bench.h"

int main(int argc, char** argv) {
  BenchHost host;
  host.port = argc > 1 ? argv[1] : "com12";
  host.pump = [](const std::function<bool()>& pred, unsigned ms) {
    const DWORD start = GetTickCount();
    for (;;) {
      MSG m;
      while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
        if (pred()) return true;
      }
      if (pred()) return true;
      if (GetTickCount() - start > ms) return false;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
  };
  std::printf("serialbench (Win32 backend) on %s\n", host.port.c_str());
  const int rc = RunBench(host);
  std::fflush(stdout);
  return rc;
}
