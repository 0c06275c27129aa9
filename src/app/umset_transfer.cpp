// "Save Settings", "Read Settings" and "Stop": the window's handlers hand
// every event to the transfer engine, and TransferPort carries the engine's
// effects out to the serial component and the timers, and turns its reports
// into the status text, the lamps and the message boxes.
#include "app/umset.h"
#include "serial/comm.h"

namespace {

// Texts the user sees.
constexpr const char* kTextConnecting = "Connecting device....";
constexpr const char* kTextUploading = "UpLoading....";
constexpr const char* kTextComError = "Com Is Error";
constexpr const char* kTextComClose = "Com Is Close";
constexpr const char* kTextDownloadOk = "DownLoad Success";
constexpr const char* kTextUploadOk = "UpLoad Success";
constexpr const char* kTextOverTime = "Command Over Time";

void Inform(const std::string& text) { fw::Application().MessageBox(text, "Information", fw::MB_OK_); }

}  // namespace

// ---- handlers ----
// A failing step leaves the transfer to its own time-out or to the user's
// next press; the window's handler boundary keeps the failure silent.

void Tfrm_mset::btn_downClick(fw::TObject*) { Link.StartDownload(); }
void Tfrm_mset::btn_loadClick(fw::TObject*) { Link.StartUpload(); }
void Tfrm_mset::btn_stopClick(fw::TObject*) { Link.Stop(); }
void Tfrm_mset::btn_opencClick(fw::TObject*) { Link.OpenAction(); }
void Tfrm_mset::btn_closecClick(fw::TObject*) { Link.CloseAction(); }
void Tfrm_mset::timer_tbTimer(fw::TObject*) { Link.Tick(protocol::LinkTimer::Probe); }
void Tfrm_mset::timer_cfTimer(fw::TObject*) { Link.Tick(protocol::LinkTimer::Response); }
void Tfrm_mset::timer_gbTimer(fw::TObject*) { Link.Tick(protocol::LinkTimer::Close); }

void Tfrm_mset::mycomReceiveData(fw::TObject*, const void* Buffer, uint16_t BufferLength) {
  if (Destroying() || !Buffer) return;
  Link.ReceiveData(static_cast<const uint8_t*>(Buffer), BufferLength);
  LinkPort.ParseReceived();
}

// Line errors are not reported; a damaged frame is recovered by the
// retransmission.
void Tfrm_mset::mycomReceiveError(fw::TObject*, uint32_t) {}

// ---- TransferPort ----

void Tfrm_mset::TransferPort::ParseReceived() {
  // Bytes that arrive while the window handles its events (a nested call
  // from ProcessMessages, or a message box's own loop) are queued behind
  // the rest and parsed by the outer call, in order.
  if (parsing_) return;
  struct Flag {
    bool& f;
    explicit Flag(bool& b) : f(b) { f = true; }
    ~Flag() { f = false; }
  } parsing(parsing_);
  // The window handles its pending events (paint, clicks, timer ticks)
  // before each byte is parsed.
  while (form_.Link.PendingBytes() > 0) {
    fw::Application().ProcessMessages();
    form_.Link.ParseNext();
  }
}

fw::TTimer* Tfrm_mset::TransferPort::Timer(protocol::LinkTimer t) const {
  switch (t) {
    case protocol::LinkTimer::Probe: return form_.timer_tb;
    case protocol::LinkTimer::Response: return form_.timer_cf;
    case protocol::LinkTimer::Close: return form_.timer_gb;
  }
  return nullptr;
}

void Tfrm_mset::TransferPort::Send(const uint8_t* bytes, size_t n) {
  if (form_.mycom && n > 0) form_.mycom->SendData(bytes, uint16_t(n));
}

void Tfrm_mset::TransferPort::StartTimer(protocol::LinkTimer t, std::chrono::milliseconds period) {
  if (fw::TTimer* timer = Timer(t)) {
    // Disabling first makes the period begin now when it already runs.
    timer->SetEnabled(false);
    timer->SetInterval(unsigned(period.count()));
    timer->SetEnabled(true);
  }
}

void Tfrm_mset::TransferPort::StopTimer(protocol::LinkTimer t) {
  if (fw::TTimer* timer = Timer(t)) timer->SetEnabled(false);
}

void Tfrm_mset::TransferPort::Report(const protocol::TransferReport& r) {
  using protocol::TransferEvent;
  switch (r.event) {
    case TransferEvent::PortClosing:
      SetLamp(form_.s_com, LampRed);
      SetLamp(form_.s_status, LampRed);
      return;
    case TransferEvent::PortOpened: SetLamp(form_.s_com, LampGreen); return;
    case TransferEvent::Uploading: form_.ShowStatus(kTextUploading); return;
    case TransferEvent::Probing:
      ToggleLamp(form_.s_status);
      form_.ShowStatus(kTextConnecting);
      return;
    case TransferEvent::DataArrived: ToggleLamp(form_.s_status); return;
    case TransferEvent::Connected: form_.ShowStatus(""); return;
    case TransferEvent::BlockDone: return;
    // The system's reason is not shown: the status text says it all.
    case TransferEvent::PortError: form_.ShowStatus(kTextComError); return;
    case TransferEvent::NotEncodable:
      Inform("Settings not saved: " + (r.detail.empty() ? std::string("a setting cannot be encoded") : r.detail));
      return;
    case TransferEvent::DownloadDone: Inform(kTextDownloadOk); return;
    case TransferEvent::UploadDone: Inform(kTextUploadOk); return;
    case TransferEvent::TimedOut: Inform(kTextOverTime); return;
    case TransferEvent::Stopped: form_.ShowStatus(kTextComClose); return;
  }
}

bool Tfrm_mset::TransferPort::EncodeSettings(protocol::SettingsImageBytes& image, std::string* error) {
  return form_.EncodeImage(image, error);
}

void Tfrm_mset::TransferPort::DecodeSettings(const protocol::SettingsImageBytes& image) { form_.DecodeImage(image); }

std::string Tfrm_mset::TransferPort::PortName() { return form_.cbox_com ? form_.cbox_com->Text() : std::string(); }

void Tfrm_mset::TransferPort::OpenPort(const std::string& name) {
  if (!form_.mycom) throw ECommsError("Error opening serial port");
  form_.mycom->CommName = name;
  form_.mycom->OpenPort();
}

void Tfrm_mset::TransferPort::ClosePort() {
  if (form_.mycom) form_.mycom->ClosePort();
}
