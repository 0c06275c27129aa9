// TComm: one serial port, with a receive and a transmit thread while open.
// Every event is raised on the GUI thread.
//
// PLACEHOLDER: public interface only, until the serial component lands. The
// serial owner replaces this file and its implementation and keeps the
// public names and signatures below.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "framework/component.h"

enum TDtrControl { DtrEnable, DtrDisable, DtrHandshake };
enum TRtsControl { RtsEnable, RtsDisable, RtsHandshake, RtsTransmissionAvailable };
enum TByteSize { _5, _6, _7, _8 };
enum TParity { None, Odd, Even, Mark, Space };
enum TStopBits { _1, _1_5, _2 };

class ECommsError : public fw::Exception {
 public:
  using fw::Exception::Exception;
};

using TReceiveDataEvent = std::function<void(fw::TObject* Sender, const void* Buffer, uint16_t BufferLength)>;
using TReceiveErrorEvent = std::function<void(fw::TObject* Sender, uint32_t EventMask)>;
using TModemStateChangeEvent = std::function<void(fw::TObject* Sender, uint32_t ModemEvent)>;
using TSendDataEmptyEvent = std::function<void(fw::TObject* Sender)>;

class TComm : public fw::TComponent {
 public:
  explicit TComm(fw::TComponent* owner);
  ~TComm() override;
  const char* ClassName() const override { return "TComm"; }

  std::string CommName = "COM2";
  uint32_t BaudRate() const { return baud_; }
  void SetBaudRate(uint32_t v) { baud_ = v; }
  uint32_t ReadIntervalTimeout() const { return read_interval_; }
  void SetReadIntervalTimeout(uint32_t v) { read_interval_ = v; }

  // Raises ECommsError when the port cannot be opened.
  void OpenPort();
  void ClosePort();
  bool Opened() const { return false; }
  // Queues a copy of the bytes for the transmit thread; false when nothing
  // was queued.
  bool SendData(const void* Buffer, uint16_t Length);

  TReceiveDataEvent OnReceiveData;
  TReceiveErrorEvent OnReceiveError;
  TModemStateChangeEvent OnModemStateChange;
  fw::TNotifyEvent OnRequestHangup;
  TSendDataEmptyEvent OnSendDataEmpty;

 private:
  uint32_t baud_ = 9600;
  uint32_t read_interval_ = 100;
};
