#include "support/recording_skin_manager.h"

#include <algorithm>

#include "skin/skin_data.h"

namespace skin {

namespace {
// Every TSkinData of the test program talks to a recording manager.
[[maybe_unused]] const bool g_installed =
    (SetSkinManagerFactory([] { return std::make_unique<TRecordingSkinManager>(); }), true);
}  // namespace

void TRecordingSkinManager::RegisterSkinData(TSkinData* data) {
  calls.push_back("RegisterSkinData");
  skin_data.push_back(data);
  if (!main_skin_data && data->SkinFormtype == sfMainform) main_skin_data = data;
}

void TRecordingSkinManager::UnregisterSkinData(TSkinData* data) {
  calls.push_back("UnregisterSkinData");
  skin_data.erase(std::remove(skin_data.begin(), skin_data.end(), data), skin_data.end());
  if (pending_ == data) pending_ = nullptr;
  if (main_skin_data == data) main_skin_data = nullptr;
}

void TRecordingSkinManager::PostCommand(int command, unsigned delay_ms) {
  calls.push_back("PostCommand " + std::to_string(command));
  posts.push_back({command, delay_ms, pending_, started_ != kNotStarted});
  if (started_ != kNotStarted) return;
  // Nothing runs before the first window is activated; the first
  // activation finds the active flag set or cleared.
  if (command == kSkinAll) active_ = true;
  if (command == kUnskinAll) active_ = false;
}

bool TRecordingSkinManager::SkinForm(fw::TForm* form) {
  calls.push_back("SkinForm");
  skinned_forms.push_back(form);
  return true;
}

}  // namespace skin
