// TWinSkinForm: the frame skin object of one window. It takes over the
// window procedure, paints the whole non-client area (borders, caption with
// its buttons and title, menu strip) from the skin, cuts the window region
// from the border images, answers the non-client hit tests, runs the
// caption buttons and the skinned system menu, keeps the client area's size
// under the thicker or thinner skinned frame, and gives everything back on
// Restore.
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
#include "skin/engine/win32/skin_menu_bar.h"
#include "skin/engine/win32/control_skin_list.h"
#include "skin/engine/win32/subclass.h"

namespace fw {
class TCanvas;
class TForm;
class TImageList;
class TMenu;
class TMenuItem;
class TPopupMenu;
class TTimer;
}  // namespace fw

namespace skin {

class TSkinControl;
class TSkinManage;

class TWinSkinForm final : public TSkinFrame, public TMenuBarHost {
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
  const std::vector<TSkinControl*>& ControlSkins() const { return control_skins_.Items(); }

  // The window whose frame object this is (nullptr for none).
  static TWinSkinForm* Of(HWND w);
  bool RightToLeft() const override { return rtl_; }
  TWinSkinMenu* MenuBar() const { return menu_bar_.get(); }
  // Opens a bar item's drop-down (a command item sends its command).
  void OpenBarItem(TMenuBtn& b);
  // Whether a drop-down of a skinned bar is open (its menu-loop hook in place).
  static bool MenuLoopHookInstalled();
  // The Tag of the skinned system menu.
  static constexpr intptr_t kSystemMenuTag = 33333;
  // WM_MENUSELECT's flags when the menu closes.
  static constexpr unsigned kMenuClosedFlags = 0xFFFF;
  // The command bits of a WM_SYSCOMMAND (the low four are the system's).
  static constexpr unsigned kSysCommandMask = 0xFFF0;

 private:
  // ---- set-up (win_skin_form.cpp) ----
  void CommonSetup();
  void ReadStyles();
  void DeferredInit();
  void ResizeForSkin();
  void HookWindowProc();
  void UnhookWindowProc();
  // frame_controls.cpp
  void AttachControlSkins();
  void SkinForeignChildren(HWND parent);
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
  void HoverTick();
  void StartHover();
  void StopHover();

  // ---- the menu bar's drop-downs (menu_loop.cpp) ----
  static LRESULT CALLBACK MenuLoopHook(int code, WPARAM wp, LPARAM lp);
  void MenuSelect(WPARAM wp, LPARAM lp);
  // Takes the menu-loop hook away when this frame owns it.
  void EndMenuLoop();
  void CreateMenuBar();
  void FreeMenuBar();

  // ---- skinned menu items (menu_owner_draw.cpp) ----
  void MeasureMenuItem(fw::TMenuItem& item, fw::TCanvas& canvas, int& width, int& height);
  void DrawMenuItem(fw::TMenuItem& item, fw::TCanvas& canvas, const fw::TRect& r, bool selected);
  void OwnerDrawItems(fw::TMenuItem& parent);
  void MakeOwnerDraw(fw::TMenu& menu);
  void UndoOwnerDraw();
  // The form's main menu (with xcMenuItem) and its popup menus (with
  // xcPopupMenu) drawn by the skin.
  void OwnerDrawFormMenus();
  void Notification(fw::TComponent* c, fw::TOperation op) override;
  struct OwnerDrawnItem {
    fw::TMenuItem* item;
    bool measure;  // the skin set the item's measuring (the application had none)
    bool draw;
  };
  struct OwnerDrawnMenu {
    fw::TMenu* menu;
    bool was_owner_draw;
  };
  std::vector<OwnerDrawnItem> owner_drawn_items_;
  std::vector<OwnerDrawnMenu> owner_drawn_menus_;

  // ---- the skinned system menu (system_menu.cpp) ----
  void OpenSystemMenu(POINT screen);
  void BuildSystemMenu();

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
  HMENU menu_ = nullptr;      // the window's menu bar, given back on restore
  HMENU system_menu_ = nullptr;
  std::unique_ptr<fw::TPopupMenu> system_popup_;
  std::unique_ptr<fw::TImageList> system_images_;
  DWORD last_system_menu_ = 0;
  bool menu_running_ = false;

  bool has_region_ = false;
  int region_w_ = 0, region_h_ = 0;

  std::vector<std::unique_ptr<TWinSysButton>> buttons_;
  std::unique_ptr<TWinSkinMenu> menu_bar_;
  int open_item_ = -1;
  int pending_switch_ = -1;
  HMENU select_menu_ = nullptr;
  bool select_has_sub_ = false;
  bool frame_quiet_ = false;  // no frame painting while the menu changes
  TControlSkinList control_skins_;
};

}  // namespace skin
