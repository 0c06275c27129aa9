// Construction of the configurator window: every component, then the start
// value of every setting, then the event wiring. The start values are all in
// place before any change rule is attached, so the window starts exactly
// with them even where a rule would correct them ("0" in edt_adt).
#include "app/umset.h"

#include <chrono>
#include <string>

#include "app/form_builder.h"
#include "framework/guard.h"
#include "gsm_version.h"
#include "model/fields.h"
#include "model/start_settings.h"
#include "serial/comm.h"
#include "serial/line/controller_line.h"
#include "skin/engine/skin_caption.h"
#include "skin/skin_data.h"

Tfrm_mset* frm_mset = nullptr;

namespace {

using app::FormBuilder;
using app::Items;
using app::SetTabOrders;

constexpr const char* kTitle = "GSM SMS Controller Alarm Configurator Ver" GSM_VERSION;
constexpr int kClientWidth = 925;
constexpr int kClientHeight = 511;

// Tops of the eight per-input rows, shared by the four per-input groups so
// that one input's controls line up across them.
constexpr int kInputRowTop[8] = {16, 40, 66, 92, 118, 145, 171, 198};

// ---- header row: attention panel, port group, command buttons ----
void CreateHeader(Tfrm_mset& w, FormBuilder& b) {
  w.Panel1 = b.Captioned<fw::TPanel>(
      &w, "Panel1", "Attention: Please switch on the unit after you press\"Save Settings\" button!", 3, 2, 439, 39);
  w.Panel1->BevelInner = fw::TBevelCut::bvRaised;
  w.Panel1->BevelOuter = fw::TBevelCut::bvLowered;
  fw::TFont f = w.Font();
  f.Height = -15;
  f.Color = fw::clRed;
  w.Panel1->SetFont(f);

  w.GroupBox1 = b.Captioned<fw::TGroupBox>(&w, "GroupBox1", "COM Settings", 445, 0, 118, 41);
  w.Label_com = b.Captioned<fw::TLabel>(w.GroupBox1, "Label_com", "Com Port", 8, 18, 46, 13);
  w.cbox_com = b.DropDown(w.GroupBox1, "cbox_com", 56, 14, 57, Items(model::kPorts));
  // Open and Close are kept for completeness but not shown: the transfers
  // open and close the port themselves.
  w.btn_openc = b.Captioned<fw::TButton>(w.GroupBox1, "btn_openc", "Open", 8, 44, 45, 21);
  w.btn_openc->SetVisible(false);
  w.btn_closec = b.Captioned<fw::TButton>(w.GroupBox1, "btn_closec", "Close", 60, 44, 45, 21);
  w.btn_closec->SetVisible(false);

  struct Command { fw::TButton* Tfrm_mset::*button; const char* name; const char* caption; int left, width; };
  static constexpr Command kCommands[] = {
      {&Tfrm_mset::btn_down, "btn_down", "Save Settings", 567, 81},
      {&Tfrm_mset::btn_load, "btn_load", "Read Settings", 652, 80},
      {&Tfrm_mset::btn_save, "btn_save", "Save Profile", 737, 69},
      {&Tfrm_mset::btn_read, "btn_read", "Load Profile", 811, 69},
      {&Tfrm_mset::btn_stop, "btn_stop", "Stop", 884, 35},
  };
  for (const Command& c : kCommands) w.*c.button = b.Captioned<fw::TButton>(&w, c.name, c.caption, c.left, 9, c.width, 25);
}

// ---- the two groups of telephone numbers, one labelled edit a row ----
void CreateNumberGroups(Tfrm_mset& w, FormBuilder& b) {
  struct Group {
    fw::TGroupBox* Tfrm_mset::*box;
    const char* name;
    const char* caption;
    int top, height;
    const char* label;      // "TEL No." + row number
    const char* edit_name;  // "edt_tel" + row number
    std::span<fw::TEdit*> edits;
  } groups[] = {
      {&Tfrm_mset::GroupBox25, "GroupBox25", "Alarm Dial Tel Numbers", 41, 140, "TEL No.", "edt_tel", w.edt_tel},
      {&Tfrm_mset::GroupBox3, "GroupBox3", "SMS Alert Numbers", 182, 92, "SMS No.", "edt_sms", w.edt_sms},
  };
  for (const Group& g : groups) {
    fw::TGroupBox* box = w.*g.box = b.Captioned<fw::TGroupBox>(&w, g.name, g.caption, 4, g.top, 167, g.height);
    for (size_t i = 0; i < g.edits.size(); ++i) {
      const int top = 16 + 24 * int(i);
      const std::string n = std::to_string(i + 1);
      b.Label(box, g.label + n, 6, top, 52);
      g.edits[i] = b.Edit(box, g.edit_name + n, 60, top, 100, 16);
    }
  }
}

// ---- the four per-input groups, one row per wired input ----
void CreateInputGroups(Tfrm_mset& w, FormBuilder& b) {
  w.GroupBox2 = b.Captioned<fw::TGroupBox>(&w, "GroupBox2", "Input Type", 175, 41, 112, 233);
  w.GroupBox26 = b.Captioned<fw::TGroupBox>(&w, "GroupBox26", "When Input Activated SMS Content", 289, 41, 210, 233);
  w.GroupBox4 = b.Captioned<fw::TGroupBox>(&w, "GroupBox4", "When Input Recovered SMS Content", 502, 41, 283, 233);
  w.GroupBox5 = b.Captioned<fw::TGroupBox>(&w, "GroupBox5", "Alarm Link Output Relay", 790, 42, 129, 231);

  for (int i = 0; i < 8; ++i) {
    const int top = kInputRowTop[i];
    const std::string n = std::to_string(i + 1);
    // Label and drop-down together fill the narrow group; the drop-down
    // gets as much as possible so that "Disable" shows whole.
    b.Label(w.GroupBox2, "Input " + n, 5, top, 34);
    w.cb_nt[i] = b.DropDown(w.GroupBox2, "cb_nt" + n, 41, top, 65, Items(model::kInputTypes));
    w.edt_name[i] = b.Edit(w.GroupBox26, "edt_name" + n, 8, top, 194, 32);
    w.cb_dc[i] = b.CheckBox(w.GroupBox4, "cb_dc" + n, "Don't Care", 8, top + 2, 80);
    w.edt_name_rec[i] = b.Edit(w.GroupBox4, "edt_name1" + n, 90, top, 186, 32);
    // GroupBox5 stands one pixel lower than its neighbours.
    w.cb_ed[i] = b.CheckBox(w.GroupBox5, "cb_ed" + n, "Enable/Disable", 10, top + 1, 113);
  }
}

// ---- other settings ----
void CreateOtherSettings(Tfrm_mset& w, FormBuilder& b) {
  fw::TGroupBox* g = w.GroupBox18 = b.Captioned<fw::TGroupBox>(&w, "GroupBox18", "Other Settings", 5, 277, 913, 210);

  w.cb_rco = b.CheckBox(g, "cb_rco", "Sound Alarm---When alarm happened,the siren will make sounds for 1 minutes.",
                        10, 16, 831);
  w.cb_GJA = b.CheckBox(g, "cb_GJA",
                        "GSM Jammer Alert---When no GSM Signal for 90Seconds,will alarm.(Not Recommend)", 11, 39, 822);
  w.cb_arm = b.CheckBox(g, "cb_arm", "ARM---When Switch On the GSM Controller will enter into Armed Mode.", 11, 64, 766);

  // One row: the control at 112, its label ending before it, and the
  // explanation to its right, up to the group's right border.
  constexpr int kExplainRight = 905;
  auto row = [&](fw::TWinControl* control, const char* caption, int label_left, const char* explanation,
                 int explain_left) {
    const int top = control->Top();
    b.Label(g, caption, label_left, top, 110 - label_left);
    b.Label(g, explanation, explain_left, top, kExplainRight - explain_left);
  };
  w.edt_rtt = b.Edit(g, "edt_rtt", 112, 89, 33, 0);
  row(w.edt_rtt, "Report Time", 48,
      "(0--240Hours)---Automatically Send SMS to SMS No.1 to alert the GSM Controller Condition.", 152);
  w.edt_adt = b.Edit(g, "edt_adt", 112, 113, 33, 0);
  row(w.edt_adt, "Alarm Delay Time", 24, "(1-90Seconds)---The delay time to carry out the alarm.", 153);
  w.edt_relaytime = b.Edit(g, "edt_relaytime", 112, 136, 34, 0);
  row(w.edt_relaytime, "Relay working Time", 12,
      "(0-120Minutes)---The working time of the Alarm-link output relay when alarm happened.", 153);
  w.cb_pdat = b.DropDown(g, "cb_pdat", 112, 161, 89, Items(model::kPowerdownAlert));
  row(w.cb_pdat, "Powerdown Alert", 24, "---When AC Power Goes off,how long to send SMS to SMS No.1 to alert user.",
      208);
  w.edt_pwd = b.Edit(g, "edt_pwd", 112, 184, 49, 6);
  row(w.edt_pwd, "Password", 58,
      "---4 digits only,The password to access the GSM Controller when use SMS Commands to control it.", 167);

  // Hidden settings, below the group's visible area; their labels are
  // hidden too.
  auto hidden_label = [&](const std::string& caption, int left, int top, int width) {
    b.Label(g, caption, left, top, width)->SetVisible(false);
  };
  auto hidden_edit = [&](const std::string& name, int left, int top) {
    fw::TEdit* e = b.Edit(g, name, left, top, 25, 2);
    e->SetVisible(false);
    return e;
  };
  hidden_label("Start Time", 12, 216, 60);
  w.edt_sH = hidden_edit("edt_sH", 112, 216);
  w.edt_sm = hidden_edit("edt_sm", 140, 216);
  hidden_label("Stop Time", 180, 216, 60);
  w.edt_PH = hidden_edit("edt_PH", 244, 216);
  w.edt_Pm = hidden_edit("edt_Pm", 272, 216);
  hidden_label("Voloume", 12, 240, 60);
  w.edt_volo = hidden_edit("edt_volo", 112, 240);
  hidden_label("(1-99)", 140, 240, 40);
  hidden_label("Digital Input Type", 180, 240, 90);
  // Two hidden controls that carry no setting.
  w.cb_wzt = b.DropDown(g, "cb_wzt", 272, 240, 60, {"EOL", "NC", "NO"});
  w.cb_wzt->SetText("NC");
  w.cb_wzt->SetVisible(false);
  w.cb_pda = b.CheckBox(g, "cb_pda", "Powerdown Alert", 344, 242, 110);
  w.cb_pda->SetVisible(false);
}

// ---- status bar and lamps ----
void CreateStatusBar(Tfrm_mset& w, FormBuilder& b) {
  w.MYSbar = new TMYStatusBar(&w);
  w.MYSbar->SetName("MYSbar");
  w.MYSbar->SizeGrip = false;  // the window has a fixed border
  w.MYSbar->SetHeight(25);
  w.MYSbar->SetPanels({{120, "Serial Port Status"}, {25, ""}, {95, "Communications"}, {25, ""}, {80, "Information"},
                       {50, ""}});
  w.MYSbar->SetParent(&w);  // aligns it to the bottom, full width

  auto lamp = [&](const char* name, int left, int top) {
    auto* s = b.Make<fw::TShape>(w.MYSbar, name, left, top, 15, 15);
    s->SetShape(fw::TShapeType::stCircle);
    s->SetBrushColor(Tfrm_mset::LampRed);
    return s;
  };
  w.s_com = lamp("s_com", 125, 6);
  w.s_status = lamp("s_status", 246, 7);
}

void SetKeyboardOrder(Tfrm_mset& w) {
  SetTabOrders({w.GroupBox1, w.GroupBox3, w.btn_down, w.btn_save, w.btn_read, w.btn_load, w.btn_stop, w.GroupBox25,
                w.GroupBox18, w.GroupBox26, w.Panel1, w.GroupBox2, w.GroupBox4, w.GroupBox5});
  const auto& rec = w.edt_name_rec;
  const auto& dc = w.cb_dc;
  SetTabOrders({rec[6], rec[0], rec[1], rec[2], rec[3], rec[4], rec[5], rec[7], dc[0], dc[1], dc[2], dc[3], dc[4],
                dc[5], dc[6], dc[7]});
  SetTabOrders({w.cb_rco, w.edt_rtt, w.edt_adt, w.cb_GJA, w.edt_pwd, w.cb_arm, w.cb_pdat, w.edt_relaytime});
}

// ---- non-visual components ----
void CreateComponents(Tfrm_mset& w) {
  w.SkinData1 = new TSkinData(&w);
  w.SkinData1->SetName("SkinData1");
  w.SkinCaption1 = new skin::TSkinCaption(&w);
  w.SkinCaption1->SetName("SkinCaption1");
  w.SkinCaption1->AfterLoad();

  w.mycom = new TComm(&w);
  w.mycom->SetName("mycom");
  w.mycom->CommName = "COM1";
  // The controller's line, the same as gsmcfg's: 38400 baud, 8N1, no flow
  // control (the frames are binary: 0x11 and 0x13 must pass as data).
  w.mycom->SetSettings(serial::ControllerLine());

  w.opend = new fw::TOpenDialog(&w);
  w.opend->SetName("opend");
  w.SaveD = new fw::TSaveDialog(&w);
  w.SaveD->SetName("SaveD");
  // Both dialogs: one filter for .sf files, no places bar, the read-only
  // box hidden, resizable, no overwrite prompt and no check that the file
  // exists. Each keeps the file name last chosen in it.
  for (fw::TOpenDialog* d : {w.opend, static_cast<fw::TOpenDialog*>(w.SaveD)}) {
    d->Filter = "Settings file(*.sf)|*.sf";
    d->DefaultExt = "*.sf";
    d->Options = fw::ofHideReadOnly | fw::ofEnableSizing;
    d->OptionsEx = fw::ofExNoPlacesBar;
  }

  // The transfer's timers, idle, with the periods the engine asks for (it
  // sets them again whenever it starts one).
  using protocol::TransferEngine;
  auto timer = [&](const char* name, std::chrono::milliseconds period) {
    auto* t = new fw::TTimer(&w);
    t->SetName(name);
    t->SetEnabled(false);
    t->SetInterval(unsigned(period.count()));
    return t;
  };
  w.timer_tb = timer("timer_tb", TransferEngine::kProbePeriod);
  w.timer_gb = timer("timer_gb", TransferEngine::kClosePeriod);
  w.timer_cf = timer("timer_cf", TransferEngine::kResponsePeriod);
}

// Every setting's control at its start value; the power-down alert then
// shows its first item although none is selected.
void ShowStartValues(Tfrm_mset& w) {
  w.ApplySettings(model::StartSettings(), Tfrm_mset::ApplyOrder::Profile);
  for (size_t i = 0; i < model::kFieldCount; ++i) {
    const std::string_view shown = model::StartShownText(model::FieldId(i));
    if (shown.empty()) continue;
    if (auto* box = dynamic_cast<fw::TComboBox*>(w.FindComponent(model::kFields[i].control)))
      box->SetText(std::string(shown));
  }
}

}  // namespace

Tfrm_mset::Tfrm_mset(fw::TComponent* owner, bool skin) : fw::TForm(owner), SkinWanted(skin) {
  if (!frm_mset) frm_mset = this;
  SetName("frm_mset");
  SetCaption(kTitle);
  BorderStyle = fw::TFormBorderStyle::bsSingle;
  BorderIcons = fw::biSystemMenu | fw::biMinimize;
  Position = fw::TPosition::poScreenCenter;
  SetColor(fw::clBtnFace);
  fw::TFont font;
  font.Name = "MS Sans Serif";
  font.Height = -11;
  font.Color = fw::clWindowText;
  SetFont(font);
  SetClientSize(kClientWidth, kClientHeight);

  CreateControls();
  ShowStartValues(*this);
  WireEvents();
}

Tfrm_mset::~Tfrm_mset() {
  // Free the components while this object is still whole: a handler that
  // a component raises while it goes away then sees Destroying() and
  // does nothing.
  DestroyComponents();
  if (frm_mset == this) frm_mset = nullptr;
}

void Tfrm_mset::CreateControls() {
  FormBuilder b(*this);
  CreateHeader(*this, b);
  CreateNumberGroups(*this, b);
  CreateInputGroups(*this, b);
  CreateOtherSettings(*this, b);
  CreateStatusBar(*this, b);
  SetKeyboardOrder(*this);
  CreateComponents(*this);
}

// Every wired handler runs inside the window's exception boundary, so that
// no failure reaches the framework. The profile commands report a failure
// in an "Information" box with its reason; all other failures are silent
// (a transfer recovers by its own time-out or by the user's next press, a
// damaged skin leaves the window unskinned, a rule that fails leaves the
// box as it is).
void Tfrm_mset::WireEvents() {
  using fw::Guard;
  using fw::TObject;
  OnCreate = Guard([this](TObject* s) { FormCreate(s); });

  // Key filters.
  auto phone = Guard([this](TObject* s, char& k) { edt_tel1KeyPress(s, k); });
  for (fw::TEdit* e : edt_tel) e->OnKeyPress = phone;
  for (fw::TEdit* e : edt_sms) e->OnKeyPress = phone;
  edt_rtt->OnKeyPress = Guard([this](TObject* s, char& k) { edt_rttKeyPress(s, k); });
  edt_adt->OnKeyPress = Guard([this](TObject* s, char& k) { edt_adtKeyPress(s, k); });
  edt_pwd->OnKeyPress = Guard([this](TObject* s, char& k) { edt_pwdKeyPress(s, k); });
  edt_volo->OnKeyPress = Guard([this](TObject* s, char& k) { edt_voloKeyPress(s, k); });
  edt_relaytime->OnKeyPress = Guard([this](TObject* s, char& k) { edt_relaytimeKeyPress(s, k); });
  auto time_key = Guard([this](TObject* s, char& k) { edt_sHKeyPress(s, k); });
  for (fw::TEdit* e : {edt_sH, edt_sm, edt_PH, edt_Pm}) e->OnKeyPress = time_key;

  // Change rules.
  edt_rtt->OnChange = Guard([this](TObject* s) { edt_rttChange(s); });
  edt_adt->OnChange = Guard([this](TObject* s) { edt_adtChange(s); });
  edt_relaytime->OnChange = Guard([this](TObject* s) { edt_relaytimeChange(s); });
  edt_volo->OnChange = Guard([this](TObject* s) { edt_voloChange(s); });
  edt_pwd->OnChange = Guard([this](TObject* s) { edt_pwdChange(s); });

  // Leave rules.
  edt_sH->OnExit = Guard([this](TObject* s) { edt_sHExit(s); });
  edt_sm->OnExit = Guard([this](TObject* s) { edt_smExit(s); });
  edt_PH->OnExit = Guard([this](TObject* s) { edt_PHExit(s); });
  edt_Pm->OnExit = Guard([this](TObject* s) { edt_PmExit(s); });

  cbox_com->OnDropDown = Guard([this](TObject* s) { cbox_comDropDown(s); });

  // Commands.
  btn_down->OnClick = Guard([this](TObject* s) { btn_downClick(s); });
  btn_load->OnClick = Guard([this](TObject* s) { btn_loadClick(s); });
  btn_save->OnClick = Guard([this](TObject* s) { btn_saveClick(s); }, "The profile could not be saved.");
  btn_read->OnClick = Guard([this](TObject* s) { btn_readClick(s); }, "The profile could not be loaded.");
  btn_stop->OnClick = Guard([this](TObject* s) { btn_stopClick(s); });
  btn_openc->OnClick = Guard([this](TObject* s) { btn_opencClick(s); });
  btn_closec->OnClick = Guard([this](TObject* s) { btn_closecClick(s); });

  // Timers and the serial component.
  timer_tb->OnTimer = Guard([this](TObject* s) { timer_tbTimer(s); });
  timer_gb->OnTimer = Guard([this](TObject* s) { timer_gbTimer(s); });
  timer_cf->OnTimer = Guard([this](TObject* s) { timer_cfTimer(s); });
  mycom->OnReceiveData = Guard([this](TObject* s, const void* buf, uint16_t len) { mycomReceiveData(s, buf, len); });
  mycom->OnReceiveError = Guard([this](TObject* s, uint32_t mask) { mycomReceiveError(s, mask); });
}
