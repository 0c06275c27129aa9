#include "builder.h"

#include <stdexcept>

#include "ini_text.h"
#include "skin/bmp_reader.h"
#include "skin/skin_reader.h"

namespace sb {

namespace {

std::vector<uint8_t> Bmp(const TBitmap& bmp, int bpp, const std::string& what) {
  std::vector<uint8_t> out;
  if (!skin::SaveBmp(bmp, bpp, out))
    throw std::runtime_error(what + ": cannot be stored with " + std::to_string(bpp) + " bits per pixel");
  return out;
}

}  // namespace

BuiltSkin BuildSkin() {
  BuiltSkin s;
  DrawFramePieces(s.pieces);
  DrawControlPieces(s.pieces);
  DrawScrollAndMenuPieces(s.pieces);
  s.ini_name = "clearlight.ini";
  s.ini = SkinIniText();

  std::vector<skin::SkinEntry> entries;
  for (const Piece& p : s.pieces) entries.push_back({p.file, Bmp(p.bmp, p.bpp, p.file)});
  entries.push_back({s.ini_name, std::vector<uint8_t>(s.ini.begin(), s.ini.end())});
  s.container = skin::WriteContainer(entries);
  s.compressed = skin::PackSkin(entries);

  s.track_bmp = Bmp(DrawTrackResource(false), 24, "TRACK");
  s.trackvert_bmp = Bmp(DrawTrackResource(true), 24, "TRACKVERT");
  s.menu_glyphs_bmp = Bmp(DrawMenuGlyphs(), 24, "TESSERAMENU");
  return s;
}

std::vector<std::pair<std::string, std::vector<uint8_t>>> ResourceFiles(const BuiltSkin& skin) {
  return {{"mxskn.skn", skin.compressed},
          {"TRACK.bmp", skin.track_bmp},
          {"TRACKVERT.bmp", skin.trackvert_bmp},
          {"TESSERAMENU.bmp", skin.menu_glyphs_bmp}};
}

}  // namespace sb
