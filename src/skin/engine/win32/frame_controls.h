// TFrameControls: the control skins of one skinned window. A framework
// form's controls are classified and skinned, a foreign window's child
// windows by their class and style, a size grip on request; dead control
// skins are let go. The list it keeps holds only live skins (a skin leaves
// it when freed, by whoever frees it).
#pragma once

#include "framework/win32/win32_widgetset.h"  // <windows.h> with its macros tamed

#include <vector>

#include "skin/engine/win32/control_skin_list.h"

class TSkinData;
namespace fw {
class TComponent;
class TForm;
}  // namespace fw

namespace skin {

class TSkinControl;

class TFrameControls final {
 public:
  // owner: the component that owns the skins of foreign windows and size
  // grips (the frame), freed with it.
  TFrameControls(fw::TComponent& owner, TSkinData& data);
  TFrameControls(const TFrameControls&) = delete;
  TFrameControls& operator=(const TFrameControls&) = delete;

  // A skin for each control of the form that the skin paints.
  void SkinFormControls(fw::TForm& form);
  // A skin for each child window (and the children of containers) of a
  // window that is no framework form.
  void SkinForeignChildren(HWND parent);
  // A skin for a size grip window, once.
  void SkinSizeGrip(HWND grip);

  const std::vector<TSkinControl*>& Items() const { return list_.Items(); }
  void PurgeDead() { list_.PurgeDead(); }
  void RefreshAll() { list_.RefreshAll(); }
  void FreeAll() { list_.FreeAll(); }

 private:
  fw::TComponent& owner_;
  TSkinData& data_;
  TControlSkinList list_;
};

}  // namespace skin
