// The line settings and time-outs of a serial port, as the component's
// properties store them. The backends translate them for the platform.
#pragma once

#include <cstdint>

enum TDtrControl { DtrEnable, DtrDisable, DtrHandshake };
enum TRtsControl { RtsEnable, RtsDisable, RtsHandshake, RtsTransmissionAvailable };
enum TByteSize { _5, _6, _7, _8 };
enum TParity { None, Odd, Even, Mark, Space };
enum TStopBits { _1, _1_5, _2 };

struct CommSettings {
  uint32_t BaudRate = 9600;
  bool ParityCheck = false;
  bool Outx_CtsFlow = false;
  bool Outx_DsrFlow = false;
  TDtrControl DtrControl = DtrEnable;
  bool DsrSensitivity = false;
  bool TxContinueOnXoff = true;
  bool Outx_XonXoffFlow = true;
  bool Inx_XonXoffFlow = true;
  bool ReplaceWhenParityError = false;
  bool IgnoreNullChar = false;
  TRtsControl RtsControl = RtsEnable;
  uint16_t XonLimit = 500;
  uint16_t XoffLimit = 500;
  TByteSize ByteSize = _8;
  TParity Parity = None;
  TStopBits StopBits = _1;
  char XonChar = 17;   // DC1
  char XoffChar = 19;  // DC3
  char ReplacedChar = 0;
  uint32_t ReadIntervalTimeout = 100;
  uint32_t ReadTotalTimeoutMultiplier = 0;
  uint32_t ReadTotalTimeoutConstant = 0;
  uint32_t WriteTotalTimeoutMultiplier = 0;
  uint32_t WriteTotalTimeoutConstant = 0;

  bool operator==(const CommSettings&) const = default;
};

namespace serial {

// The DCB flag word for these settings, rebuilt from zero: binary mode is
// always on, every bit that no setting names (abort-on-error among them) is 0.
uint32_t DcbFlagWord(const CommSettings& s);

// DCB flag bits.
constexpr uint32_t kDcbBinary = 0x0001;
constexpr uint32_t kDcbParity = 0x0002;
constexpr uint32_t kDcbOutxCtsFlow = 0x0004;
constexpr uint32_t kDcbOutxDsrFlow = 0x0008;
constexpr uint32_t kDcbDtrControlMask = 0x0030;
constexpr uint32_t kDcbDsrSensitivity = 0x0040;
constexpr uint32_t kDcbTxContinueOnXoff = 0x0080;
constexpr uint32_t kDcbOutX = 0x0100;
constexpr uint32_t kDcbInX = 0x0200;
constexpr uint32_t kDcbErrorChar = 0x0400;
constexpr uint32_t kDcbNull = 0x0800;
constexpr uint32_t kDcbRtsControlMask = 0x3000;

}  // namespace serial
