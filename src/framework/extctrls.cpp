#include "framework/extctrls.h"

#include <algorithm>

#include "framework/properties.h"
#include "framework/widgetset.h"

namespace fw {

// ---- TShape ----

TShape::TShape(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 65, 65); }

void TShape::SetShape(TShapeType s) {
  if (s == shape_) return;
  shape_ = s;
  Changed(Prop::Shape);
  Invalidate();
}

void TShape::SetBrushColor(TColor c) {
  if (c == brush_.Color) return;
  brush_.Color = c;
  Changed(Prop::Color);
  Invalidate();
}

void TShape::SetPen(const TPen& p) {
  if (p == pen_) return;
  pen_ = p;
  Invalidate();
}

void TShape::Paint(TCanvas& canvas) {
  canvas.Pen = pen_;
  canvas.Brush = brush_;
  int x = pen_.Width / 2, y = x;
  int w = Width() - pen_.Width + 1, h = Height() - pen_.Width + 1;
  if (pen_.Width == 0) { --w; --h; }
  if (shape_ == TShapeType::stSquare || shape_ == TShapeType::stRoundSquare || shape_ == TShapeType::stCircle) {
    int s = std::min(w, h);
    x += (w - s) / 2;
    y += (h - s) / 2;
    w = h = s;
  }
  TRect r{x, y, x + w, y + h};
  if (shape_ == TShapeType::stEllipse || shape_ == TShapeType::stCircle) canvas.Ellipse(r);
  else canvas.Rectangle(r);
}

bool TShape::GetPropertyText(const std::string& name, std::string& v) const {
  if (PropIs(name, "Brush.Color")) { v = ColorText(brush_.Color); return true; }
  if (PropIs(name, "Pen.Color")) { v = ColorText(pen_.Color); return true; }
  return TGraphicControl::GetPropertyText(name, v);
}

bool TShape::SetPropertyText(const std::string& name, const std::string& v) {
  TColor c;
  if (PropIs(name, "Brush.Color")) {
    if (!ParseColor(v, c)) return false;
    SetBrushColor(c);
    return true;
  }
  if (PropIs(name, "Pen.Color")) {
    if (!ParseColor(v, c)) return false;
    TPen p = pen_;
    p.Color = c;
    SetPen(p);
    return true;
  }
  return TGraphicControl::SetPropertyText(name, v);
}

// ---- TStatusBar ----

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 0, 19); }

void TStatusBar::SetPanels(const std::vector<TStatusPanel>& p) {
  panels_ = p;
  Changed(Prop::Panels);
}

void TStatusBar::SetPanelText(int index, const std::string& text) {
  if (index < 0 || index >= int(panels_.size())) return;
  if (panels_[size_t(index)].Text == text) return;
  panels_[size_t(index)].Text = text;
  Changed(Prop::Panels);
}

void TStatusBar::AlignToParent() {
  if (!Parent()) return;
  TRect c = Parent()->ClientRect();
  SetBounds(0, c.Height() - Height(), c.Width(), Height());
}

void TStatusBar::SetParent(TWinControl* p) {
  TWinControl::SetParent(p);
  AlignToParent();
}

// ---- TTimer ----

TTimer::~TTimer() {
  if (id_) WidgetSet().StopTimer(id_);
}

void TTimer::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  Update();
}

void TTimer::SetInterval(unsigned ms) {
  if (ms == interval_) return;
  interval_ = ms;
  Update();
}

void TTimer::Update() {
  if (id_) WidgetSet().StopTimer(id_);
  id_ = 0;
  if (enabled_ && interval_ > 0) id_ = WidgetSet().StartTimer(this, interval_);
}

void TTimer::Fire() {
  if (enabled_ && OnTimer) OnTimer(this);
}

}  // namespace fw
