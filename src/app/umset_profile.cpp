// PLACEHOLDER until profiles land (their owner replaces this file).
#include "app/umset.h"

void Tfrm_mset::btn_saveClick(fw::TObject*) {}
void Tfrm_mset::btn_readClick(fw::TObject*) {}
void Tfrm_mset::SaveProfile(const std::string&) {}
void Tfrm_mset::LoadProfile(const std::string&) {}
