#include "serial/line/comm_settings.h"

namespace serial {

uint32_t DcbFlagWord(const CommSettings& s) {
  uint32_t w = kDcbBinary;
  if (s.ParityCheck) w |= kDcbParity;
  if (s.Outx_CtsFlow) w |= kDcbOutxCtsFlow;
  if (s.Outx_DsrFlow) w |= kDcbOutxDsrFlow;
  switch (s.DtrControl) {
    case DtrEnable: w |= 0x0010; break;
    case DtrDisable: break;
    case DtrHandshake: w |= 0x0020; break;
  }
  if (s.DsrSensitivity) w |= kDcbDsrSensitivity;
  if (s.TxContinueOnXoff) w |= kDcbTxContinueOnXoff;
  if (s.Outx_XonXoffFlow) w |= kDcbOutX;
  if (s.Inx_XonXoffFlow) w |= kDcbInX;
  if (s.ReplaceWhenParityError) w |= kDcbErrorChar;
  if (s.IgnoreNullChar) w |= kDcbNull;
  switch (s.RtsControl) {
    case RtsEnable: w |= 0x1000; break;
    case RtsDisable: break;
    case RtsHandshake: w |= 0x2000; break;
    case RtsTransmissionAvailable: w |= 0x3000; break;
  }
  return w;
}

}  // namespace serial
