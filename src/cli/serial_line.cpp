#include "cli/serial_line.h"

namespace cli {

CommSettings ControllerLine() {
  CommSettings s;
  s.BaudRate = 38400;
  s.TxContinueOnXoff = false;
  s.Outx_XonXoffFlow = false;
  s.Inx_XonXoffFlow = false;
  return s;
}

}  // namespace cli
