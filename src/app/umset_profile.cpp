// "Save Profile" and "Load Profile": the window's settings to and from .sf
// files chosen through the dialogs SaveD and opend (set up with the window).
#include "app/umset.h"
#include "framework/dialogs.h"
#include "framework/forms.h"
#include "profile/settings_profile.h"

namespace {

void Inform(const std::string& text) {
  fw::Application().MessageBox(text, "Information", fw::MB_OK_ | fw::MB_ICONWARNING_);
}

}  // namespace

void Tfrm_mset::btn_saveClick(fw::TObject*) {
  if (SaveD->Execute()) SaveProfile(SaveD->FileName);
}

void Tfrm_mset::btn_readClick(fw::TObject*) {
  if (opend->Execute()) LoadProfile(opend->FileName);
}

// A failed save says so, naming the file and the reason: the user must not
// believe the settings were kept.
void Tfrm_mset::SaveProfile(const std::string& path) {
  const profile::ProfileResult r = profile::SaveProfile(CurrentSettings(), path);
  if (!r.ok) Inform("The profile could not be saved to\n" + path + "\n\n" + r.reason);
}

// A file that does not exist or cannot be read changes no setting; the
// settings of one that loads reach the controls in the order of its keys.
void Tfrm_mset::LoadProfile(const std::string& path) {
  model::Settings s = CurrentSettings();
  const profile::ProfileResult r = profile::LoadProfile(path, &s);
  if (!r.ok) {
    Inform("The profile could not be loaded from\n" + path + "\n\n" + r.reason);
    return;
  }
  ApplySettings(s, ApplyOrder::Profile);
}
