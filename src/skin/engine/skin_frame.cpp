#include "skin/engine/skin_frame.h"

#include "skin/engine/skin_manager.h"

namespace skin {

TSkinFrame::TSkinFrame(fw::TComponent* owner_form, TSkinManage& manager, Wnd window, std::string class_name,
                       TSkinData* data)
    : fw::TComponent(owner_form),
      manager_(manager),
      window_(window),
      class_name_(std::move(class_name)),
      data_(data) {}

TSkinFrame::~TSkinFrame() {
  *alive_ = false;
  manager_.Forget(this);
}

}  // namespace skin
