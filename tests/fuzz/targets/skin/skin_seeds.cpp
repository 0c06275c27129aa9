// Seeds of the skin loader's targets: a container of an INI text and four
// BMPs, expanded and compressed, and the parts on their own.
#include "seed_corpus.h"
#include "skin/bmp_reader.h"
#include "skin/lzh_encoder.h"
#include "skin/skin_reader.h"

namespace fuzzseeds {
namespace {

// The skin target's first bytes, which choose sizes and states.
constexpr size_t kSkinChoices = 32;

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

// The targets lzh and container take their first byte as a mode.
Bytes Prefixed(uint8_t mode, const Bytes& body) {
  Bytes out{mode};
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

fw::TBitmap Sample(int w, int h) {
  fw::TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, (x * 40 + y * 3) % 5 == 0 ? 0xFF00FF : fw::RGBColor(uint8_t(x * 20), uint8_t(y * 30), 200));
  return b;
}

}  // namespace

void AddSkinSeeds(Corpus& c) {
  const std::string ini =
      "[Personality]\r\nTop=top.bmp\r\nTopFrame=2\r\n; note\r\n[Colours]\r\nButtonFace=213,222,242\r\n"
      "[Buttons]\r\nBitmap=C:\\skin\\button.bmp\r\nTile=0x1\r\n";

  std::vector<skin::SkinEntry> entries{{"skin.ini", Text(ini)}};
  int n = 0;
  for (int bpp : {4, 8, 24, 32}) {
    Bytes bmp;
    skin::SaveBmp(Sample(6 + bpp / 4, 3), bpp, bmp);
    c.Add("bmp", "bmp" + std::to_string(bpp), bmp);
    entries.push_back({"img" + std::to_string(n++) + ".bmp", bmp});
  }
  const Bytes container = skin::WriteContainer(entries);
  c.Add("container", "expanded", Prefixed(0, container));
  c.Add("container", "compressed", Prefixed(1, skin::LzhCompress(container)));
  c.Add("lzh", "stream", Prefixed(0, skin::LzhCompress(container)));
  c.Add("lzh", "text", Prefixed(0, skin::LzhCompress(Text(ini + ini))));
  c.Add("lzh", "data", Prefixed(1, Text(ini)));
  c.Add("ini", "skin", ini);

  // The skin target: 32 bytes of sizes and states, then a container whose
  // INI gives every kind of object an image (one small image for all).
  const std::string skin_ini =
      "[Personality]\r\nTop=f.bmp\r\nTopFrame=2\r\nLeft=f.bmp\r\nLeftFrame=2\r\nRight=f.bmp\r\n"
      "RightFrame=2\r\nBottom=f.bmp\r\nBottomFrame=2\r\nMenuBar=f.bmp\r\nTileMenu=1\r\n"
      "[Buttons]\r\nBitmap=f.bmp\r\nFrameCount=5\r\nLeftWidth=2\r\nTopHeight=2\r\nRightWidth=2\r\n"
      "BottomHeight=2\r\n[CheckBox]\r\nBitmap=f.bmp\r\nFrameCount=8\r\n[RadioButton]\r\nBitmap=f.bmp\r\n"
      "FrameCount=8\r\n[ComboButton]\r\nBitmap=f.bmp\r\nFrameCount=4\r\n[GroupBox]\r\nBitmap=f.bmp\r\n"
      "[SunkEdge]\r\nBitmap=f.bmp\r\n[Menu]\r\nBitmap=f.bmp\r\n[MenuItem]\r\nBitmap=f.bmp\r\nFrameCount=2\r\n"
      "[StatusBar]\r\nBitmap=f.bmp\r\n[Progress]\r\nBitmap=f.bmp\r\n[Title]\r\nBitmap=f.bmp\r\n"
      "[Button.Close]\r\nAction=0\r\nButtonImage=f.bmp\r\nAlign=1\r\nXCoord=-20\r\nYCoord=3\r\n"
      "[Button.Icon]\r\nAction=3\r\nButtonImage=f.bmp\r\n"
      "[Colours]\r\nButtonFace=213,222,242\r\nMenuText=0,0,0\r\n[Fonts]\r\nFontHeight=-11\r\n";
  Bytes image;
  skin::SaveBmp(Sample(12, 8), 24, image);
  Bytes choices;
  for (size_t i = 0; i < kSkinChoices; ++i) choices.push_back(uint8_t(i * 37 + 11));
  Bytes seed = choices;
  const Bytes skin_container = skin::WriteContainer({{"f.bmp", image}, {"skin.ini", Text(skin_ini)}});
  seed.insert(seed.end(), skin_container.begin(), skin_container.end());
  c.Add("skin", "every-object", seed);

  // The first group box is 0 pixels wide and 20 high, with a caption, and
  // no control before it had a pixel, so that its bitmap has no pixel
  // block at all: its caption's background lies beside the bitmap.
  Bytes narrow(kSkinChoices, 0);
  // Read first as the button's 1 x 0, later again (changed) as the edit's
  // 0 x 1 and the group box's 0 x 20, caption 1, left-aligned.
  narrow[2] = 1, narrow[6] = 1, narrow[7] = 21, narrow[9] = 1;
  narrow.insert(narrow.end(), skin_container.begin(), skin_container.end());
  c.Add("skin", "regress-group-box-without-columns", narrow);
}

}  // namespace fuzzseeds
