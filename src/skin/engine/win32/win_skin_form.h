// TWinSkinForm: the frame skin object of one window. It takes over the
// window procedure, paints the whole non-client area (borders, caption with
// its buttons and title, menu strip) from the skin, cuts the window region
// from the border images, answers the non-client hit tests, runs the
// caption buttons and the skinned system menu, keeps the client area's size
// under the thicker or thinner skinned frame, and gives everything back on
// Restore. The system menu, the menu bar's drop-downs, the skin's drawing of
// menu items and the control skins of the window are objects it owns.
#pragma once

#include "framework/win32/win32_widgetset.h"  // <windows.h> with its macros tamed

#include <memory>
#include <string>
#include <vector>

#include "framework/bitmap.h"
#include "framework/controls.h"
#include "skin/engine/frame_rules.h"
#include "skin/engine/nc_object.h"
#include "skin/engine/skin_frame.h"
#include "skin/engine/win32/frame_controls.h"
#include "skin/engine/win32/menu_loop.h"
#include "skin/engine/win32/menu_owner_draw.h"
#include "skin/engine/win32/skin_menu_bar.h"
#include "skin/engine/win32/subclass.h"
#include "skin/engine/win32/system_menu.h"

namespace fw {
class TForm;
class TTimer;
}  // namespace fw

namespace skin {

class TSkinControl;
class TSkinManage;

class TWinSkinForm final : public TSkinFrame, public TMenuLoopHost {
 public:
  TWinSkinForm(fw::TForm* form, TSkinManage& manager, HWND wnd, std::string class_name, TSkinData* data);
  ~TWinSkinForm() override;

  // The two ways in: a framework form, or any other window.
  void AttachForm(fw::TForm* form);
  void AttachWindow();
  // Window procedures back, menu objects freed (the window is going away).
  void Detach();

  // ---- TSkinFrame ----
  void Restore() override;
  void FreeButtonImages() override;
  void RefreshMetrics() override;
  void RefreshColours() override;
  int MdiKind() const override { return mdi_kind_; }
  void SkinSizeGrip(skin::Wnd grip) override;

  void ApplyRegion();
  void PaintFrame(HDC dc = nullptr);
  void ShowCaptionStyles(bool show);
  void PaintElement(TNCObject& e) override;

  HWND Wnd() const override { return static_cast<HWND>(Window()); }
  TSkinManage& Manager() const { return manager_; }
  const FrameMetrics& Metrics() const override { return m_; }
  bool IsActive() const { return active_; }
  int Placement() const { return placement_; }
  unsigned Features() const { return features_; }
  int BorderKind() const { return border_kind_; }
  bool FrameSkinning() const { return frame_skinning_; }
  fw::TForm* Form() const override { return form_; }
  const std::vector<std::unique_ptr<TWinSysButton>>& Buttons() const { return buttons_; }

  // ---- control skins inside this window ----
  const std::vector<TSkinControl*>& ControlSkins() const { return controls_.Items(); }

  // The window whose frame object this is (nullptr for none).
  static TWinSkinForm* Of(HWND w);
  bool RightToLeft() const override { return rtl_; }
  TWinSkinMenu* MenuBar() const override { return menu_bar_.get(); }
  std::shared_ptr<bool> FrameAlive() const override { return AliveToken(); }
  // Opens a bar item's drop-down (a command item sends its command).
  void OpenBarItem(TMenuBtn& b) { menu_loop_.Open(b); }
  // Whether a drop-down of a skinned bar is open (its menu-loop hook in place).
  static bool MenuLoopHookInstalled() { return TFrameMenuLoop::HookInstalled(); }

 private:
  // ---- set-up (win_skin_form.cpp) ----
  void CommonSetup();
  void ReadStyles();
  void DeferredInit();
  void ResizeForSkin();
  void HookWindowProc();
  void UnhookWindowProc();
  void AttachControlSkins();
  fw::TColor FormColour() const;

  // ---- messages (win_skin_form_proc.cpp) ----
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT TopLevelMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled);
  LRESULT NonClientMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled);
  LRESULT CallOld(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT NcCalcSize(WPARAM wp, LPARAM lp);
  LRESULT NcActivate(WPARAM wp, LPARAM lp);
  void FormWindowProc(fw::TMessage& m);
  void SetText(fw::TMessage& m);
  void ReadPlacement();

  // ---- painting (win_skin_form_paint.cpp) ----
  void LayoutButtons();
  void PaintCaptionStrip(HDC dc, bool whole_pass);
  void PaintMenuStrip(HDC dc);
  void RemoveSysMenuStyle();
  std::wstring CaptionText() const;

  // ---- mouse and keyboard (win_skin_form_mouse.cpp) ----
  POINT ToWindow(LPARAM screen_point) const;
  TNCObject* ElementAt(POINT p) const;
  bool NcMouseMove(LPARAM lp);
  bool NcLButtonDown(WPARAM& wp, LPARAM lp);
  bool NcLButtonUp(LPARAM lp);
  bool NcLButtonDblClk(WPARAM wp, LPARAM lp);
  bool NcRButtonDown(WPARAM wp, LPARAM lp);
  bool SysCommand(WPARAM wp, LPARAM lp);
  void RunAction(const TWinSysButton& b);
  // Opens the skinned system menu at a screen point; a second opening
  // within the double-click time (a double click on the icon) closes the
  // window instead.
  void OpenSystemMenu(POINT screen);
  void HoverTick();
  void StartHover();
  void StopHover();

  // ---- the skinned menu bar ----
  void CreateMenuBar();
  void FreeMenuBar();

  static constexpr char kFrameProp[] = "GsmSkinFrame";
  static constexpr char kOldProcProp[] = "GsmSkinFrameProc";

  TSkinManage& manager_;
  fw::TForm* form_ = nullptr;
  bool attached_ = false;
  bool unicode_ = false;
  TWindowSubclass subclass_{kFrameProp, kOldProcProp, &TWinSkinForm::Proc};
  fw::TWndMethod saved_window_proc_;
  bool window_proc_hooked_ = false;
  std::unique_ptr<fw::TTimer> hover_;

  bool frame_skinning_ = false;
  FrameMetrics m_;
  RECT attach_client_{};
  int dx_ = 0, dy_ = 0;  // window size less client size when attached
  uint32_t style_ = 0, ex_style_ = 0;
  HWND owner_ = nullptr;
  bool rtl_ = false, sizeable_ = false, child_ = false, dialog_class_ = false;
  bool active_ = true;
  int mdi_kind_ = kMdiNone;
  int border_kind_ = kBorderFixed;
  unsigned features_ = 0;
  int placement_ = kPlaceNormal;
  fw::TColor saved_colour_ = 0;
  bool colour_saved_ = false;

  fw::TBitmap icon_;
  HMENU menu_ = nullptr;  // the window's menu bar, given back on restore

  bool has_region_ = false;
  int region_w_ = 0, region_h_ = 0;

  std::vector<std::unique_ptr<TWinSysButton>> buttons_;
  std::unique_ptr<TWinSkinMenu> menu_bar_;
  bool frame_quiet_ = false;  // no frame painting while the menu changes

  TMenuOwnerDraw owner_draw_;
  TFrameSystemMenu system_menu_;
  TFrameMenuLoop menu_loop_;
  TFrameControls controls_;
};

}  // namespace skin
