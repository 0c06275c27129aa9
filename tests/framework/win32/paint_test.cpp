// Painting: graphic controls drawn by their parent (also on a status bar),
// on any DC through the public canvas, panels with bevels and a coloured
// caption, bitmaps with a transparent colour.
#include <gtest/gtest.h>

#include "support/win32_helpers.h"

#include "framework/extctrls.h"
#include "framework/stdctrls.h"
#include "support/form_fixture.h"

using namespace fw;
using fw::win32::WindowOf;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 128, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);

class TLampBar : public TStatusBar {
 public:
  explicit TLampBar(TComponent* owner) : TStatusBar(owner) { AcceptsControls = true; }
  const char* ClassName() const override { return "TLampBar"; }
};

class Win32Paint : public fwtest::FormTest {
 protected:
  TShape* Lamp(TWinControl* parent, int x, int y) {
    auto* s = new TShape(form);
    s->SetParent(parent);
    s->SetShape(TShapeType::stCircle);
    s->SetBounds(x, y, 15, 15);
    s->SetBrushColor(clRed);
    return s;
  }
};

TEST_F(Win32Paint, StatusBarPaintsItsLampsOverItsPanels) {
  auto* bar = Add<TLampBar>();
  bar->SetHeight(25);
  bar->AlignToParent();
  bar->SetPanels({{120, "Serial Port Status"}, {25, ""}, {50, ""}});
  TShape* lamp = Lamp(bar, 125, 6);
  Show();
  fwtest::MemoryDC m(bar->Width(), bar->Height());
  SendMessageA(WindowOf(bar), WM_PAINT, reinterpret_cast<WPARAM>(m.dc()), 0);
  EXPECT_EQ(m.At(132, 13), kRed);
  EXPECT_EQ(m.At(125, 13), kBlack);  // the thin outline
  EXPECT_EQ(m.Count(RECT{0, 0, 120, 25}, kRed), 0);
  EXPECT_GT(m.Count(RECT{0, 0, 120, 25}, GetSysColor(COLOR_BTNTEXT)), 20);  // the panel text

  lamp->SetBrushColor(TColor(0x008000));
  SendMessageA(WindowOf(bar), WM_PAINT, reinterpret_cast<WPARAM>(m.dc()), 0);
  EXPECT_EQ(m.At(132, 13), kGreen);
  lamp->SetVisible(false);
  SendMessageA(WindowOf(bar), WM_PAINT, reinterpret_cast<WPARAM>(m.dc()), 0);
  EXPECT_EQ(m.Count(RECT{125, 6, 140, 21}, kGreen), 0);
}

TEST_F(Win32Paint, GraphicControlsPaintOnAnyDeviceContext) {
  TShape* lamp = Lamp(form, 0, 0);
  auto* label = new TLabel(form);
  label->SetParent(form);
  label->SetCaption("Com Port");
  label->Transparent = true;
  fwtest::MemoryDC m(80, 40);
  win32::PaintGraphicControl(lamp, m.dc(), 10, 10);
  EXPECT_EQ(m.At(17, 17), kRed);
  EXPECT_EQ(m.Count(RECT{0, 0, 80, 10}, kRed), 0);  // clipped to the shape
  win32::PaintGraphicControl(label, m.dc(), 30, 0);
  EXPECT_GT(m.Count(RECT{30, 0, 80, 16}, kBlack), 10);

  win32::TDCCanvas c(m.dc());
  c.Font = label->Font();
  EXPECT_GT(c.TextWidth("Com Port"), c.TextWidth("Com"));
  EXPECT_GT(c.TextHeight(""), 8);
}

TEST_F(Win32Paint, FormAndGroupBoxPaintTheirLabelsAndShapes) {
  auto* group = Add<TGroupBox>();
  group->SetBounds(10, 10, 150, 80);
  group->SetCaption("Group");
  Lamp(group, 20, 30);
  Lamp(form, 200, 30);
  Show();
  fwtest::MemoryDC g(150, 80);
  SendMessageA(WindowOf(group), WM_PAINT, reinterpret_cast<WPARAM>(g.dc()), 0);
  EXPECT_EQ(g.At(27, 37), kRed);
  fwtest::MemoryDC f(320, 240);
  SendMessageA(WindowOf(form), WM_PAINT, reinterpret_cast<WPARAM>(f.dc()), 0);
  EXPECT_EQ(f.At(207, 37), kRed);
  EXPECT_EQ(f.At(100, 200), GetSysColor(COLOR_BTNFACE));  // the form's colour
}

TEST_F(Win32Paint, PanelDrawsBevelsAndItsColouredCaption) {
  auto* panel = Add<TPanel>();
  panel->SetBounds(0, 0, 200, 30);
  panel->BevelOuter = TBevelCut::bvLowered;
  panel->BevelInner = TBevelCut::bvRaised;
  TFont font = panel->Font();
  font.Height = -15;
  font.Color = clRed;
  panel->SetFont(font);
  panel->SetCaption("Attention");
  Show();
  fwtest::MemoryDC m(200, 30);
  SendMessageA(WindowOf(panel), WM_PAINT, reinterpret_cast<WPARAM>(m.dc()), 0);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  // Whole lines, the corners aside: a bevel the wrong way round swaps them.
  const struct {
    RECT line;
    COLORREF colour;
  } lines[] = {
      {{2, 0, 198, 1}, shadow},   // outer lowered: dark top
      {{2, 29, 198, 30}, light},  // ... light bottom
      {{0, 2, 1, 28}, shadow},    // ... dark left
      {{2, 1, 197, 2}, light},    // inner raised: light top
      {{2, 28, 198, 29}, shadow}, // ... dark bottom
  };
  for (const auto& l : lines) {
    const int length = (l.line.right - l.line.left) * (l.line.bottom - l.line.top);
    EXPECT_EQ(m.Count(l.line, l.colour), length) << l.line.left << "," << l.line.top;
  }
  EXPECT_GT(m.Count(RECT{2, 2, 198, 28}, kRed), 20);
}

TEST_F(Win32Paint, BitmapsAreDrawnWithTheirTransparentColourLeftOut) {
  TBitmap bmp(4, 2, clRed);
  bmp.SetPixel(1, 0, 0xFF00FF);
  bmp.SetPixel(2, 1, RGBColor(0, 0, 255));
  fwtest::MemoryDC m(8, 8);
  win32::TDCCanvas c(m.dc());
  c.Draw(2, 3, bmp);
  EXPECT_EQ(m.At(2, 3), kRed);
  EXPECT_EQ(m.At(3, 3), RGB(255, 0, 255));
  EXPECT_EQ(m.At(4, 4), RGB(0, 0, 255));
  bmp.Transparent = true;
  fwtest::MemoryDC t(8, 8);
  win32::TDCCanvas ct(t.dc());
  ct.Draw(2, 3, bmp);
  EXPECT_EQ(t.At(3, 3), RGB(255, 255, 255));  // left out
  EXPECT_EQ(t.At(2, 3), kRed);
}

}  // namespace
