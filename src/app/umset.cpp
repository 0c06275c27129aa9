// Construction of the configurator window: every component with its
// design-time values, then the event wiring. The defaults are all in place
// before any change rule is attached, so the window starts exactly with the
// values below even where a rule would correct them ("0" in edt_adt).
#include "app/umset.h"

#include <exception>
#include <initializer_list>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "gsm_version.h"
#include "model/fields.h"
#include "serial/comm.h"
#include "serial/line/controller_line.h"
#include "skin/engine/skin_caption.h"
#include "skin/engine/skin_manager.h"
#include "skin/skin_data.h"

Tfrm_mset* frm_mset = nullptr;

namespace {

constexpr const char* kTitle = "GSM SMS Controller Alarm Configurator Ver" GSM_VERSION;
constexpr int kClientWidth = 925;
constexpr int kClientHeight = 511;

// Tops of the eight per-input rows, shared by the four per-input groups so
// that one input's controls line up across them.
constexpr int kInputRowTop[8] = {16, 40, 66, 92, 118, 145, 171, 198};

// Creates a control owned by the form, named, placed in its parent.
template <typename T>
T* Make(fw::TComponent* owner, fw::TWinControl* parent, const std::string& name, int left, int top, int width,
        int height) {
  T* c = new T(owner);
  c->SetName(name);
  c->SetBounds(left, top, width, height);
  c->SetParent(parent);
  return c;
}

std::vector<std::string> Items(std::span<const char* const> items) { return {items.begin(), items.end()}; }

// Gives the controls consecutive tab positions 0, 1, 2, ... among their
// siblings, in the order listed.
void SetTabOrders(std::initializer_list<fw::TWinControl*> order) {
  int i = 0;
  for (fw::TWinControl* c : order) c->SetTabOrder(i++);
}

// Shows why a command failed; a box that cannot be shown ends it there.
void ReportFailure(const char* failure_text, const char* reason) {
  if (!failure_text) return;
  std::string text = failure_text;
  if (reason) text.append("\n").append(reason);
  try {
    fw::Application().MessageBox(text, "Information", fw::MB_OK_ | fw::MB_ICONWARNING_);
  } catch (...) {
  }
}

// The one exception boundary of the window: every wired handler runs inside
// it, so that no failure reaches the framework. A handler given a failure
// text reports a failure in an "Information" box with its reason; all other
// failures are silent (a transfer recovers by its own time-out or by the
// user's next press, a damaged skin leaves the window unskinned, a rule
// that fails leaves the box as it is).
template <typename F>
auto Guard(F f, const char* failure_text = nullptr) {
  return [f, failure_text](auto&&... args) {
    try {
      f(std::forward<decltype(args)>(args)...);
    } catch (const std::exception& e) {
      ReportFailure(failure_text, e.what());
    } catch (...) {
      ReportFailure(failure_text, nullptr);
    }
  };
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
  int label_no = 0;
  auto label = [&](fw::TWinControl* parent, const std::string& caption, int left, int top, int width) {
    auto* l = Make<fw::TLabel>(this, parent, "Label" + std::to_string(++label_no), left, top, width, 13);
    l->SetCaption(caption);
    return l;
  };

  // ---- header row ----
  Panel1 = Make<fw::TPanel>(this, this, "Panel1", 3, 2, 439, 39);
  Panel1->BevelInner = fw::TBevelCut::bvRaised;
  Panel1->BevelOuter = fw::TBevelCut::bvLowered;
  {
    fw::TFont f = Font();
    f.Height = -15;
    f.Color = fw::clRed;
    Panel1->SetFont(f);
  }
  Panel1->SetCaption("Attention: Please switch on the unit after you press\"Save Settings\" button!");

  GroupBox1 = Make<fw::TGroupBox>(this, this, "GroupBox1", 445, 0, 118, 41);
  GroupBox1->SetCaption("COM Settings");
  Label_com = Make<fw::TLabel>(this, GroupBox1, "Label_com", 8, 18, 46, 13);
  Label_com->SetCaption("Com Port");
  cbox_com = Make<fw::TComboBox>(this, GroupBox1, "cbox_com", 56, 14, 57, 21);
  cbox_com->SetItems(Items(model::kPorts));
  cbox_com->SetText("com1");
  // Open and Close are kept for completeness but not shown: the transfers
  // open and close the port themselves.
  btn_openc = Make<fw::TButton>(this, GroupBox1, "btn_openc", 8, 44, 45, 21);
  btn_openc->SetCaption("Open");
  btn_openc->SetVisible(false);
  btn_closec = Make<fw::TButton>(this, GroupBox1, "btn_closec", 60, 44, 45, 21);
  btn_closec->SetCaption("Close");
  btn_closec->SetVisible(false);

  btn_down = Make<fw::TButton>(this, this, "btn_down", 567, 9, 81, 25);
  btn_down->SetCaption("Save Settings");
  btn_load = Make<fw::TButton>(this, this, "btn_load", 652, 9, 80, 25);
  btn_load->SetCaption("Read Settings");
  btn_save = Make<fw::TButton>(this, this, "btn_save", 737, 9, 69, 25);
  btn_save->SetCaption("Save Profile");
  btn_read = Make<fw::TButton>(this, this, "btn_read", 811, 9, 69, 25);
  btn_read->SetCaption("Load Profile");
  btn_stop = Make<fw::TButton>(this, this, "btn_stop", 884, 9, 35, 25);
  btn_stop->SetCaption("Stop");

  // ---- telephone numbers ----
  GroupBox25 = Make<fw::TGroupBox>(this, this, "GroupBox25", 4, 41, 167, 140);
  GroupBox25->SetCaption("Alarm Dial Tel Numbers");
  for (int i = 0; i < 5; ++i) {
    const int top = 16 + 24 * i;
    const std::string n = std::to_string(i + 1);
    label(GroupBox25, "TEL No." + n, 6, top + 4, 52);
    edt_tel[i] = Make<fw::TEdit>(this, GroupBox25, "edt_tel" + n, 60, top, 100, 21);
    edt_tel[i]->SetMaxLength(16);
  }

  GroupBox3 = Make<fw::TGroupBox>(this, this, "GroupBox3", 4, 182, 167, 92);
  GroupBox3->SetCaption("SMS Alert Numbers");
  for (int i = 0; i < 3; ++i) {
    const int top = 16 + 24 * i;
    const std::string n = std::to_string(i + 1);
    label(GroupBox3, "SMS No." + n, 6, top + 4, 52);
    edt_sms[i] = Make<fw::TEdit>(this, GroupBox3, "edt_sms" + n, 60, top, 100, 21);
    edt_sms[i]->SetMaxLength(16);
  }

  // ---- the four per-input groups, one row per wired input ----
  GroupBox2 = Make<fw::TGroupBox>(this, this, "GroupBox2", 175, 41, 112, 233);
  GroupBox2->SetCaption("Input Type");
  GroupBox26 = Make<fw::TGroupBox>(this, this, "GroupBox26", 289, 41, 210, 233);
  GroupBox26->SetCaption("When Input Activated SMS Content");
  GroupBox4 = Make<fw::TGroupBox>(this, this, "GroupBox4", 502, 41, 283, 233);
  GroupBox4->SetCaption("When Input Recovered SMS Content");
  GroupBox5 = Make<fw::TGroupBox>(this, this, "GroupBox5", 790, 42, 129, 231);
  GroupBox5->SetCaption("Alarm Link Output Relay");

  for (int i = 0; i < 8; ++i) {
    const int top = kInputRowTop[i];
    const std::string n = std::to_string(i + 1);

    // Label and drop-down together fill the narrow group; the drop-down
    // gets as much as possible so that "Disable" shows whole.
    label(GroupBox2, "Input " + n, 5, top + 4, 34);
    cb_nt[i] = Make<fw::TComboBox>(this, GroupBox2, "cb_nt" + n, 41, top, 65, 21);
    cb_nt[i]->SetItems(Items(model::kInputTypes));
    cb_nt[i]->SetItemIndex(3);

    edt_name[i] = Make<fw::TEdit>(this, GroupBox26, "edt_name" + n, 8, top, 194, 21);
    edt_name[i]->SetMaxLength(32);
    edt_name[i]->SetText("Wired input " + n + " alarm");

    cb_dc[i] = Make<fw::TCheckBox>(this, GroupBox4, "cb_dc" + n, 8, top + 2, 80, 17);
    cb_dc[i]->SetCaption("Don't Care");
    cb_dc[i]->SetChecked(true);
    edt_name_rec[i] = Make<fw::TEdit>(this, GroupBox4, "edt_name1" + n, 90, top, 186, 21);
    edt_name_rec[i]->SetMaxLength(32);
    edt_name_rec[i]->SetText("Wired input " + n + " Recovered");

    // GroupBox5 stands one pixel lower than its neighbours.
    cb_ed[i] = Make<fw::TCheckBox>(this, GroupBox5, "cb_ed" + n, 10, top + 1, 113, 17);
    cb_ed[i]->SetCaption("Enable/Disable");
  }

  // ---- other settings ----
  GroupBox18 = Make<fw::TGroupBox>(this, this, "GroupBox18", 5, 277, 913, 210);
  GroupBox18->SetCaption("Other Settings");
  constexpr int kExplainRight = 905;  // inside the group's right border

  cb_rco = Make<fw::TCheckBox>(this, GroupBox18, "cb_rco", 10, 16, 831, 17);
  cb_rco->SetCaption("Sound Alarm---When alarm happened,the siren will make sounds for 1 minutes.");
  cb_GJA = Make<fw::TCheckBox>(this, GroupBox18, "cb_GJA", 11, 39, 822, 17);
  cb_GJA->SetCaption("GSM Jammer Alert---When no GSM Signal for 90Seconds,will alarm.(Not Recommend)");
  cb_arm = Make<fw::TCheckBox>(this, GroupBox18, "cb_arm", 11, 64, 766, 17);
  cb_arm->SetCaption("ARM---When Switch On the GSM Controller will enter into Armed Mode.");

  // One row: label ending before the control at 112, the control, and the
  // explanation to its right.
  auto row = [&](const char* caption, int label_left, int top, const char* explanation, int explain_left) {
    label(GroupBox18, caption, label_left, top + 4, 110 - label_left);
    label(GroupBox18, explanation, explain_left, top + 4, kExplainRight - explain_left);
  };

  edt_rtt = Make<fw::TEdit>(this, GroupBox18, "edt_rtt", 112, 89, 33, 21);
  edt_rtt->SetText("0");
  row("Report Time", 48, 89,
      "(0--240Hours)---Automatically Send SMS to SMS No.1 to alert the GSM Controller Condition.", 152);

  edt_adt = Make<fw::TEdit>(this, GroupBox18, "edt_adt", 112, 113, 33, 21);
  edt_adt->SetText("0");
  row("Alarm Delay Time", 24, 113, "(1-90Seconds)---The delay time to carry out the alarm.", 153);

  edt_relaytime = Make<fw::TEdit>(this, GroupBox18, "edt_relaytime", 112, 136, 34, 21);
  edt_relaytime->SetText("0");
  row("Relay working Time", 12, 136,
      "(0-120Minutes)---The working time of the Alarm-link output relay when alarm happened.", 153);

  cb_pdat = Make<fw::TComboBox>(this, GroupBox18, "cb_pdat", 112, 161, 89, 21);
  cb_pdat->SetItems(Items(model::kPowerdownAlert));
  cb_pdat->SetText("Don't Care");  // shown, but no item selected
  row("Powerdown Alert", 24, 161,
      "---When AC Power Goes off,how long to send SMS to SMS No.1 to alert user.", 208);

  edt_pwd = Make<fw::TEdit>(this, GroupBox18, "edt_pwd", 112, 184, 49, 21);
  edt_pwd->SetMaxLength(6);
  edt_pwd->SetText("7429");
  row("Password", 58, 184,
      "---4 digits only,The password to access the GSM Controller when use SMS Commands to control it.", 167);

  // Hidden settings, below the group's visible area; their labels are
  // hidden too.
  auto hidden_label = [&](const std::string& caption, int left, int top, int width) {
    label(GroupBox18, caption, left, top + 4, width)->SetVisible(false);
  };
  auto hidden_edit = [&](const std::string& name, int left, int top, int width, const std::string& text, int max_length) {
    auto* e = Make<fw::TEdit>(this, GroupBox18, name, left, top, width, 21);
    e->SetMaxLength(max_length);
    e->SetText(text);
    e->SetVisible(false);
    return e;
  };
  hidden_label("Start Time", 12, 216, 60);
  edt_sH = hidden_edit("edt_sH", 112, 216, 25, "--", 2);
  edt_sm = hidden_edit("edt_sm", 140, 216, 25, "--", 2);
  hidden_label("Stop Time", 180, 216, 60);
  edt_PH = hidden_edit("edt_PH", 244, 216, 25, "--", 2);
  edt_Pm = hidden_edit("edt_Pm", 272, 216, 25, "--", 2);
  hidden_label("Voloume", 12, 240, 60);
  edt_volo = hidden_edit("edt_volo", 112, 240, 25, "1", 2);
  hidden_label("(1-99)", 140, 240, 40);
  hidden_label("Digital Input Type", 180, 240, 90);
  cb_wzt = Make<fw::TComboBox>(this, GroupBox18, "cb_wzt", 272, 240, 60, 21);
  cb_wzt->SetItems({"EOL", "NC", "NO"});
  cb_wzt->SetText("NC");
  cb_wzt->SetVisible(false);
  cb_pda = Make<fw::TCheckBox>(this, GroupBox18, "cb_pda", 344, 242, 110, 17);
  cb_pda->SetCaption("Powerdown Alert");
  cb_pda->SetVisible(false);

  // ---- status bar and lamps ----
  MYSbar = new TMYStatusBar(this);
  MYSbar->SetName("MYSbar");
  MYSbar->SizeGrip = false;  // the window has a fixed border
  MYSbar->SetHeight(25);
  MYSbar->SetPanels({{120, "Serial Port Status"}, {25, ""}, {95, "Communications"}, {25, ""}, {80, "Information"},
                     {50, ""}});
  MYSbar->SetParent(this);  // aligns it to the bottom, full width

  s_com = Make<fw::TShape>(this, MYSbar, "s_com", 125, 6, 15, 15);
  s_com->SetShape(fw::TShapeType::stCircle);
  s_com->SetBrushColor(LampRed);
  s_status = Make<fw::TShape>(this, MYSbar, "s_status", 246, 7, 15, 15);
  s_status->SetShape(fw::TShapeType::stCircle);
  s_status->SetBrushColor(LampRed);

  // ---- keyboard order ----
  SetTabOrders({GroupBox1, GroupBox3, btn_down, btn_save, btn_read, btn_load, btn_stop, GroupBox25, GroupBox18,
                GroupBox26, Panel1, GroupBox2, GroupBox4, GroupBox5});
  SetTabOrders({edt_name_rec[6], edt_name_rec[0], edt_name_rec[1], edt_name_rec[2], edt_name_rec[3],
                edt_name_rec[4], edt_name_rec[5], edt_name_rec[7], cb_dc[0], cb_dc[1], cb_dc[2], cb_dc[3], cb_dc[4],
                cb_dc[5], cb_dc[6], cb_dc[7]});
  SetTabOrders({cb_rco, edt_rtt, edt_adt, cb_GJA, edt_pwd, cb_arm, cb_pdat, edt_relaytime});

  // ---- non-visual components ----
  // The skin data component talks to the skin engine's manager.
  skin::UseSkinManager();
  SkinData1 = new TSkinData(this);
  SkinData1->SetName("SkinData1");
  SkinCaption1 = new skin::TSkinCaption(this);
  SkinCaption1->SetName("SkinCaption1");
  SkinCaption1->AfterLoad();

  mycom = new TComm(this);
  mycom->SetName("mycom");
  mycom->CommName = "COM1";
  // The controller's line, the same as gsmcfg's: 38400 baud, 8N1, no flow
  // control (the frames are binary: 0x11 and 0x13 must pass as data).
  mycom->SetSettings(serial::ControllerLine());

  opend = new fw::TOpenDialog(this);
  opend->SetName("opend");
  SaveD = new fw::TSaveDialog(this);
  SaveD->SetName("SaveD");
  // Both dialogs: one filter for .sf files, no places bar, the read-only
  // box hidden, resizable, no overwrite prompt and no check that the file
  // exists. Each keeps the file name last chosen in it.
  for (fw::TOpenDialog* d : {opend, static_cast<fw::TOpenDialog*>(SaveD)}) {
    d->Filter = "Settings file(*.sf)|*.sf";
    d->DefaultExt = "*.sf";
    d->Options = fw::ofHideReadOnly | fw::ofEnableSizing;
    d->OptionsEx = fw::ofExNoPlacesBar;
  }

  auto timer = [&](const char* name, unsigned ms) {
    auto* t = new fw::TTimer(this);
    t->SetName(name);
    t->SetEnabled(false);
    t->SetInterval(ms);
    return t;
  };
  timer_tb = timer("timer_tb", 200);
  timer_gb = timer("timer_gb", 20);
  timer_cf = timer("timer_cf", 2000);
}

void Tfrm_mset::WireEvents() {
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
