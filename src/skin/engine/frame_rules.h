// The decisions of a skinned window frame, as plain functions: the kind of
// border, the frame metrics, the client rectangle under the skinned frame,
// the revised hit test, which caption buttons show and where, which frame of
// a button image is drawn, and what a caption button does. The window layer
// feeds them the window's facts and acts on their answers.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/graphics.h"

class TSkinData;
class TDataSkinSysButton;

namespace skin {

enum BorderKind : int { kBorderSizeable = 0, kBorderFixed = 1, kBorderNoCaption = 2, kBorderDialog = 3 };
// System-feature bits of a frame.
enum FrameFeature : unsigned {
  kFeatMaximizeBox = 1,
  kFeatMinimizeBox = 2,
  kFeatSysMenu = 8,
  kFeatCaptionHidden = 16,  // WS_CAPTION is taken away while skinned
};
enum Placement : int { kPlaceNormal = 0, kPlaceMaximized = 1, kPlaceMinimized = 2 };
enum MdiKind : int { kMdiNone = 0, kMdiParent = 1, kMdiChild = 2 };
// Life of a frame object.
enum FrameState : int {
  kFrameCreated = 0,     // waiting for its set-up message
  kFrameSkinned = 1,
  kFrameRefreshing = 3,  // after a skin change
  kFrameDestroying = 4,  // its window is being destroyed
  kFrameResizing = 5,    // during its set-up
  kFrameDead = 6,        // the window is gone; the manager frees it
};

// "#32770" (system dialogs) and "TMessageForm".
bool IsDialogClass(const std::string& class_name);
int BorderKindOf(uint32_t style, uint32_t ex_style, bool dialog_class);
// Placement from a window placement's show command, and from WM_SIZE's
// wParam.
int PlacementFromShowCommand(unsigned show_cmd);
int PlacementFromSizeType(uintptr_t size_type);

// Left, caption, right and bottom border sizes and the menu bar height.
struct FrameMetrics {
  int left = 0, top = 0, right = 0, bottom = 0, menu = 0;
  bool operator==(const FrameMetrics&) const = default;
};
// The border sizes the skin gives a window of this border kind: each border
// image's size in its direction divided by its frame count; all 0 for a
// window without caption or a skin without borders. menu stays 0.
FrameMetrics BorderMetrics(const TSkinData& skin, int border_kind);

// The client rectangle of a window at r under the skinned frame.
fw::TRect ClientRectFor(const fw::TRect& window, const FrameMetrics& m);
// The outer size that gives a client area of cw x ch.
void OuterSizeFor(int cw, int ch, const FrameMetrics& m, int& w, int& h);

// The frame's answer to a hit test whose system answer was old_hit, at
// (x, y) in window coordinates: only "nowhere" and "caption" are revised.
int ReviseHitTest(int old_hit, int x, int y, const FrameMetrics& m);

// What a caption button's visibility codes look at.
struct ButtonFacts {
  unsigned features = 0;  // FrameFeature bits
  int placement = kPlaceNormal;
  bool active = true;
  int border_kind = kBorderFixed;
  bool dialog_class = false;
  // An MDI parent whose active child is maximized and which has a skinned
  // menu bar.
  bool mdi_child_maximized_in_bar = false;
  // Asks the window (message 0x3515, wParam code, lParam action); null
  // answers 0.
  std::function<intptr_t(int code, int action)> ask_custom;
};
// Whether one visibility code holds; first: the Visibility code (else
// Visibility1).
bool VisibilityCodeHolds(int code, bool first, int action, const ButtonFacts& f);
// Both codes hold and the action is allowed for the window.
bool ButtonVisible(const TDataSkinSysButton& def, const ButtonFacts& f);

// Where the caption buttons go.
struct ButtonLayout {
  std::vector<fw::TRect> rects;  // per definition, in window coordinates; empty when hidden
  std::vector<bool> visible;
  int right_start = 0;           // left edge of the right-hand buttons (0 when none)
};
struct LayoutInput {
  int width = 0;                 // W
  FrameMetrics metrics;
  bool right_to_left = false;
  int menu_bar_left_margin = 0;  // the menu bar object's left margin, 0 without one
};
ButtonLayout LayoutButtons(const std::vector<const TDataSkinSysButton*>& defs, const ButtonFacts& facts,
                           const LayoutInput& in);
// A button's size: one frame of its image (empty for no image).
fw::TRect ButtonFrameSize(const TDataSkinSysButton& def);

// The frame of a button's image in the caption pass: 1 when active or when
// the image has fewer than 4 frames, else 4.
int CaptionPassFrame(const TDataSkinSysButton& def, bool active);
// The frame on a state change (1 normal, 2 pressed, 3 hot); a hot button
// of the menu bar (Visibility 100) uses 4.
int StateFrame(const TDataSkinSysButton& def, int state);
// Window icon buttons.
bool IsIconAction(int action);

// What a caption button does.
enum class ButtonEffect {
  Close,              // post SC_CLOSE
  MaximizeOrRestore,  // SC_MAXIMIZE, or SC_RESTORE when maximized
  MinimizeOrRestore,  // SC_MINIMIZE, or SC_RESTORE when minimized
  SystemMenu,         // open the skinned system menu at the button
  MdiChildMinimize,
  MdiChildRestore,
  MdiChildClose,
  Custom,             // post 0x3514 with the action
};
ButtonEffect EffectOfAction(int action);

}  // namespace skin
