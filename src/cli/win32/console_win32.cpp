#include <io.h>
#include <windows.h>

#include <atomic>
#include <ctime>

#include "cli/console.h"

namespace cli {
namespace {

std::atomic<bool> g_interrupted{false};

BOOL WINAPI OnConsoleEvent(DWORD) {
  // The handler runs on a thread of its own; the program sees the flag
  // within one port read and closes the port before it exits.
  g_interrupted = true;
  return TRUE;
}

}  // namespace

void CatchInterrupts() { SetConsoleCtrlHandler(OnConsoleEvent, TRUE); }

bool Interrupted() { return g_interrupted; }

bool IsTerminal(std::FILE* stream) { return _isatty(_fileno(stream)) != 0; }

std::string LocalTimeStamp() {
  const std::time_t now = std::time(nullptr);
  // One thread asks for the time: the shared result of localtime is safe.
  const std::tm* tm = std::localtime(&now);
  char buf[32];
  if (!tm || !std::strftime(buf, sizeof buf, "%Y%m%d-%H%M%S", tm)) return "00000000-000000";
  return buf;
}

}  // namespace cli
