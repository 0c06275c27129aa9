// The window's settings image: encoding from and decoding into its controls.
#include "app/umset.h"
#include "protocol/settings_image.h"

void Tfrm_mset::ClearImage() { protocol::ClearImage(SettingsImage); }

bool Tfrm_mset::EncodeImage(std::string* error) { return protocol::EncodeImage(Model(), SettingsImage, error); }

void Tfrm_mset::DecodeImage() { protocol::DecodeImage(Model(), SettingsImage); }
