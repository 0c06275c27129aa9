// Loading a skin: the container is expanded, its INI text read, and every
// skin object built from its section, in a fixed order.
#include <algorithm>
#include <cctype>

#include "framework/graphics.h"
#include "skin/bitmap_ops.h"
#include "skin/image_fetch.h"
#include "skin/quick_ini.h"
#include "skin/skin_data.h"
#include "skin/skin_platform.h"
#include "skin/skin_reader.h"
#include "text/ascii.h"

namespace {

constexpr fw::TColor kMagenta = 0xFF00FF;

fw::TColor SysColour(int index) { return fw::ColorToRGB(fw::clSystemColor | fw::TColor(index)); }

// Frame counts come from the skin's text; painters divide by them, so a
// count below 1 is taken as 1.
int32_t AtLeastOne(int32_t n) { return n < 1 ? 1 : n; }

// Draws frame `frame` (0-based) of obj's strip (frames side by side) into
// the rectangle (x, y, w, h) of dst: corners as they are, edges and middle
// stretched. Margins that do not fit are dropped; magenta pixels are left out
// when obj is transparent.
void DrawNineSlice(fw::TBitmap& dst, int x, int y, int w, int h, const TDataSkinObject& obj, int frame) {
  int frames = AtLeastOne(obj.Frames);
  int fw_ = obj.Image.Width() / frames, fh = obj.Image.Height();
  if (fw_ <= 0 || fh <= 0 || w <= 0 || h <= 0 || frame < 0 || frame >= frames) return;
  int sx0 = frame * fw_;
  int l = obj.LeftWidth, r = obj.RightWidth, t = obj.TopHeight, b = obj.BottomHeight;
  if (l < 0 || r < 0 || l + r > w || l + r > fw_) l = r = 0;
  if (t < 0 || b < 0 || t + b > h || t + b > fh) t = b = 0;
  auto map = [](int d, int size, int lo, int hi, int src) {
    if (d < lo) return d;
    if (d >= size - hi) return src - (size - d);
    int mid = size - lo - hi, smid = src - lo - hi;
    return smid > 0 ? lo + int(int64_t(d - lo) * smid / mid) : std::min(lo, src - 1);
  };
  for (int j = 0; j < h; ++j) {
    int sy = map(j, h, t, b, fh);
    for (int i = 0; i < w; ++i) {
      fw::TColor c = obj.Image.Pixel(sx0 + map(i, w, l, r, fw_), sy) & 0xFFFFFF;
      if (obj.Trans == 1 && c == kMagenta) continue;
      dst.SetPixel(x + i, y + j, c);
    }
  }
}

fw::TBitmap Crop(const fw::TBitmap& src, int x, int y, int w, int h) {
  fw::TBitmap out(w, h);
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) out.SetPixel(i, j, src.Pixel(x + i, y + j));
  return out;
}

}  // namespace

bool TSkinData::LoadSkin() {
  if (Designing) return false;
  loaded_ = false;
  skin::TSkinReader reader;
  if (!reader.LoadContainer(stored_)) return false;
  std::vector<uint8_t> entry;
  std::string ini_name;
  reader.ExtractEntryContaining(".ini", entry, ini_name);
  skin::TQuickIni ini;
  ini.LoadFromStream(entry);
  ParseSkin(ini, reader);
  return true;
}

void TSkinData::ParseSkin(const skin::TQuickIni& ini, const skin::TSkinReader& reader) {
  skin_name_ = ini.ReadString("TitlebarSkin", "SkinName", "");
  ParseBorders(ini, reader);
  ParseColours(ini);
  ParseCaptionButtons(ini, reader);
  ParseMdiButtons(ini, reader);
  ParseObjects(ini, reader);
  FixFrameCounts();
  BuildComboComposite();
  BuildComboArrow();
  BuildToolbarBackground();
  face_brush_.Color = colours_.ButtonFace;
  face_brush_.Clear = false;
  loaded_ = true;
}

void TSkinData::ParseBorders(const skin::TQuickIni& ini, const skin::TSkinReader& reader) {
  auto border = [&](std::unique_ptr<TDataSkinBorder>& b, const std::string& name, bool side) {
    b = std::make_unique<TDataSkinBorder>(name);
    skin::FetchImage(reader, b->Image, ini.ReadString("Personality", name, ""));
    int32_t first = ini.ReadInteger("Personality", name + "TopHeight", 0);
    int32_t second = ini.ReadInteger("Personality", name + "BotHeight", 0);
    if (side) {
      b->TopHeight = first;
      b->BottomHeight = second;
    } else {
      b->LeftWidth = first;
      b->RightWidth = second;
    }
    b->Frames = AtLeastOne(ini.ReadInteger("Personality", name + "Frame", 1));
    b->Tile = skin::NormaliseTile(ini.ReadInteger("Personality", name + "Stretch", 1), true);
    b->Trans = ini.ReadInteger("Personality", name + "Trans", 1);
  };
  border(left_, "Left", true);
  border(right_, "Right", true);
  border(top_, "Top", false);
  border(bottom_, "Bottom", false);
}

void TSkinData::ParseColours(const skin::TQuickIni& ini) {
  auto c = [&](const char* key, fw::TColor def) { return skin::ReadSkinColour(ini, "Colours", key, def); };
  TSkinColours& k = colours_;
  k.WindowText = c("WindowText", SysColour(8));
  k.ButtonFace = c("ButtonFace", SysColour(15));
  k.Scrollbar = c("Scrollbar", SysColour(0));
  k.HilightText = c("HilightText", SysColour(14));
  k.Hilight = c("Hilight", SysColour(13));
  k.Menubar = c("Menubar", k.ButtonFace);
  k.Menu = c("Menu", SysColour(4));
  k.MenuText = c("MenuText", SysColour(7));
  k.ButtonText = c("ButtonText", SysColour(18));
  k.ButtonHilight = c("ButtonHilight", SysColour(20));
  k.Buttonlight = c("Buttonlight", SysColour(20));
  k.ButtonShadow = c("ButtonShadow", SysColour(16));
  k.ButtonDkShadow = c("ButtonDkShadow", SysColour(21));
  k.MenuBarText = c("MenuBarText", SysColour(7));
  k.TitleTextActive = c("TitleTextActive", SysColour(9));
  k.TitleTextNoActive = c("TitleTextNoActive", SysColour(19));

  std::vector<std::string> sections;
  ini.ReadSections(sections);
  font_colours_.clear();
  for (const std::string& s : sections) {
    std::string u = text::Upper(s);
    if (u.rfind("COLOUR", 0) == 0 && u != "COLOURS")
      font_colours_.push_back(skin::ReadSkinColour(ini, s, "color", SysColour(8)));
  }
  for (int i = 0; i < 10; ++i)
    custom_colours_[i] = skin::ReadSkinColour(ini, "Customcolors", "Color" + std::to_string(i), fw::clWhite);
}

void TSkinData::ParseCaptionButtons(const skin::TQuickIni& ini, const skin::TSkinReader& reader) {
  sys_buttons_.clear();
  std::vector<std::string> sections;
  ini.ReadSections(sections);
  for (const std::string& s : sections) {
    std::string u = text::Upper(s);
    if (u.rfind("BUTTON", 0) != 0 || u == "BUTTON" || u == "BUTTONS" || u == "BUTTON.RADIO" ||
        u == "BUTTON.CHECKBOX")
      continue;
    int32_t action = ini.ReadInteger(s, "Action", 0);
    int32_t visibility = ini.ReadInteger(s, "Visibility", 0);
    if (action == -1 && visibility != 0) continue;
    auto b = std::make_unique<TDataSkinSysButton>(u);
    b->Action = action;
    b->Align = ini.ReadInteger(s, "Align", 0);
    b->Xcoord = ini.ReadInteger(s, "Xcoord", 0);
    b->Ycoord = ini.ReadInteger(s, "Ycoord", 0);
    b->Visibility = visibility;
    b->Visibility1 = ini.ReadInteger(s, "Visibility1", action == -1 ? -1 : 0);
    b->CombineOp = ini.ReadInteger(s, "CombineOp", -1);
    b->Frames = ini.ReadInteger(s, "frame", 0);
    b->NormalColour2 = b->MouseOverColour2 = b->PressedColour2 = colours_.ButtonText;
    skin::FetchImage(reader, b->Image, ini.ReadString(s, "ButtonImage", ""));
    if (b->Frames <= 0) {
      // Strips hold 3 frames (normal, pressed, hot) or 6 (with the
      // inactive ones); the shape of the image tells which.
      b->Frames = 6;
      if (!b->Image.Empty()) b->Frames = double(b->Image.Width()) / b->Image.Height() <= 3.8 ? 3 : 6;
      if (b->Action < 0) b->Frames = 6;
    }
    // The window icon is drawn in place of the image.
    if (b->Action == 3 || b->Action == 11) b->Image = fw::TBitmap();
    sys_buttons_.push_back(std::move(b));
  }
}

void TSkinData::ParseMdiButtons(const skin::TQuickIni& ini, const skin::TSkinReader& reader) {
  fw::TBitmap strip;
  skin::FetchImage(reader, strip, ini.ReadString("MDICONTROLS", "Image", ""));
  static const char* const kNames[3] = {"MDIMINIMIZE", "MDIRESTORE", "MDICLOSE"};
  for (int i = 0; i < 3; ++i) {
    auto b = std::make_unique<TDataSkinSysButton>(kNames[i]);
    b->Action = 7 + i;
    b->Align = 100;
    b->Visibility = 100;
    b->Visibility1 = 100;
    b->Frames = 4;
    b->NormalColour2 = b->MouseOverColour2 = b->PressedColour2 = colours_.ButtonText;
    if (!strip.Empty()) {
      // Twelve equal columns, four per button.
      int a = strip.Width() / 12;
      b->Image = Crop(strip, 4 * a * i, 0, 4 * a, strip.Height());
      b->Xcoord = (a + 4) * (3 - i);
    }
    sys_buttons_.push_back(std::move(b));
  }
}

void TSkinData::ParseObjects(const skin::TQuickIni& ini, const skin::TSkinReader& reader) {
  const fw::TColor text = colours_.ButtonText;
  auto fetch = [&](fw::TBitmap& bmp, const std::string& section, const std::string& key) {
    skin::FetchImage(reader, bmp, ini.ReadString(section, key, ""));
  };
  // Builds an object from the generic keys of its section; it is kept only
  // when the section names an image.
  auto generic = [&]<typename T = TDataSkinObject>(const std::string& name, bool with_frame, T* = nullptr) -> T* {
    auto obj = std::make_unique<T>(name);
    skin::ReadGenericKeys(*obj, ini, reader, name, text, with_frame);
    if (obj->Image.Empty()) {
      Store(name, nullptr);
      return nullptr;
    }
    T* p = obj.get();
    Store(name, std::move(obj));
    return p;
  };

  // Push buttons, check boxes and radio buttons.
  buttons_ = std::make_unique<TDataSkinButton>("Buttons");
  TDataSkinButton& b = *buttons_;
  fetch(b.Image, "Buttons", "Bitmap");
  fetch(b.CheckImage, "Buttons", "CheckButton");
  fetch(b.RadioImage, "Buttons", "RadioButton");
  b.LeftWidth = ini.ReadInteger("Buttons", "LeftWidth", 0);
  b.TopHeight = ini.ReadInteger("Buttons", "TopHeight", 0);
  b.RightWidth = ini.ReadInteger("Buttons", "RightWidth", 0);
  b.BottomHeight = ini.ReadInteger("Buttons", "BottomHeight", 0);
  b.Trans = ini.ReadInteger("Buttons", "Trans", 0);
  b.Tile = skin::NormaliseTile(ini.ReadInteger("Buttons", "Tile", 0), false);
  b.NormalColour = ini.ReadInteger("Buttons", "NormalColour", -1);
  b.MouseOverColour = ini.ReadInteger("Buttons", "MouseOverColour", -1);
  b.PressedColour = ini.ReadInteger("Buttons", "PressedColour", -1);
  b.HasNormalColour2 = !ini.ReadString("Buttons", "NormalColour2", "").empty();
  b.HasMouseOverColour2 = !ini.ReadString("Buttons", "MouseOverColour2", "").empty();
  b.HasPressedColour2 = !ini.ReadString("Buttons", "PressedColour2", "").empty();
  b.NormalColour2 = skin::ReadSkinColour(ini, "Buttons", "NormalColour2", text);
  b.MouseOverColour2 = skin::ReadSkinColour(ini, "Buttons", "MouseOverColour2", text);
  b.PressedColour2 = skin::ReadSkinColour(ini, "Buttons", "PressedColour2", text);
  // Glyph strips of 13 (small) or 16 pixel squares when the count is not
  // given.
  auto glyph_frames = [](int32_t given, const fw::TBitmap& strip) {
    if (given > 0) return given;
    int w = strip.Height() < 16 ? 13 : 16;
    return std::max(strip.Width() / w, 4);
  };
  b.CheckFrames = glyph_frames(ini.ReadInteger("Buttons", "CheckButtonFrame", 0), b.CheckImage);
  b.RadioFrames = glyph_frames(ini.ReadInteger("Buttons", "RadioButtonFrame", 0), b.RadioImage);

  // Caption text.
  title_ = std::make_unique<TDataSkinTitle>("Title");
  TDataSkinTitle& t = *title_;
  fetch(t.Image, "Personality", "TextBack");
  t.LeftWidth = ini.ReadInteger("Personality", "TextShift", 0);
  t.TopHeight = ini.ReadInteger("Personality", "TextShiftVert", 0);
  t.RightWidth = ini.ReadInteger("Personality", "TextRightClip", 0);
  t.TextAlignment = ini.ReadInteger("Personality", "TextAlignment", 0);
  t.Textbackground = ini.ReadInteger("Personality", "Textbackground", 0);
  t.TXTBackleft = ini.ReadInteger("Personality", "TXTBackleft", 0);
  t.TXTBackRight = ini.ReadInteger("Personality", "TXTBackRight", 0);
  t.FontHeight = ini.ReadInteger("Fonts", "FontHeight", 14);
  t.NormalColour2 = t.MouseOverColour2 = t.PressedColour2 = text;
  auto text_colour = [&](const std::string& prefix) {
    int32_t r = ini.ReadInteger("Personality", prefix + "R", -1);
    int32_t g = ini.ReadInteger("Personality", prefix + "G", -1);
    int32_t bl = ini.ReadInteger("Personality", prefix + "B", -1);
    if (r < 0 || g < 0 || bl < 0) return fw::clNone;
    return fw::RGBColor(uint8_t(r), uint8_t(g), uint8_t(bl));
  };
  t.ActiveText = text_colour("ActiveText");
  t.InActiveText = text_colour("InActiveText");

  // Progress bar.
  {
    auto p = std::make_unique<TDataSkinBorder>("Progress");
    fetch(p->Image, "Progress", "Bitmap");
    p->Style = ini.ReadInteger("Progress", "Style", 0);
    p->LeftWidth = ini.ReadInteger("Progress", "LeftWidth", 0);
    p->TopHeight = ini.ReadInteger("Progress", "TopHeight", 0);
    p->RightWidth = ini.ReadInteger("Progress", "RightWidth", 0);
    p->BottomHeight = ini.ReadInteger("Progress", "BottomHeight", 0);
    p->Trans = ini.ReadInteger("Progress", "Trans", 0);
    p->Tile = skin::NormaliseTile(ini.ReadInteger("Progress", "Tile", 0), true);
    p->NormalColour2 = p->MouseOverColour2 = p->PressedColour2 = text;
    Store("Progress", p->Image.Empty() ? nullptr : std::move(p));
  }
  generic("Progress.Chunk", true);

  // Menu bar.
  {
    auto m = std::make_unique<TDataSkinObject>("MenuBar");
    fetch(m->Image, "Personality", "menuBar");
    m->Tile = skin::NormaliseTile(ini.ReadInteger("Personality", "TileMenu", 1), true);
    m->LeftWidth = ini.ReadInteger("Personality", "TileLeftMenu", 1);
    m->RightWidth = ini.ReadInteger("Personality", "TileRightMenu", 1);
    m->NormalColour2 = m->MouseOverColour2 = m->PressedColour2 = text;
    Store("MenuBar", m->Image.Empty() ? nullptr : std::move(m));
  }

  generic("GroupBoxEdge", true);
  if (auto* g = generic.operator()<TDataSkinBoxLabel>("GroupBox", true)) {
    g->BackgroundAlignment = ini.ReadInteger("GroupBox", "BackgroundAlignment", 0);
    g->BackgroundLeftShift = ini.ReadInteger("GroupBox", "BackgroundLeftShift", 0);
    g->BackgroundRightShift = ini.ReadInteger("GroupBox", "BackgroundRightShift", 0);
  }
  if (auto* tabs = generic.operator()<TDataSkinBorder>("Tabs", false)) fetch(tabs->Image2, "Tabs", "Border");
  generic("StatusBarEdges", true);
  if (auto* pane = generic("Tab.Pane", true)) {
    // The page body keeps thin edges whatever the skin says.
    pane->LeftWidth = std::min(pane->LeftWidth, 4);
    pane->TopHeight = std::min(pane->TopHeight, 4);
    pane->RightWidth = std::min(pane->RightWidth, 4);
    pane->BottomHeight = std::min(pane->BottomHeight, 4);
  }
  generic("ToolBars", true);
  auto* combo = generic.operator()<TDataSkinBorder>("ComboButton", false);
  generic("SunkEdge", true);
  if (combo) {
    // For right-to-left combo boxes.
    skin::CopyBitmap(combo->Image, combo->Image2);
    skin::MirrorHorizontal(combo->Image2);
  }
  generic("ExtraImages", true);
  generic("Headerbar", true);
  generic("MenuItem", true);
  generic("MenuBackground", true);
  generic("Scrollbar", true);
  generic("HorzScroll", true);
  generic("VertScroll", true);
  for (const char* name : {"HorzScrollThumb", "VertScrollThumb"})
    if (auto* thumb = generic(name, true)) thumb->Frames = ini.ReadInteger(name, "FrameCount", 3);
  for (const char* name : {"Trackbar.ThumbHorz", "Trackbar.ThumbVert", "Trackbar.ThumbLeft", "Trackbar.ThumbRight",
                           "Trackbar.ThumbUp", "Trackbar.ThumbDown"})
    generic(name, true);
  for (const char* name : {"UpDown.Horz", "UpDown.Vert"})
    if (auto* ud = generic.operator()<TDataSkinBorder>(name, false)) fetch(ud->Image2, name, "GlyphImage");
  for (const char* name : {"Track", "TRACKVERT"}) {
    if (generic(name, true)) continue;
    // Without a skin image the program's own groove is used.
    auto track = std::make_unique<TDataSkinObject>(name);
    if (!skin::platform::LoadProgramBitmap(name == std::string("Track") ? "TRACK" : "TRACKVERT", track->Image))
      continue;
    track->LeftWidth = track->TopHeight = track->RightWidth = track->BottomHeight = 3;
    track->Tile = 0;
    track->Frames = 1;
    track->NormalColour2 = track->MouseOverColour2 = track->PressedColour2 = text;
    Store(name, std::move(track));
  }
}

void TSkinData::FixFrameCounts() {
  auto set = [&](const char* name, int32_t frames) {
    if (TDataSkinObject* o = Object(name)) o->Frames = frames;
  };
  buttons_->Frames = 5;
  title_->Frames = 2;
  set("MenuBar", 2);
  if (TDataSkinObject* p = Object("Progress")) p->Frames = p->Style != 0 ? 1 : 2;
  set("GroupBoxEdge", 2);
  set("GroupBox", 1);
  set("Tabs", 5);
  set("StatusBarEdges", 3);
  set("Tab.Pane", 1);
  set("ToolBars", 5);
  set("ComboButton", 4);
  set("SunkEdge", 4);
  set("ExtraImages", 5);
  if (TDataSkinObject* h = Object("Headerbar"); h && h->Frames == 0) h->Frames = 5;
  set("MenuItem", 5);
  set("MenuBackground", 1);
  set("Scrollbar", 23);
  set("HorzScroll", 4);
  set("VertScroll", 4);
  for (const char* name : {"Trackbar.ThumbHorz", "Trackbar.ThumbVert", "Trackbar.ThumbLeft", "Trackbar.ThumbRight",
                           "Trackbar.ThumbUp", "Trackbar.ThumbDown"})
    set(name, 5);
  set("UpDown.Horz", 8);
  set("UpDown.Vert", 8);
  // Counts taken from the text must be usable as divisors.
  for (auto& o : objects_) o->Frames = AtLeastOne(o->Frames);
}

// The combo box is drawn from one image per state: the sunken edge with the
// drop-down button (and its arrow) at the right, the inside left open
// (magenta) for the edit part.
void TSkinData::BuildComboComposite() {
  TDataSkinObject* sunk = Object("SunkEdge");
  TDataSkinBorder* combo = ComboButton();
  if (!sunk || !combo) return;
  TDataSkinObject* extra = Object("ExtraImages");
  const int b = skin::platform::HorzScrollArrowWidth() + 2;
  const int f = AtLeastOne(sunk->Frames);
  constexpr int kCellW = 50, kCellH = 21;
  fw::TBitmap strip(kCellW * f, kCellH, kMagenta);
  for (int k = 0; k < f; ++k) {
    fw::TBitmap cell(kCellW, kCellH, kMagenta);
    DrawNineSlice(cell, 0, 0, kCellW, kCellH, *sunk, k);
    DrawNineSlice(cell, kCellW - b, 0, b, kCellH, *combo, k);
    if (extra) DrawNineSlice(cell, kCellW - b, 0, b, kCellH, *extra, k);
    for (int y = 2; y < 18; ++y)
      for (int x = 2; x < kCellW - 1 - b; ++x) cell.SetPixel(x, y, kMagenta);
    for (int y = 0; y < kCellH; ++y)
      for (int x = 0; x < kCellW; ++x) strip.SetPixel(k * kCellW + x, y, cell.Pixel(x, y));
  }
  combo->Image = strip;
  combo->Style = 2;
  combo->Frames = f;
  combo->LeftWidth = 2;
  combo->TopHeight = sunk->TopHeight;
  combo->RightWidth = b + 2;
  combo->BottomHeight = sunk->BottomHeight;
  sunk->Image = strip;
  skin::MirrorHorizontal(sunk->Image);
  sunk->LeftWidth = b + 2;
  sunk->RightWidth = 2;
}

void TSkinData::BuildComboArrow() {
  TDataSkinObject* arrow = Object("ComboxArrow");
  if (!arrow) {
    auto a = std::make_unique<TDataSkinObject>("ComboxArrow");
    a->NormalColour2 = a->MouseOverColour2 = a->PressedColour2 = colours_.ButtonText;
    arrow = a.get();
    Store("ComboxArrow", std::move(a));
  }
  TDataSkinObject* sunk = Object("SunkEdge");
  TDataSkinBorder* combo = ComboButton();
  if (!sunk) {
    if (!combo) return;
    skin::CopyBitmap(combo->Image, arrow->Image);
    skin::ReplaceMagenta(arrow->Image, colours_.ButtonFace);
    arrow->Frames = combo->Frames;
    return;
  }
  if (!combo || combo->Style != 2) return;
  const int f = AtLeastOne(sunk->Frames);
  const int cell = combo->Image.Width() / f;
  fw::TBitmap img(17 * f, 17);
  for (int i = 0; i < f; ++i) {
    int x = (i + 1) * cell;
    for (int y = 0; y < 17; ++y)
      for (int dx = 0; dx < 17; ++dx) img.SetPixel(17 * i + dx, y, combo->Image.Pixel(x - 19 + dx, 2 + y));
  }
  arrow->Image = img;
  arrow->Frames = f;
}

void TSkinData::BuildToolbarBackground() {
  const fw::TBitmap& top = top_->Image;
  top_sample_ = colours_.ButtonFace;
  if (!top.Empty()) {
    int frames = AtLeastOne(top_->Frames);
    top_sample_ = top.Pixel(top.Width() / 3, (top.Height() / frames) / 3) & 0xFFFFFF;
  }
  fw::TColor c1 = skin::MixColors(colours_.ButtonFace, fw::clWhite, 150);
  fw::TColor c2 = skin::MixColors(fw::RGBColor(128, 128, 128), top_sample_, 150);
  int s = skin::ColorSaturation(top_sample_);
  if (s > 110) c2 = skin::MixColors(top_sample_, fw::clWhite, (5625 - 25 * s) / 140 + 50);
  auto bar = std::make_unique<TDataSkinObject>("Toolbar");
  bar->Image.SetSize(10, 40);
  skin::GradientFill(bar->Image, fw::TRect{0, 0, 10, 40}, c1, true, c2);
  bar->Frames = 1;
  bar->NormalColour2 = bar->MouseOverColour2 = bar->PressedColour2 = colours_.ButtonText;
  Store("Toolbar", std::move(bar));
}
