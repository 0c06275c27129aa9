#include "serial/line/win32/dcb_apply.h"

namespace serial {

void SettingsToDcb(const CommSettings& s, DCB& d) {
  const uint32_t w = DcbFlagWord(s);
  d.BaudRate = s.BaudRate;
  d.fBinary = (w >> 0) & 1;
  d.fParity = (w >> 1) & 1;
  d.fOutxCtsFlow = (w >> 2) & 1;
  d.fOutxDsrFlow = (w >> 3) & 1;
  d.fDtrControl = (w >> 4) & 3;
  d.fDsrSensitivity = (w >> 6) & 1;
  d.fTXContinueOnXoff = (w >> 7) & 1;
  d.fOutX = (w >> 8) & 1;
  d.fInX = (w >> 9) & 1;
  d.fErrorChar = (w >> 10) & 1;
  d.fNull = (w >> 11) & 1;
  d.fRtsControl = (w >> 12) & 3;
  d.fAbortOnError = (w >> 14) & 1;
  d.fDummy2 = 0;
  d.XonLim = s.XonLimit;
  d.XoffLim = s.XoffLimit;
  d.ByteSize = BYTE(int(s.ByteSize) + 5);
  d.Parity = BYTE(s.Parity);
  d.StopBits = BYTE(s.StopBits);
  d.XonChar = s.XonChar;
  d.XoffChar = s.XoffChar;
  d.ErrorChar = s.ReplacedChar;
}

void SettingsToTimeouts(const CommSettings& s, COMMTIMEOUTS& t) {
  t.ReadIntervalTimeout = s.ReadIntervalTimeout;
  t.ReadTotalTimeoutMultiplier = s.ReadTotalTimeoutMultiplier;
  t.ReadTotalTimeoutConstant = s.ReadTotalTimeoutConstant;
  t.WriteTotalTimeoutMultiplier = s.WriteTotalTimeoutMultiplier;
  t.WriteTotalTimeoutConstant = s.WriteTotalTimeoutConstant;
}

}  // namespace serial
