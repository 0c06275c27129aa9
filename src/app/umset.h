// Tfrm_mset: the configurator window. It holds every controller setting as a
// control (the settings model), the command buttons, the status bar with its
// two lamps, the serial component and the transfer state.
//
// The class is implemented in several files, one job each:
//   umset.cpp           construction: every control, the start values of the
//                       settings (from the model), the guarded event wiring
//   umset_status.cpp    FormCreate, ShowStatus, lamps
//   umset_rules.cpp     key filters, change rules and leave rules of the edits
//   umset_settings.cpp  the controls to and from a Settings value; image coding
//   umset_profile.cpp   Save Profile / Load Profile
//   umset_transfer.cpp  Save Settings / Read Settings: link and sequencing
//   umset_ports.cpp     the port drop-down's list of present ports
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/mystatusbar.h"
#include "framework/dialogs.h"
#include "framework/extctrls.h"
#include "framework/forms.h"
#include "framework/stdctrls.h"
#include "model/settings.h"
#include "protocol/settings_image.h"
#include "protocol/transfer_engine.h"
#include "serial/line/port_list.h"

class TComm;
class TSkinData;
namespace skin {
class TSkinCaption;
}

class Tfrm_mset : public fw::TForm {
 public:
  // Without skin, the creation handler leaves the skin inactive and the
  // window keeps the system's own look.
  explicit Tfrm_mset(fw::TComponent* owner, bool skin = true);
  ~Tfrm_mset() override;
  const char* ClassName() const override { return "Tfrm_mset"; }

  // ---- controls (owned by the window) ----
  fw::TPanel* Panel1 = nullptr;
  fw::TGroupBox* GroupBox1 = nullptr;  // "COM Settings"
  fw::TLabel* Label_com = nullptr;     // "Com Port"
  fw::TComboBox* cbox_com = nullptr;
  fw::TButton* btn_openc = nullptr;   // hidden
  fw::TButton* btn_closec = nullptr;  // hidden
  fw::TButton* btn_down = nullptr;
  fw::TButton* btn_load = nullptr;
  fw::TButton* btn_save = nullptr;
  fw::TButton* btn_read = nullptr;
  fw::TButton* btn_stop = nullptr;

  fw::TGroupBox* GroupBox25 = nullptr;  // "Alarm Dial Tel Numbers"
  fw::TGroupBox* GroupBox3 = nullptr;   // "SMS Alert Numbers"
  fw::TGroupBox* GroupBox2 = nullptr;   // "Input Type"
  fw::TGroupBox* GroupBox26 = nullptr;  // "When Input Activated SMS Content"
  fw::TGroupBox* GroupBox4 = nullptr;   // "When Input Recovered SMS Content"
  fw::TGroupBox* GroupBox5 = nullptr;   // "Alarm Link Output Relay"
  fw::TGroupBox* GroupBox18 = nullptr;  // "Other Settings"

  std::array<fw::TEdit*, 5> edt_tel{};       // edt_tel1 .. edt_tel5
  std::array<fw::TEdit*, 3> edt_sms{};       // edt_sms1 .. edt_sms3
  std::array<fw::TComboBox*, 8> cb_nt{};     // cb_nt1 .. cb_nt8
  std::array<fw::TEdit*, 8> edt_name{};      // edt_name1 .. edt_name8
  std::array<fw::TEdit*, 8> edt_name_rec{};  // edt_name11 .. edt_name18
  std::array<fw::TCheckBox*, 8> cb_dc{};     // cb_dc1 .. cb_dc8
  std::array<fw::TCheckBox*, 8> cb_ed{};     // cb_ed1 .. cb_ed8

  fw::TCheckBox* cb_rco = nullptr;
  fw::TCheckBox* cb_GJA = nullptr;
  fw::TCheckBox* cb_arm = nullptr;
  fw::TEdit* edt_rtt = nullptr;
  fw::TEdit* edt_adt = nullptr;
  fw::TEdit* edt_relaytime = nullptr;
  fw::TComboBox* cb_pdat = nullptr;
  fw::TEdit* edt_pwd = nullptr;
  fw::TEdit* edt_sH = nullptr;  // hidden
  fw::TEdit* edt_sm = nullptr;  // hidden
  fw::TEdit* edt_PH = nullptr;  // hidden
  fw::TEdit* edt_Pm = nullptr;  // hidden
  fw::TEdit* edt_volo = nullptr;    // hidden
  fw::TComboBox* cb_wzt = nullptr;  // hidden, carries no setting
  fw::TCheckBox* cb_pda = nullptr;  // hidden, carries no setting

  TMYStatusBar* MYSbar = nullptr;
  fw::TShape* s_com = nullptr;
  fw::TShape* s_status = nullptr;

  // ---- non-visual components ----
  TSkinData* SkinData1 = nullptr;
  skin::TSkinCaption* SkinCaption1 = nullptr;
  TComm* mycom = nullptr;
  fw::TOpenDialog* opend = nullptr;
  fw::TSaveDialog* SaveD = nullptr;
  fw::TTimer* timer_tb = nullptr;  // 200 ms probe
  fw::TTimer* timer_gb = nullptr;  // 20 ms close after a transfer
  fw::TTimer* timer_cf = nullptr;  // 2000 ms response time-out

  // ---- window, status bar and lamps (umset_status.cpp) ----
  const bool SkinWanted;
  void FormCreate(fw::TObject* Sender);
  void ShowStatus(const std::string& text);
  static constexpr fw::TColor LampRed = 0x0000FF;
  static constexpr fw::TColor LampGreen = 0x008000;
  static void SetLamp(fw::TShape* lamp, fw::TColor c);
  static void ToggleLamp(fw::TShape* lamp);

  // ---- port list (umset_ports.cpp) ----
  // Lists the ports present on the machine (tests put their own here).
  std::function<std::vector<serial::PortInfo>()> ListPorts = serial::ListSerialPorts;
  void cbox_comDropDown(fw::TObject* Sender);
  void RefreshPortList();

  // ---- input rules (umset_rules.cpp) ----
  void edt_tel1KeyPress(fw::TObject* Sender, char& Key);
  void edt_rttKeyPress(fw::TObject* Sender, char& Key);
  void edt_adtKeyPress(fw::TObject* Sender, char& Key);
  void edt_pwdKeyPress(fw::TObject* Sender, char& Key);
  void edt_voloKeyPress(fw::TObject* Sender, char& Key);
  void edt_relaytimeKeyPress(fw::TObject* Sender, char& Key);
  void edt_sHKeyPress(fw::TObject* Sender, char& Key);
  void edt_rttChange(fw::TObject* Sender);
  void edt_adtChange(fw::TObject* Sender);
  void edt_relaytimeChange(fw::TObject* Sender);
  void edt_voloChange(fw::TObject* Sender);
  void edt_pwdChange(fw::TObject* Sender);
  void edt_sHExit(fw::TObject* Sender);
  void edt_smExit(fw::TObject* Sender);
  void edt_PHExit(fw::TObject* Sender);
  void edt_PmExit(fw::TObject* Sender);

  // ---- the settings and their image (umset_settings.cpp) ----
  // The settings as the controls hold them.
  model::Settings CurrentSettings() const;
  // Applies settings to the controls through their setters, so that the
  // change rules run as for typed values: the settings an image carries in
  // the order they are read from it, or every setting in the order of a
  // profile's keys.
  enum class ApplyOrder { Image, Profile };
  void ApplySettings(const model::Settings& settings, ApplyOrder order);
  // Encodes the controls into a cleared image; a drop-down with no item
  // selected shows item 0 once it has been encoded. False, with the
  // offending setting named in *error, when a value cannot be encoded.
  bool EncodeImage(protocol::SettingsImageBytes& image, std::string* error = nullptr);
  // Sets the controls from an image read from the controller.
  void DecodeImage(const protocol::SettingsImageBytes& image);

  // ---- profiles (umset_profile.cpp) ----
  void btn_saveClick(fw::TObject* Sender);
  void btn_readClick(fw::TObject* Sender);
  void SaveProfile(const std::string& path);
  void LoadProfile(const std::string& path);

  // ---- transfers (umset_transfer.cpp) ----
  void btn_downClick(fw::TObject* Sender);
  void btn_loadClick(fw::TObject* Sender);
  void btn_stopClick(fw::TObject* Sender);
  void btn_opencClick(fw::TObject* Sender);
  void btn_closecClick(fw::TObject* Sender);
  void timer_tbTimer(fw::TObject* Sender);
  void timer_cfTimer(fw::TObject* Sender);
  void timer_gbTimer(fw::TObject* Sender);
  void mycomReceiveData(fw::TObject* Sender, const void* Buffer, uint16_t BufferLength);
  void mycomReceiveError(fw::TObject* Sender, uint32_t EventMask);
  // The window's side of the link: the port, the timers and the settings
  // image that the transfer engine works with; its reports become the
  // status text, the lamps and the message boxes.
  class TransferPort final : public protocol::TransferHost {
   public:
    explicit TransferPort(Tfrm_mset& form) : form_(form) {}
    // Parses the received bytes queued in the engine, handling the window's
    // events before each one.
    void ParseReceived();
    void Send(const uint8_t* bytes, size_t n) override;
    void StartTimer(protocol::LinkTimer t, std::chrono::milliseconds period) override;
    void StopTimer(protocol::LinkTimer t) override;
    bool EncodeSettings(protocol::SettingsImageBytes& image, std::string* error) override;
    void DecodeSettings(const protocol::SettingsImageBytes& image) override;
    std::string PortName() override;
    void OpenPort(const std::string& name) override;
    void ClosePort() override;
    void Report(const protocol::TransferReport& report) override;

   private:
    fw::TTimer* Timer(protocol::LinkTimer t) const;
    Tfrm_mset& form_;
    bool parsing_ = false;
  };
  TransferPort LinkPort{*this};
  // The link state (settings image, download flag, retry count, receiver,
  // outstanding command, resend copy) and the transfer sequencing.
  protocol::TransferEngine Link{LinkPort};

 private:
  void CreateControls();
  void WireEvents();
};

extern Tfrm_mset* frm_mset;
