// Shapes, status bars and timers.
#pragma once

#include <string>
#include <vector>

#include "framework/controls.h"

namespace fw {

enum class TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

class TShape : public TGraphicControl {
 public:
  explicit TShape(TComponent* owner);
  const char* ClassName() const override { return "TShape"; }
  TShapeType Shape() const { return shape_; }
  void SetShape(TShapeType s);
  const TBrush& Brush() const { return brush_; }
  void SetBrushColor(TColor c);
  const TPen& Pen() const { return pen_; }
  void SetPen(const TPen& p);
  void Paint(TCanvas& canvas) override;
  bool GetPropertyText(const std::string& name, std::string& value) const override;
  bool SetPropertyText(const std::string& name, const std::string& value) override;

 private:
  TShapeType shape_ = TShapeType::stRectangle;
  TBrush brush_;
  TPen pen_;
};

struct TStatusPanel {
  int Width = 50;
  std::string Text;
};

// Status bar with panels. Aligned to the bottom of its parent with the full
// width of the parent's client area.
class TStatusBar : public TWinControl {
 public:
  explicit TStatusBar(TComponent* owner);
  const char* ClassName() const override { return "TStatusBar"; }
  const std::vector<TStatusPanel>& Panels() const { return panels_; }
  void SetPanels(const std::vector<TStatusPanel>& p);
  void SetPanelText(int index, const std::string& text);
  bool SizeGrip = true;
  // Places the bar at the bottom of its parent (called when the parent's
  // size is known).
  void AlignToParent();
  void SetParent(TWinControl* p) override;

 private:
  std::vector<TStatusPanel> panels_;
};

// A timer on the GUI thread. A new timer is disabled; it runs while Enabled
// is true and fires every Interval ms. Changing Interval or Enabled restarts
// the count.
class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner) : TComponent(owner) {}
  ~TTimer() override;
  const char* ClassName() const override { return "TTimer"; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned ms);
  TNotifyEvent OnTimer;
  // Called by the widgetset when the interval has elapsed.
  void Fire();

 private:
  void Update();
  bool enabled_ = false;
  unsigned interval_ = 1000;
  unsigned id_ = 0;
};

}  // namespace fw
