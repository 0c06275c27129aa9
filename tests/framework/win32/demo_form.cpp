// A small form with one of each control, for looking at the Win32
// widgetset: run it under Wine and take a screenshot. With a number as its
// argument it closes itself after that many milliseconds.
#include <cstdlib>

#include "framework/extctrls.h"
#include "framework/forms.h"
#include "framework/stdctrls.h"

using namespace fw;

namespace {

class TDemoBar : public TStatusBar {
 public:
  explicit TDemoBar(TComponent* owner) : TStatusBar(owner) { AcceptsControls = true; }
  const char* ClassName() const override { return "TDemoBar"; }
};

class TDemoForm : public TForm {
 public:
  explicit TDemoForm(TComponent* owner) : TForm(owner) {
    SetName("DemoForm");
    SetCaption("Widgetset demo");
    BorderStyle = TFormBorderStyle::bsSingle;
    BorderIcons = biSystemMenu | biMinimize;
    Position = TPosition::poScreenCenter;
    SetClientSize(460, 250);

    auto* panel = new TPanel(this);
    panel->SetParent(this);
    panel->SetBounds(4, 4, 452, 30);
    panel->BevelInner = TBevelCut::bvRaised;
    panel->BevelOuter = TBevelCut::bvLowered;
    TFont pf = panel->Font();
    pf.Height = -15;
    pf.Color = clRed;
    panel->SetFont(pf);
    panel->SetCaption("Attention: a red caption on a panel");

    auto* group = new TGroupBox(this);
    group->SetParent(this);
    group->SetBounds(4, 38, 220, 120);
    group->SetCaption("Numbers");
    for (int i = 0; i < 3; ++i) {
      auto* l = new TLabel(this);
      l->SetParent(group);
      l->SetBounds(8, 22 + i * 30, 40, 13);
      l->SetCaption("No." + std::to_string(i + 1));
      auto* e = new TEdit(this);
      e->SetParent(group);
      e->SetBounds(56, 18 + i * 30, 150, 21);
      e->SetText(i == 0 ? "0123456789" : "");
      e->SetMaxLength(20);
    }

    auto* checks = new TGroupBox(this);
    checks->SetParent(this);
    checks->SetBounds(230, 38, 226, 120);
    checks->SetCaption("Options");
    const char* names[] = {"Power Down Alert", "Sound Alarm", "Arm at power-on"};
    for (int i = 0; i < 3; ++i) {
      auto* c = new TCheckBox(this);
      c->SetParent(checks);
      c->SetBounds(10, 20 + i * 22, 150, 17);
      c->SetCaption(names[i]);
      c->SetChecked(i != 1);
    }
    auto* combo = new TComboBox(this);
    combo->SetParent(checks);
    combo->SetBounds(10, 88, 100, 21);
    combo->SetItems({"COM1", "COM2", "COM3", "COM4", "COM5"});
    combo->SetItemIndex(0);

    const char* buttons[] = {"Save Settings", "Read Settings", "Stop"};
    for (int i = 0; i < 3; ++i) {
      auto* b = new TButton(this);
      b->SetParent(this);
      b->SetBounds(4 + i * 90, 166, 84, 25);
      b->SetCaption(buttons[i]);
    }

    auto* bar = new TDemoBar(this);
    bar->SetParent(this);
    bar->SizeGrip = false;
    bar->SetHeight(25);
    bar->AlignToParent();
    bar->SetPanels({{120, "Serial Port Status"}, {25, ""}, {95, "Communications"}, {25, ""}, {80, "Information"},
                    {50, "Ready"}});
    for (int i = 0; i < 2; ++i) {
      auto* s = new TShape(this);
      s->SetParent(bar);
      s->SetShape(TShapeType::stCircle);
      s->SetBounds(i == 0 ? 125 : 246, i == 0 ? 6 : 7, 15, 15);
      s->SetBrushColor(i == 0 ? clRed : TColor(0x008000));
    }
  }
  const char* ClassName() const override { return "TDemoForm"; }
};

}  // namespace

int main(int argc, char** argv) {
  Application().Initialize();
  Application().CreateForm<TDemoForm>(nullptr);
  TTimer* quit = nullptr;
  if (argc > 1) {
    quit = new TTimer(Application().MainForm());
    quit->SetInterval(unsigned(std::atoi(argv[1])));
    quit->OnTimer = [](TObject*) { Application().Terminate(); };
    quit->SetEnabled(true);
  }
  Application().Run();
  Application().DestroyForms();
  return 0;
}
