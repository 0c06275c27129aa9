#include "skin/engine/nc_object.h"

namespace skin {

void TNCObject::MouseDown() {
  TNCObject* hot = host_.HotElement();
  if (hot && hot != this) hot->MouseLeave();
  if (!Visible) return;
  host_.SetHotElement(this);
  State = kElementPressed;
  Paint();
}

void TNCObject::MouseUp() {
  if (!Visible) return;
  State = kElementHot;
  Paint();
}

void TNCObject::MouseEnter() {
  TNCObject* hot = host_.HotElement();
  if (hot && hot != this) hot->MouseLeave();
  if (host_.HotElement() == this || !Visible) return;
  host_.SetHotElement(this);
  State = kElementHot;
  Paint();
}

void TNCObject::MouseLeave() {
  if (!Visible) return;
  if (host_.HotElement() == this) host_.SetHotElement(nullptr);
  State = kElementNormal;
  Paint();
}

}  // namespace skin
