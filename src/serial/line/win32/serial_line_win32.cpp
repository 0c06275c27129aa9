#include <windows.h>

#include "serial/line/controller_line.h"
#include "serial/line/serial_line.h"
#include "serial/line/win32/port_handle.h"
#include "text/ascii.h"

namespace serial {
namespace {

std::string ErrorText(DWORD err) {
  char* buf = nullptr;
  const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                     FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, err, 0, reinterpret_cast<char*>(&buf), 0, nullptr);
  std::string s = n && buf ? std::string(buf, n) : "system error " + std::to_string(err);
  if (buf) LocalFree(buf);
  while (!s.empty() && (s.back() == '\r' || s.back() == '\n' || s.back() == ' ' || s.back() == '.')) s.pop_back();
  return s;
}

class Win32SerialLine final : public SerialLine {
 public:
  ~Win32SerialLine() override { Close(); }

  bool Open(const std::string& name, std::string* error) override {
    Close();
    DWORD err = 0;
    HANDLE h = OpenCommHandle(std::string(text::Trim(name)), false, &err);
    if (h == INVALID_HANDLE_VALUE) {
      *error = err == ERROR_ACCESS_DENIED ? "the port is in use" : ErrorText(err);
      return false;
    }
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    SetupComm(h, 4096, 4096);
    if (!IsCommHandle(h) || !GetCommState(h, &dcb)) {
      CloseHandle(h);
      *error = "it is not a serial port";
      return false;
    }
    if (!WriteLineSettings(h, ControllerLine())) {
      const DWORD err = GetLastError();
      CloseHandle(h);
      *error = ErrorText(err);
      return false;
    }
    PurgeComm(h, PURGE_RXCLEAR | PURGE_TXCLEAR | PURGE_RXABORT | PURGE_TXABORT);
    h_ = h;
    read_timeout_ = -1;
    return true;
  }

  void Close() override {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
  }

  bool IsOpen() const override { return h_ != INVALID_HANDLE_VALUE; }

  bool Write(const uint8_t* bytes, size_t n, std::string* error) override {
    if (!IsOpen()) return Fail(error, "the port is closed");
    size_t done = 0;
    while (done < n) {
      DWORD w = 0;
      if (!WriteFile(h_, bytes + done, DWORD(n - done), &w, nullptr)) return Fail(error, ErrorText(GetLastError()));
      if (w == 0) return Fail(error, "the port takes no more data");
      done += w;
    }
    return true;
  }

  int Read(uint8_t* buffer, size_t capacity, int timeout_ms, std::string* error) override {
    if (!IsOpen()) return Fail(error, "the port is closed"), -1;
    if (timeout_ms != read_timeout_) {
      // Return at once with what has arrived; wait up to the time-out for
      // the first byte when nothing has. Writes give up after 2 s.
      COMMTIMEOUTS t{};
      t.ReadIntervalTimeout = MAXDWORD;
      t.ReadTotalTimeoutMultiplier = MAXDWORD;
      t.ReadTotalTimeoutConstant = DWORD(timeout_ms > 0 ? timeout_ms : 1);
      t.WriteTotalTimeoutConstant = 2000;
      if (!SetCommTimeouts(h_, &t)) return Fail(error, ErrorText(GetLastError())), -1;
      read_timeout_ = timeout_ms;
    }
    DWORD n = 0;
    if (!ReadFile(h_, buffer, DWORD(capacity), &n, nullptr)) return Fail(error, ErrorText(GetLastError())), -1;
    return int(n);
  }

 private:
  static bool Fail(std::string* error, const std::string& why) {
    if (error) *error = why;
    return false;
  }
  HANDLE h_ = INVALID_HANDLE_VALUE;
  int read_timeout_ = -1;
};

}  // namespace

std::unique_ptr<SerialLine> CreateSerialLine() { return std::make_unique<Win32SerialLine>(); }

}  // namespace serial
