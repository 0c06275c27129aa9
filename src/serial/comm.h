// TComm: one serial port, with a receive and a transmit thread while open.
// Every event is raised on the GUI thread, in the order the threads posted
// them.
//
// Properties are stored in the component; a change to a line setting or a
// time-out is applied to the port at once when it is open (CommName and
// Parity are only stored and take effect later).
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "framework/component.h"
#include "serial/line/comm_settings.h"

class ECommsError : public fw::Exception {
 public:
  using fw::Exception::Exception;
};

using TReceiveDataEvent = std::function<void(fw::TObject* Sender, const void* Buffer, uint16_t BufferLength)>;
using TReceiveErrorEvent = std::function<void(fw::TObject* Sender, uint32_t EventMask)>;
using TModemStateChangeEvent = std::function<void(fw::TObject* Sender, uint32_t ModemEvent)>;
using TSendDataEmptyEvent = std::function<void(fw::TObject* Sender)>;

// Bits of OnModemStateChange's ModemEvent.
constexpr uint32_t MODEM_EVENT_CARRIER = 8;  // the carrier-detect line changed
constexpr uint32_t MODEM_EVENT_RING = 4;     // a ring was detected

namespace serial {
class PortBackend;
}

class TComm : public fw::TComponent {
 public:
  explicit TComm(fw::TComponent* owner);
  // Closes the port (ending both threads) before the memory goes.
  ~TComm() override;
  const char* ClassName() const override { return "TComm"; }

  // The port to open: "COM1" ... or a device name. Read by OpenPort only.
  std::string CommName = "COM2";

  uint32_t BaudRate() const { return s_.BaudRate; }
  void SetBaudRate(uint32_t v);
  bool ParityCheck() const { return s_.ParityCheck; }
  void SetParityCheck(bool v);
  bool Outx_CtsFlow() const { return s_.Outx_CtsFlow; }
  void SetOutx_CtsFlow(bool v);
  bool Outx_DsrFlow() const { return s_.Outx_DsrFlow; }
  void SetOutx_DsrFlow(bool v);
  TDtrControl DtrControl() const { return s_.DtrControl; }
  void SetDtrControl(TDtrControl v);
  bool DsrSensitivity() const { return s_.DsrSensitivity; }
  void SetDsrSensitivity(bool v);
  bool TxContinueOnXoff() const { return s_.TxContinueOnXoff; }
  void SetTxContinueOnXoff(bool v);
  bool Outx_XonXoffFlow() const { return s_.Outx_XonXoffFlow; }
  void SetOutx_XonXoffFlow(bool v);
  bool Inx_XonXoffFlow() const { return s_.Inx_XonXoffFlow; }
  void SetInx_XonXoffFlow(bool v);
  bool ReplaceWhenParityError() const { return s_.ReplaceWhenParityError; }
  void SetReplaceWhenParityError(bool v);
  bool IgnoreNullChar() const { return s_.IgnoreNullChar; }
  void SetIgnoreNullChar(bool v);
  TRtsControl RtsControl() const { return s_.RtsControl; }
  void SetRtsControl(TRtsControl v);
  uint16_t XonLimit() const { return s_.XonLimit; }
  void SetXonLimit(uint16_t v);
  uint16_t XoffLimit() const { return s_.XoffLimit; }
  void SetXoffLimit(uint16_t v);
  TByteSize ByteSize() const { return s_.ByteSize; }
  void SetByteSize(TByteSize v);
  // Stored only: used the next time the line settings are applied.
  TParity Parity() const { return s_.Parity; }
  void SetParity(TParity v) { s_.Parity = v; }
  TStopBits StopBits() const { return s_.StopBits; }
  void SetStopBits(TStopBits v);
  char XonChar() const { return s_.XonChar; }
  void SetXonChar(char v);
  char XoffChar() const { return s_.XoffChar; }
  void SetXoffChar(char v);
  char ReplacedChar() const { return s_.ReplacedChar; }
  void SetReplacedChar(char v);
  uint32_t ReadIntervalTimeout() const { return s_.ReadIntervalTimeout; }
  void SetReadIntervalTimeout(uint32_t v);
  uint32_t ReadTotalTimeoutMultiplier() const { return s_.ReadTotalTimeoutMultiplier; }
  void SetReadTotalTimeoutMultiplier(uint32_t v);
  uint32_t ReadTotalTimeoutConstant() const { return s_.ReadTotalTimeoutConstant; }
  void SetReadTotalTimeoutConstant(uint32_t v);
  uint32_t WriteTotalTimeoutMultiplier() const { return s_.WriteTotalTimeoutMultiplier; }
  void SetWriteTotalTimeoutMultiplier(uint32_t v);
  uint32_t WriteTotalTimeoutConstant() const { return s_.WriteTotalTimeoutConstant; }
  void SetWriteTotalTimeoutConstant(uint32_t v);

  // All stored properties at once.
  const CommSettings& Settings() const { return s_; }
  // Sets every property at once. On an open port the line settings are
  // applied when one of them (other than Parity) changed, and the
  // time-outs when one of them changed, as the single setters do.
  void SetSettings(const CommSettings& settings);

  // Opens CommName and starts both threads. Raises ECommsError (and stays
  // closed) when the port cannot be opened, or when it is already open.
  void OpenPort();
  // Stops both threads and closes the port; nothing when closed.
  void ClosePort();
  bool Opened() const;
  // Queues a copy of the bytes for the transmit thread and returns at once;
  // false when nothing was queued (closed port, no bytes, no memory).
  bool SendData(const void* Buffer, uint16_t Length);
  // True when nothing is waiting to be sent.
  bool SendDataEmpty() const { return send_data_empty_.load(std::memory_order_relaxed); }

  TReceiveDataEvent OnReceiveData;
  TReceiveErrorEvent OnReceiveError;
  TModemStateChangeEvent OnModemStateChange;
  fw::TNotifyEvent OnRequestHangup;
  TSendDataEmptyEvent OnSendDataEmpty;

 protected:
  void BeforeDestruction() override;

 private:
  template <typename T>
  void SetLine(T CommSettings::*field, T v);
  template <typename T>
  void SetTimeout(T CommSettings::*field, T v);

  CommSettings s_;
  // Written by the GUI thread and by the transmit thread, one store each.
  std::atomic<bool> send_data_empty_{true};
  std::unique_ptr<serial::PortBackend> port_;
};
