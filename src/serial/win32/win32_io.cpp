#include "serial/win32/win32_io.h"

namespace serial {

bool CancelAndAwait(HANDLE port, OVERLAPPED* const* records, int count) {
  if (count == 0) return true;
  CancelIo(port);
  bool all = true;
  for (int i = 0; i < count; ++i) {
    DWORD n = 0;
    // Waits on the record's event for up to 5 s.
    if (WaitForSingleObject(records[i]->hEvent, 5000) != WAIT_OBJECT_0) {
      all = false;
      continue;
    }
    GetOverlappedResult(port, records[i], &n, FALSE);
  }
  return all;
}

}  // namespace serial
