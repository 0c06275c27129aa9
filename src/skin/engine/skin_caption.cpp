#include "skin/engine/skin_caption.h"

#include "skin/engine/caption_text.h"
#include "skin/engine/skin_manager.h"

namespace skin {

namespace {

// Every skinned frame is asked for its frame again, which repaints it.
void RecomputeFrames() {
  auto* m = dynamic_cast<TSkinManage*>(SkinManager());
  if (!m) return;
  for (TSkinFrame* f : std::vector<TSkinFrame*>(m->SkinnedWindows()))
    if (!f->Dead()) m->Windows().RecomputeFrame(f->Window());
}

}  // namespace

TSkinCaption::TSkinCaption(fw::TComponent* owner) : fw::TComponent(owner) { SetActive(true); }

TSkinCaption::~TSkinCaption() { SetCaptionExtrasActive(false); }

bool TSkinCaption::Active() const { return CaptionExtrasActive(); }

void TSkinCaption::SetActive(bool active) {
  SetCaptionExtrasActive(active);
  RecomputeFrames();
}

void TSkinCaption::AfterLoad() {
  author_ = kAuthor;
  SetCaptionAlpha(SkinAlpha);
}

intptr_t TSkinCaption::CustomButtonQuery(int code, int action) {
  return OnCustomButtonVisible && OnCustomButtonVisible(this, code, action) ? 1 : 0;
}

void TSkinCaption::CustomButtonAction(int action) {
  if (OnCustomButton) OnCustomButton(this, action);
}

}  // namespace skin
