// PLACEHOLDER until the settings image lands (its owner replaces this file).
#include "app/umset.h"

void Tfrm_mset::ClearImage() { SettingsImage.fill(0xFF); }
bool Tfrm_mset::EncodeImage(std::string* error) {
  if (error) *error = "not available";
  return false;
}
void Tfrm_mset::DecodeImage() {}
