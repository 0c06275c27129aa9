// The control skins of one skinned window. A control skin enters the list
// when it attaches and leaves it when it is freed, by whoever frees it (its
// control, or the window's frame), so the list never holds a freed skin.
// The frame owns the list.
#pragma once

#include "framework/win32/win32_widgetset.h"  // <windows.h> with its macros tamed

#include <vector>

#include "skin/engine/win32/control_skin.h"

namespace skin {

class TControlSkinList final : public TControlSkinKeeper {
 public:
  TControlSkinList() = default;
  TControlSkinList(const TControlSkinList&) = delete;
  TControlSkinList& operator=(const TControlSkinList&) = delete;

  // Adds once; answers whether it was already there.
  bool Register(TSkinControl* c) override;
  void Unregister(TSkinControl* c) override;
  // The live skin of a window, if any.
  TSkinControl* FindByWindow(HWND w) const;
  const std::vector<TSkinControl*>& Items() const { return items_; }
  // Frees the skins whose windows are gone and whose handlers have
  // returned.
  void PurgeDead();
  // Frees them all; each restores its control as it goes.
  void FreeAll();
  void RefreshAll();

 private:
  bool Has(const TSkinControl* c) const;
  std::vector<TSkinControl*> items_;
};

}  // namespace skin
