#include "skin/engine/skin_frame.h"

namespace skin {

TSkinFrame::TSkinFrame(fw::TComponent* owner_form, TFrameKeeper& keeper, Wnd window, std::string class_name,
                       TSkinData* data)
    : fw::TComponent(owner_form),
      keeper_(keeper),
      window_(window),
      class_name_(std::move(class_name)),
      data_(data) {}

TSkinFrame::~TSkinFrame() {
  *alive_ = false;
  keeper_.Forget(this);
}

}  // namespace skin
