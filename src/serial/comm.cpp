#include "serial/comm.h"

#include "serial/comm_backend.h"
#include "serial/comm_errors.h"

TComm::TComm(fw::TComponent* owner)
    : fw::TComponent(owner), port_(serial::CreatePortBackend(*this, send_data_empty_)) {}

TComm::~TComm() { ClosePort(); }

void TComm::BeforeDestruction() { ClosePort(); }

void TComm::OpenPort() {
  if (port_->IsOpen()) throw ECommsError(serial::kErrAlreadyOpen);
  port_->Open(CommName, s_);
}

void TComm::ClosePort() { port_->Close(); }

bool TComm::Opened() const { return port_->IsOpen(); }

bool TComm::SendData(const void* Buffer, uint16_t Length) {
  if (Length == 0 || Buffer == nullptr || !port_->IsOpen()) return false;
  // Cleared before the hand-over, so that the transmit thread's "queue
  // empty" after writing this item is the last word.
  send_data_empty_.store(false, std::memory_order_relaxed);
  if (port_->Send(Buffer, Length)) return true;
  send_data_empty_.store(true, std::memory_order_relaxed);
  return false;
}

namespace {

// The settings with everything but the line settings, Parity among them
// (which is only stored), put to one value.
CommSettings LinePart(CommSettings s) {
  const CommSettings blank;
  s.Parity = blank.Parity;
  s.ReadIntervalTimeout = blank.ReadIntervalTimeout;
  s.ReadTotalTimeoutMultiplier = blank.ReadTotalTimeoutMultiplier;
  s.ReadTotalTimeoutConstant = blank.ReadTotalTimeoutConstant;
  s.WriteTotalTimeoutMultiplier = blank.WriteTotalTimeoutMultiplier;
  s.WriteTotalTimeoutConstant = blank.WriteTotalTimeoutConstant;
  return s;
}

bool SameTimeouts(const CommSettings& a, const CommSettings& b) {
  return a.ReadIntervalTimeout == b.ReadIntervalTimeout &&
         a.ReadTotalTimeoutMultiplier == b.ReadTotalTimeoutMultiplier &&
         a.ReadTotalTimeoutConstant == b.ReadTotalTimeoutConstant &&
         a.WriteTotalTimeoutMultiplier == b.WriteTotalTimeoutMultiplier &&
         a.WriteTotalTimeoutConstant == b.WriteTotalTimeoutConstant;
}

}  // namespace

void TComm::SetSettings(const CommSettings& settings) {
  const CommSettings old = s_;
  s_ = settings;
  if (!port_->IsOpen()) return;
  if (!(LinePart(old) == LinePart(s_))) port_->ApplyLineSettings(s_);
  if (!SameTimeouts(old, s_)) port_->ApplyTimeouts(s_);
}

template <typename T>
void TComm::SetLine(T CommSettings::*field, T v) {
  if (s_.*field == v) return;
  s_.*field = v;
  if (port_->IsOpen()) port_->ApplyLineSettings(s_);
}

template <typename T>
void TComm::SetTimeout(T CommSettings::*field, T v) {
  if (s_.*field == v) return;
  s_.*field = v;
  if (port_->IsOpen()) port_->ApplyTimeouts(s_);
}

void TComm::SetBaudRate(uint32_t v) { SetLine(&CommSettings::BaudRate, v); }
void TComm::SetParityCheck(bool v) { SetLine(&CommSettings::ParityCheck, v); }
void TComm::SetOutx_CtsFlow(bool v) { SetLine(&CommSettings::Outx_CtsFlow, v); }
void TComm::SetOutx_DsrFlow(bool v) { SetLine(&CommSettings::Outx_DsrFlow, v); }
void TComm::SetDtrControl(TDtrControl v) { SetLine(&CommSettings::DtrControl, v); }
void TComm::SetDsrSensitivity(bool v) { SetLine(&CommSettings::DsrSensitivity, v); }
void TComm::SetTxContinueOnXoff(bool v) { SetLine(&CommSettings::TxContinueOnXoff, v); }
void TComm::SetOutx_XonXoffFlow(bool v) { SetLine(&CommSettings::Outx_XonXoffFlow, v); }
void TComm::SetInx_XonXoffFlow(bool v) { SetLine(&CommSettings::Inx_XonXoffFlow, v); }
void TComm::SetReplaceWhenParityError(bool v) { SetLine(&CommSettings::ReplaceWhenParityError, v); }
void TComm::SetIgnoreNullChar(bool v) { SetLine(&CommSettings::IgnoreNullChar, v); }
void TComm::SetRtsControl(TRtsControl v) { SetLine(&CommSettings::RtsControl, v); }
void TComm::SetXonLimit(uint16_t v) { SetLine(&CommSettings::XonLimit, v); }
void TComm::SetXoffLimit(uint16_t v) { SetLine(&CommSettings::XoffLimit, v); }
void TComm::SetByteSize(TByteSize v) { SetLine(&CommSettings::ByteSize, v); }
void TComm::SetStopBits(TStopBits v) { SetLine(&CommSettings::StopBits, v); }
void TComm::SetXonChar(char v) { SetLine(&CommSettings::XonChar, v); }
void TComm::SetXoffChar(char v) { SetLine(&CommSettings::XoffChar, v); }
void TComm::SetReplacedChar(char v) { SetLine(&CommSettings::ReplacedChar, v); }
void TComm::SetReadIntervalTimeout(uint32_t v) { SetTimeout(&CommSettings::ReadIntervalTimeout, v); }
void TComm::SetReadTotalTimeoutMultiplier(uint32_t v) { SetTimeout(&CommSettings::ReadTotalTimeoutMultiplier, v); }
void TComm::SetReadTotalTimeoutConstant(uint32_t v) { SetTimeout(&CommSettings::ReadTotalTimeoutConstant, v); }
void TComm::SetWriteTotalTimeoutMultiplier(uint32_t v) { SetTimeout(&CommSettings::WriteTotalTimeoutMultiplier, v); }
void TComm::SetWriteTotalTimeoutConstant(uint32_t v) { SetTimeout(&CommSettings::WriteTotalTimeoutConstant, v); }
