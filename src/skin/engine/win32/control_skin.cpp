#include "skin/engine/win32/control_skin.h"

#include "skin/engine/win32/win_skin_form.h"

namespace skin {

TSkinControl::~TSkinControl() {
  if (frame_) frame_->UnregisterControlSkin(this);
}

}  // namespace skin
