#include "serial/line/controller_line.h"

namespace serial {

CommSettings ControllerLine() {
  CommSettings s;
  s.BaudRate = 38400;
  s.ByteSize = _8;
  s.Parity = None;
  s.StopBits = _1;
  s.ReadIntervalTimeout = 20;
  s.TxContinueOnXoff = false;
  s.Outx_XonXoffFlow = false;
  s.Inx_XonXoffFlow = false;
  return s;
}

}  // namespace serial
