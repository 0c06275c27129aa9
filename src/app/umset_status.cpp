// The window's creation handler (built-in skin), the status text and the
// two indicator lamps.
#include "app/program_resource.h"
#include "app/umset.h"
#include "skin/skin_data.h"

// Whatever goes wrong here (no resource, damaged skin, activation failure)
// ends at the window's handler boundary, silently: the window simply runs
// with the platform's own look.
void Tfrm_mset::FormCreate(fw::TObject*) {
  // Started without the skin: the skin components stay as created,
  // inactive, and the window has the platform's own look.
  if (!SkinWanted) return;
  ProgramResource skin;
  if (!SkinData1 || !FindProgramResource("mxskn", skin)) return;
  SkinData1->LoadSkinFromStream(skin.data, skin.size);
  SkinData1->SetActive(true);
}

void Tfrm_mset::ShowStatus(const std::string& text) {
  if (MYSbar) MYSbar->SetPanelText(5, text);
}

void Tfrm_mset::SetLamp(fw::TShape* lamp, fw::TColor c) {
  if (lamp) lamp->SetBrushColor(c);
}

void Tfrm_mset::ToggleLamp(fw::TShape* lamp) {
  if (!lamp) return;
  lamp->SetBrushColor(lamp->Brush().Color == LampRed ? LampGreen : LampRed);
}
