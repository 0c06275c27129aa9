// "Save Profile" and "Load Profile": the window's settings to and from .sf
// files chosen through the dialogs SaveD and opend.
#include <exception>

#include "app/umset.h"
#include "framework/dialogs.h"
#include "framework/forms.h"
#include "profile/settings_profile.h"

namespace {

// Both dialogs: one filter for .sf files, no places bar, the read-only box
// hidden, resizable, no overwrite prompt and no check that the file exists.
// Each keeps the file name last chosen in it.
void PrepareProfileDialog(fw::TOpenDialog& d) {
  d.Filter = "Settings file(*.sf)|*.sf";
  d.DefaultExt = "*.sf";
  d.Options = fw::ofHideReadOnly | fw::ofEnableSizing;
  d.OptionsEx = fw::ofExNoPlacesBar;
}

void Inform(const std::string& text) {
  try {
    fw::Application().MessageBox(text, "Information", fw::MB_OK_ | fw::MB_ICONWARNING_);
  } catch (...) {
  }
}

}  // namespace

void Tfrm_mset::btn_saveClick(fw::TObject*) {
  try {
    PrepareProfileDialog(*SaveD);
    if (!SaveD->Execute()) return;
    SaveProfile(SaveD->FileName);
  } catch (const std::exception& e) {
    Inform(std::string("The profile could not be saved.\n") + e.what());
  } catch (...) {
    Inform("The profile could not be saved.");
  }
}

void Tfrm_mset::btn_readClick(fw::TObject*) {
  try {
    PrepareProfileDialog(*opend);
    if (!opend->Execute()) return;
    LoadProfile(opend->FileName);
  } catch (const std::exception& e) {
    Inform(std::string("The profile could not be loaded.\n") + e.what());
  } catch (...) {
    Inform("The profile could not be loaded.");
  }
}

// A failed save says so, naming the file and the reason: the user must not
// believe the settings were kept.
void Tfrm_mset::SaveProfile(const std::string& path) {
  const profile::ProfileResult r = profile::SaveProfile(Model(), path);
  if (!r.ok) Inform("The profile could not be saved to\n" + path + "\n\n" + r.reason);
}

// A file that does not exist or cannot be read changes no setting.
void Tfrm_mset::LoadProfile(const std::string& path) {
  const profile::ProfileResult r = profile::LoadProfile(Model(), path);
  if (!r.ok) Inform("The profile could not be loaded from\n" + path + "\n\n" + r.reason);
}
