// The component's hidden notification window on Win32: a message-only window
// on the GUI thread whose procedure turns the worker threads' posted
// notifications into the component's events.
#pragma once

#include <windows.h>

class TComm;

namespace serial {

// Creates the window for comm; nullptr when it cannot be created.
HWND CreateNotifyWindow(TComm* comm);
// Destroys the window. Notifications still queued for it are removed and
// their data blocks released. GUI thread only.
void DestroyNotifyWindow(HWND wnd);

}  // namespace serial
