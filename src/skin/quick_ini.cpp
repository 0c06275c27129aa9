#include "skin/quick_ini.h"

namespace skin {

void TQuickIni::LoadFromStream(std::span<const uint8_t>) {}
void TQuickIni::LoadFromString(std::string_view) {}
std::string TQuickIni::ReadString(const std::string&, const std::string&, const std::string& def) const { return def; }
int32_t TQuickIni::ReadInteger(const std::string&, const std::string&, int32_t def) const { return def; }
void TQuickIni::ReadSections(std::vector<std::string>& list) const { list.clear(); }
const TQuickIni::Section* TQuickIni::FindSection(const std::string&) const { return nullptr; }

}  // namespace skin
