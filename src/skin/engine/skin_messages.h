// The private window messages the skin objects exchange, and the few system
// values the portable skin logic works with (window styles, hit-test codes,
// system commands). The numbers are fixed: skin objects of any module in the
// process talk with them.
#pragma once

#include <cstdint>

namespace skin::msg {

// Answered with 1 by every skinned window or control: nothing is skinned
// twice.
constexpr unsigned kQuerySkinned = 0x3523;
// Posted to a window right after its frame object was made (wParam 0,
// lParam 1000): the frame finishes its set-up then.
constexpr unsigned kInitSkin = 0x3503;
// Repaint the skinned frame.
constexpr unsigned kRepaintFrame = 0x3502;
// Control skins: a positive wParam switches the skin on, anything else off.
constexpr unsigned kSkinSwitch = 0x3506;
// Custom caption buttons: 0x3514 is posted with the button's action in
// wParam; 0x3515 (wParam code, lParam action) asks whether a button with a
// visibility code of 1000 to 2000 is shown (a positive answer shows it).
constexpr unsigned kCaptionButtonAction = 0x3514;
constexpr unsigned kCaptionButtonQuery = 0x3515;
// Re-attach the scroll bar skin of the control window in wParam.
constexpr unsigned kReattachScrollbar = 0x3517;
// Open the menu bar item under the point in lParam.
constexpr unsigned kOpenMenuBarItem = 0x3518;
// To a framework form: refresh the skin's colours.
constexpr unsigned kRefreshColours = 0x3401;
// The handshake value of the paint-on-DC messages below.
constexpr intptr_t kMagic = 16802;
constexpr unsigned kPaintEditOnDC = 0xBC4A;    // wParam DC, lParam kMagic
constexpr unsigned kPaintFrameOnDC = 0xBC4B;   // wParam DC, lParam kMagic
constexpr unsigned kSkinnedFrameQuery = 0xBC4D;
constexpr unsigned kFrameSkinned = 0xBC4E;     // sent when a frame finished its set-up

// Framework notifications the skin uses (the framework's own numbers).
constexpr unsigned kDialogKey = 0xB005;
constexpr unsigned kDialogChar = 0xB006;
constexpr unsigned kFocusChanged = 0xB007;
constexpr unsigned kEnabledChanged = 0xB00C;
constexpr unsigned kMouseLeave = 0xB014;
constexpr unsigned kMenuChanged = 0xB015;

}  // namespace skin::msg

namespace skin::sys {

// Window styles.
constexpr uint32_t kCaption = 0x00C00000;
constexpr uint32_t kBorder = 0x00800000;
constexpr uint32_t kDlgFrame = 0x00400000;
constexpr uint32_t kSysMenu = 0x00080000;
constexpr uint32_t kThickFrame = 0x00040000;
constexpr uint32_t kMinimizeBox = 0x00020000;
constexpr uint32_t kMaximizeBox = 0x00010000;
constexpr uint32_t kChild = 0x40000000;
constexpr uint32_t kVisible = 0x10000000;
constexpr uint32_t kDisabled = 0x08000000;
constexpr uint32_t kTabStop = 0x00010000;
constexpr uint32_t kDsModalFrame = 0x80;
// Extended styles.
constexpr uint32_t kExDlgModalFrame = 0x1;
constexpr uint32_t kExMdiChild = 0x40;
constexpr uint32_t kExRight = 0x1000;
constexpr uint32_t kExRtlReading = 0x2000;
constexpr uint32_t kExLeftScrollBar = 0x4000;
constexpr uint32_t kExAppWindow = 0x40000;

// Hit-test codes.
constexpr int kHtNowhere = 0;
constexpr int kHtClient = 1;
constexpr int kHtCaption = 2;
constexpr int kHtSysMenu = 3;
constexpr int kHtMenu = 5;

// System commands.
constexpr unsigned kScSize = 0xF000;
constexpr unsigned kScMove = 0xF010;
constexpr unsigned kScMinimize = 0xF020;
constexpr unsigned kScMaximize = 0xF030;
constexpr unsigned kScClose = 0xF060;
constexpr unsigned kScKeyMenu = 0xF100;
constexpr unsigned kScRestore = 0xF120;

}  // namespace skin::sys
