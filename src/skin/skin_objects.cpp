#include "skin/skin_objects.h"

#include <cctype>

#include "skin/image_fetch.h"
#include "skin/quick_ini.h"

namespace skin {

fw::TColor ParseSkinColour(const std::string& text, fw::TColor def) {
  size_t b = 0, e = text.size();
  while (b < e && uint8_t(text[b]) <= ' ') ++b;
  while (e > b && uint8_t(text[e - 1]) <= ' ') --e;
  if (b == e) return def;
  unsigned channel[3] = {0, 0, 0};
  int n = 0;
  bool in_run = false;
  unsigned value = 0;
  for (size_t i = b; i <= e && n < 3; ++i) {
    bool digit = i < e && std::isdigit(uint8_t(text[i]));
    if (digit) {
      value = (value * 10 + unsigned(text[i] - '0')) % 256;
      in_run = true;
    } else if (in_run) {
      channel[n++] = value;
      value = 0;
      in_run = false;
    }
  }
  return fw::RGBColor(uint8_t(channel[0]), uint8_t(channel[1]), uint8_t(channel[2]));
}

fw::TColor ReadSkinColour(const TQuickIni& ini, const std::string& section, const std::string& key,
                          fw::TColor def) {
  return ParseSkinColour(ini.ReadString(section, key, ""), def);
}

int32_t NormaliseTile(int32_t tile, bool above_one_is_one) {
  if (tile > 1) return above_one_is_one ? 1 : 0;
  return tile;
}

void ReadGenericKeys(TDataSkinObject& obj, const TQuickIni& ini, const TSkinReader& reader,
                     const std::string& section, fw::TColor text_colour, bool with_frame) {
  FetchImage(reader, obj.Image, ini.ReadString(section, "Image", ""));
  obj.Style = ini.ReadInteger(section, "Style", 0);
  obj.LeftWidth = ini.ReadInteger(section, "LeftWidth", 0);
  obj.TopHeight = ini.ReadInteger(section, "TopHeight", 0);
  obj.RightWidth = ini.ReadInteger(section, "RightWidth", 0);
  obj.BottomHeight = ini.ReadInteger(section, "BottomHeight", 0);
  if (with_frame) obj.Frames = ini.ReadInteger(section, "Frame", 0);
  obj.Trans = ini.ReadInteger(section, "Trans", 0);
  obj.Tile = NormaliseTile(ini.ReadInteger(section, "Tile", 0), false);
  obj.NormalColour = ini.ReadInteger(section, "NormalColour", -1);
  obj.MouseOverColour = ini.ReadInteger(section, "MouseOverColour", -1);
  obj.PressedColour = ini.ReadInteger(section, "PressedColour", -1);
  obj.NormalColour2 = ReadSkinColour(ini, section, "NormalColour2", text_colour);
  obj.MouseOverColour2 = ReadSkinColour(ini, section, "MouseOverColour2", text_colour);
  obj.PressedColour2 = ReadSkinColour(ini, section, "PressedColour2", text_colour);
}

}  // namespace skin
