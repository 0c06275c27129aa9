// "Save Settings", "Read Settings" and "Stop": the window's handlers hand
// every event to the transfer engine, and TransferPort carries the engine's
// effects out to the serial component, the timers, the lamps, the status
// bar and the message boxes.
#include "app/umset.h"
#include "serial/comm.h"

// ---- handlers ----
// A failing step leaves the transfer to its own time-out or to the user's
// next press; the window's handler boundary keeps the failure silent.

void Tfrm_mset::btn_downClick(fw::TObject*) { Link.StartDownload(); }
void Tfrm_mset::btn_loadClick(fw::TObject*) { Link.StartUpload(); }
void Tfrm_mset::btn_stopClick(fw::TObject*) { Link.Stop(); }
void Tfrm_mset::btn_opencClick(fw::TObject*) { Link.OpenAction(); }
void Tfrm_mset::btn_closecClick(fw::TObject*) { Link.CloseAction(); }
void Tfrm_mset::timer_tbTimer(fw::TObject*) { Link.ProbeTick(); }
void Tfrm_mset::timer_cfTimer(fw::TObject*) { Link.ResponseTick(); }
void Tfrm_mset::timer_gbTimer(fw::TObject*) { Link.CloseTick(); }

void Tfrm_mset::mycomReceiveData(fw::TObject*, const void* Buffer, uint16_t BufferLength) {
  if (Destroying() || !Buffer) return;
  Link.ReceiveData(static_cast<const uint8_t*>(Buffer), BufferLength);
}

// Line errors are not reported; a damaged frame is recovered by the
// retransmission.
void Tfrm_mset::mycomReceiveError(fw::TObject*, uint32_t) {}

// ---- TransferPort ----

fw::TTimer* Tfrm_mset::TransferPort::Timer(devlink::LinkTimer t) const {
  switch (t) {
    case devlink::LinkTimer::Probe: return form_.timer_tb;
    case devlink::LinkTimer::Response: return form_.timer_cf;
    case devlink::LinkTimer::Close: return form_.timer_gb;
  }
  return nullptr;
}

fw::TShape* Tfrm_mset::TransferPort::Lamp(devlink::LinkLamp l) const {
  return l == devlink::LinkLamp::Port ? form_.s_com : form_.s_status;
}

void Tfrm_mset::TransferPort::Send(const uint8_t* bytes, size_t n) {
  if (form_.mycom && n > 0) form_.mycom->SendData(bytes, uint16_t(n));
}

void Tfrm_mset::TransferPort::StartTimer(devlink::LinkTimer t) {
  if (fw::TTimer* timer = Timer(t)) {
    // Disabling first makes the period begin now when it already runs.
    timer->SetEnabled(false);
    timer->SetEnabled(true);
  }
}

void Tfrm_mset::TransferPort::StopTimer(devlink::LinkTimer t) {
  if (fw::TTimer* timer = Timer(t)) timer->SetEnabled(false);
}

void Tfrm_mset::TransferPort::SetLamp(devlink::LinkLamp lamp, bool green) {
  Tfrm_mset::SetLamp(Lamp(lamp), green ? LampGreen : LampRed);
}

void Tfrm_mset::TransferPort::ToggleLamp(devlink::LinkLamp lamp) { Tfrm_mset::ToggleLamp(Lamp(lamp)); }

void Tfrm_mset::TransferPort::ShowStatus(const std::string& text) { form_.ShowStatus(text); }

void Tfrm_mset::TransferPort::Inform(const std::string& text) {
  fw::Application().MessageBox(text, "Information", fw::MB_OK_);
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

void Tfrm_mset::TransferPort::Yield() { fw::Application().ProcessMessages(); }
