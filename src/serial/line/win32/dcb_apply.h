// Writing the component's line settings and time-outs into the Win32
// structures.
#pragma once

#include <windows.h>

#include "serial/line/comm_settings.h"

namespace serial {

// Replaces the fields the settings own; EofChar, EvtChar and the rest keep
// what the driver reported.
void SettingsToDcb(const CommSettings& s, DCB& d);
void SettingsToTimeouts(const CommSettings& s, COMMTIMEOUTS& t);

}  // namespace serial
