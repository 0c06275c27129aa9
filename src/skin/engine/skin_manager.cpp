#include "skin/engine/skin_manager.h"

#include <algorithm>

#include "framework/extctrls.h"
#include "framework/forms.h"
#include "skin/engine/skin_messages.h"
#include "skin/skin_data.h"
#include "text/ascii.h"

namespace skin {

namespace {

// Forms of the screen list that are still there, last first (a command may
// free forms while it walks them).
std::vector<fw::TForm*> FormsLastFirst() {
  std::vector<fw::TForm*> v(fw::Screen().Forms().rbegin(), fw::Screen().Forms().rend());
  return v;
}

bool StillAForm(fw::TForm* f) {
  const auto& forms = fw::Screen().Forms();
  return std::find(forms.begin(), forms.end(), f) != forms.end();
}

}  // namespace

TSkinManage::TSkinManage(std::unique_ptr<IWindowSystem> ws)
    : ws_(std::move(ws)), timer_(std::make_unique<fw::TTimer>(nullptr)) {
  timer_->SetInterval(100);
  timer_->OnTimer = [this](fw::TObject*) { RunCommand(); };
}

TSkinManage::~TSkinManage() {
  started_ = kDestroying;
  active_ = false;
  timer_.reset();
  // Every window gets its own procedure back; one that still exists also
  // gets its own frame and size, so that no window is left without a way to
  // be moved or closed.
  std::vector<TSkinFrame*> frames;
  frames.swap(frames_);
  for (TSkinFrame* f : frames) {
    if (!f->Dead() && ws_->IsWindow(f->Window())) {
      try {
        f->Restore();
      } catch (...) {
      }
    }
    delete f;
  }
  std::vector<std::unique_ptr<TPopupSkin>> popups;
  popups.swap(popups_);
  for (auto& p : popups) p->Detach();
  popups.clear();
  if (hooked_) ws_->RemoveHook();
}

// ---- skin data components ----

void TSkinManage::RegisterSkinData(TSkinData* data) {
  if (std::find(data_list_.begin(), data_list_.end(), data) != data_list_.end()) return;
  data_list_.push_back(data);
  if (!main_data_ && data->SkinFormtype == sfMainform) main_data_ = data;
}

void TSkinManage::UnregisterSkinData(TSkinData* data) {
  data_list_.erase(std::remove(data_list_.begin(), data_list_.end(), data), data_list_.end());
  if (pending_data_ == data) pending_data_ = nullptr;
  if (main_data_ == data) {
    main_data_ = nullptr;
    for (TSkinData* d : data_list_)
      if (d->SkinFormtype == sfMainform) {
        main_data_ = d;
        break;
      }
  }
}

void TSkinManage::InstallHook() {
  version_ = ws_->Version();
  if (!hooked_) hooked_ = ws_->InstallHook(*this);
}

void TSkinManage::PostCommand(int command, unsigned delay_ms) {
  pending_command_ = command;
  timer_->SetInterval(delay_ms);
  if (started_ != kNotStarted) {
    timer_->SetEnabled(true);
    return;
  }
  // No window has been activated yet: the first activation skins (or not)
  // by the active flag.
  if (command == kSkinAll) active_ = true;
  if (command == kUnskinAll) active_ = false;
}

bool TSkinManage::CommandTimerEnabled() const { return timer_ && timer_->Enabled(); }

void TSkinManage::ReloadSkinImages() {
  for (TSkinFrame* f : std::vector<TSkinFrame*>(frames_))
    if (Listed(f) && f->SkinData() == pending_data_) f->FreeButtonImages();
}

// ---- windows ----

bool TSkinManage::SkinForm(fw::TForm* form) {
  if (!form || !form->Visible()) return true;
  Wnd w = ws_->FormWindow(form);
  if (!w || (ws_->Style(w) & sys::kChild)) return true;
  return SkinWindow(w);
}

bool TSkinManage::PreviewRefused(Wnd w, const std::string& class_name) const {
  bool answer = true;
  if (main_data_) {
    if (!main_data_->Options.Contains(xoPreview) && text::Lower(class_name).find("preview") != std::string::npos)
      answer = false;
    answer = main_data_->FormFilter(w, class_name, answer);
  }
  return !answer;
}

TSkinData* TSkinManage::ChooseSkinData(Wnd w, const std::string& class_name) const {
  auto last = [&](auto pred) -> TSkinData* {
    for (auto it = data_list_.rbegin(); it != data_list_.rend(); ++it)
      if (pred(*it)) return *it;
    return nullptr;
  };
  if (TSkinData* d = last([&](TSkinData* d) {
        auto* f = dynamic_cast<fw::TForm*>(d->Owner());
        return d->SkinFormtype == sfOnlyThisForm && f && ws_->FormWindow(f) == w;
      }))
    return d;
  const std::string lower = text::Lower(class_name);
  if (lower == "tmessageform" || lower == "#32770")
    if (TSkinData* d = last([](TSkinData* d) { return d->SkinFormtype == sfDialog; })) return d;
  if (TSkinData* d = last([](TSkinData* d) { return d->SkinFormtype == sfMainform; })) return d;
  return data_list_.empty() ? nullptr : data_list_.front();
}

bool TSkinManage::SkinWindow(Wnd w) {
  if (!active_ || !w) return false;
  PurgeDeadForms();
  if (ws_->Send(w, msg::kQuerySkinned, 0, 0) == 1) return false;
  if (FindSkinnedWindow(w)) return false;

  fw::TControl* owner = ws_->FormOf(w);
  if (!owner) owner = ws_->ControlOf(w);
  const uint32_t style = ws_->Style(w), ex_style = ws_->ExStyle(w);
  if (!bulk_ && (style & sys::kChild) && !(ex_style & sys::kExMdiChild)) {
    Wnd parent = ws_->Parent(w);
    if (parent && text::Lower(ws_->ClassName(parent)) == "mdiclient") return false;
  }
  const std::string class_name = ws_->ClassName(w);
  // Windows of other modules are skinned only when they are the system's
  // standard dialogs.
  if (!owner && !ws_->FromThisModule(w) && class_name != "#32770") return false;
  const fw::TRect r = ws_->WindowRect(w);
  if ((r.Width() <= 0 || r.Height() <= 0) && !(ex_style & sys::kExMdiChild)) return false;
  if (owner && owner->Tag == kUnskinnedFormTag) return false;
  if (class_name.find("TcxPopupEditPopupWindow") != std::string::npos || class_name == "TApplication") return false;
  if (PreviewRefused(w, class_name)) return false;
  TSkinData* data = ChooseSkinData(w, class_name);
  if (!data || !data->SkinLoaded()) return false;

  auto* owner_form = dynamic_cast<fw::TForm*>(owner);
  TSkinFrame* frame = ws_->CreateFrame(*this, w, class_name, data, owner_form);
  if (!frame) return false;
  frames_.push_back(frame);
  ws_->Post(w, msg::kInitSkin, 0, 1000);
  return true;
}

TSkinFrame* TSkinManage::FindSkinnedWindow(Wnd w) const {
  for (TSkinFrame* f : frames_)
    if (f->Window() == w && !f->Dead()) return f;
  return nullptr;
}

bool TSkinManage::Listed(const TSkinFrame* f) const {
  return std::find(frames_.begin(), frames_.end(), f) != frames_.end();
}

void TSkinManage::ForgetWindow(Wnd w) {
  if (started_ == kDestroying) return;
  auto it = std::find_if(frames_.begin(), frames_.end(), [&](TSkinFrame* f) { return f->Window() == w; });
  if (it != frames_.end()) frames_.erase(it);
}

void TSkinManage::Forget(TSkinFrame* frame) {
  frames_.erase(std::remove(frames_.begin(), frames_.end(), frame), frames_.end());
}

void TSkinManage::PurgeDeadForms() {
  if (started_ == kDestroying) return;
  FreeDeadFrames();
}

void TSkinManage::FreeDeadFrames() {
  for (size_t i = frames_.size(); i-- > 0;) {
    if (i >= frames_.size()) continue;
    TSkinFrame* f = frames_[i];
    if (!f->Dead() || f->InUse()) continue;
    frames_.erase(frames_.begin() + std::ptrdiff_t(i));
    delete f;
  }
}

void TSkinManage::Unskin(TSkinFrame* frame) {
  Wnd w = frame->Window();
  frame->Restore();
  if (ws_->IsWindow(w)) ws_->InvalidateAndUpdate(w);
  if (!Listed(frame)) return;  // freed while it was restored
  if (frame->InUse()) {
    // Its window procedure is running below us (a modal loop inside a
    // message handler): it is freed by a later purge.
    frame->SetSkinState(kFrameDead);
    return;
  }
  Forget(frame);
  delete frame;
}

// ---- popup menus ----

bool TSkinManage::SkinPopupMenu(Wnd w) {
  if (!active_) return false;
  if (ws_->Send(w, msg::kQuerySkinned, 0, 0) == 1) return false;
  // A menu window that went without telling us leaves its entry here: its
  // window is gone, or its handle now belongs to a new menu window that
  // does not answer the query above. Such an entry is dropped once, without
  // touching the window again.
  std::erase_if(popups_, [&](const auto& p) { return p->Window() == w || !ws_->IsWindow(p->Window()); });
  TSkinData* data = ChooseSkinData(w, ws_->ClassName(w));
  if (!data || !data->SkinLoaded()) return false;
  const TSkinControls& c = data->SkinControls;
  bool allowed = false;
  switch (menu_kind_) {
    case kMenuContext: allowed = c.Contains(xcPopupMenu); break;
    case kMenuDropDown: allowed = c.Contains(xcMainMenu) || c.Contains(xcMenuItem); break;
    case kMenuSystem: allowed = c.Contains(xcSystemMenu); break;
    default: break;
  }
  if (!allowed) return false;
  std::unique_ptr<TPopupSkin> p = ws_->CreatePopupSkin(*this, w, data);
  if (!p) return false;
  p->OpenedFromMenuBar = opened_from_bar_;
  popups_.push_back(std::move(p));
  return true;
}

bool TSkinManage::UnskinPopupMenu(Wnd w) {
  auto it = std::find_if(popups_.begin(), popups_.end(), [&](const auto& p) { return p->Window() == w; });
  if (it == popups_.end()) return false;
  std::unique_ptr<TPopupSkin> p = std::move(*it);
  popups_.erase(it);
  p->Detach();
  p.reset();
  if (popups_.empty()) {
    opened_from_bar_ = false;
    menu_kind_ = kMenuContext;
  }
  return true;
}

bool TSkinManage::IsPopupMenuSkinned(Wnd w) const {
  return std::any_of(popups_.begin(), popups_.end(), [&](const auto& p) { return p->Window() == w; });
}

// ---- MDI ----

void TSkinManage::SetMdiMaximized(bool maximized) {
  if (maximized == mdi_maximized_) return;
  mdi_maximized_ = maximized;
  if (main_data_ && main_data_->Options.Contains(xoMDIChildBorder)) return;
  for (TSkinFrame* f : std::vector<TSkinFrame*>(frames_))
    if (Listed(f) && !f->Dead() && f->MdiKind() == kMdiChild) f->MdiMaximizeChanged(maximized, false);
}

// ---- the hook ----

void TSkinManage::HookCreate(Wnd w, const std::string& class_name, uint32_t style, uint32_t ex_style, Wnd parent) {
  if (class_name == "ScrollBar" && (style & kSizeBoxStyle)) {
    if (TSkinFrame* f = FindSkinnedWindow(parent)) f->SkinSizeGrip(w);
  }
  if (!(style & sys::kChild) && class_name == "#32768") SkinPopupMenu(w);
  if (ex_style & sys::kExMdiChild) SkinWindow(w);
}

void TSkinManage::HookDestroy(Wnd w) { UnskinPopupMenu(w); }

void TSkinManage::HookActivate(Wnd w) {
  if (started_ == kNotStarted) started_ = kRunning;
  SkinWindow(w);
}

// ---- commands ----

void TSkinManage::RunCommand() {
  timer_->SetEnabled(false);
  TSkinData* data = pending_data_;
  const int command = pending_command_;
  pending_command_ = 0;
  if (!data) return;
  if (data->SkinFormtype == sfOnlyThisForm) RunOnlyThisForm(command, data);
  else RunForAll(command, data);
  if (command == kReskinWindow) return;
  // The component may have gone while the command ran.
  if (std::find(data_list_.begin(), data_list_.end(), data) != data_list_.end()) data->SkinChanged();
  if (pending_data_ == data) pending_data_ = nullptr;
}

void TSkinManage::RunOnlyThisForm(int command, TSkinData* data) {
  switch (command) {
    case kSkinAll: {
      active_ = bulk_ = true;
      for (fw::TForm* f : FormsLastFirst())
        if (f == data->Owner()) {
          SkinForm(f);
          break;
        }
      bulk_ = false;
      break;
    }
    case kUnskinAll: {
      active_ = false;
      PurgeDeadForms();
      for (auto it = frames_.rbegin(); it != frames_.rend(); ++it)
        if ((*it)->SkinData() == data && !(*it)->Dead()) {
          Unskin(*it);
          break;
        }
      break;
    }
    case kSkinChanged: {
      PurgeDeadForms();
      for (TSkinFrame* f : frames_)
        if (f->SkinData() == data && !f->Dead()) {
          f->FreeButtonImages();
          f->RefreshMetrics();
          if (Listed(f)) f->RefreshColours();
          break;
        }
      break;
    }
    case kPurgeDead: FreeDeadFrames(); break;
    case kReskinWindow: RunForAll(command, data); break;
    default: break;
  }
}

void TSkinManage::RunForAll(int command, TSkinData* data) {
  switch (command) {
    case kSkinAll: {
      active_ = bulk_ = true;
      PurgeDeadForms();
      for (fw::TForm* f : FormsLastFirst())
        if (StillAForm(f)) SkinForm(f);
      bulk_ = false;
      break;
    }
    case kUnskinAll: {
      active_ = false;
      PurgeDeadForms();
      for (TSkinFrame* f : std::vector<TSkinFrame*>(frames_))
        if (Listed(f) && !f->Dead()) Unskin(f);
      break;
    }
    case kSkinChanged: {
      PurgeDeadForms();
      std::vector<TSkinFrame*> mine;
      for (TSkinFrame* f : frames_)
        if (f->SkinData() == data && !f->Dead()) mine.push_back(f);
      for (TSkinFrame* f : mine)
        if (Listed(f)) {
          f->FreeButtonImages();
          f->RefreshMetrics();
        }
      for (TSkinFrame* f : mine)
        if (Listed(f)) f->RefreshColours();
      break;
    }
    case kPurgeDead: FreeDeadFrames(); break;
    case kReskinWindow: {
      Wnd w = pending_window_;
      if (TSkinFrame* f = FindSkinnedWindow(w)) {
        f->Restore();
        if (Listed(f)) f->SetSkinState(kFrameDead);
        PurgeDeadForms();
      }
      SkinWindow(w);
      break;
    }
    default: break;
  }
}

void UseSkinManager() {
  SetSkinManagerFactory([] { return std::make_unique<TSkinManage>(PlatformWindowSystem()); });
}

}  // namespace skin
