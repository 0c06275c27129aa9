#include "ini_text.h"

#include <initializer_list>
#include <string>
#include <utility>

#include "design.h"

namespace sb {

namespace {

using Pairs = std::initializer_list<std::pair<const char*, std::string>>;

std::string ColourText(TColor c) {
  return std::to_string(fw::GetRValue(c)) + "," + std::to_string(fw::GetGValue(c)) + "," +
         std::to_string(fw::GetBValue(c));
}

class IniWriter {
 public:
  void Comment(const std::string& text) { Line("; " + text); }
  void Section(const std::string& name) {
    if (!text_.empty()) Line("");
    Line("[" + name + "]");
  }
  void Key(const std::string& key, const std::string& value) { Line(key + "=" + value); }
  void Key(const std::string& key, int value) { Key(key, std::to_string(value)); }
  void Keys(Pairs pairs) {
    for (const auto& [k, v] : pairs) Key(k, v);
  }
  // The keys every image section shares. frame < 0 leaves the Frame key out
  // (sections whose frame count is fixed by their kind).
  void Generic(const std::string& image, int style, int l, int t, int r, int b, int frame, int trans, int tile,
               TColor text = design::kText) {
    Key("Image", image);
    Key("Style", style);
    Key("LeftWidth", l);
    Key("TopHeight", t);
    Key("RightWidth", r);
    Key("BottomHeight", b);
    if (frame >= 0) Key("Frame", frame);
    Key("Trans", trans);
    Key("Tile", tile);
    Key("NormalColour", -1);
    Key("MouseOverColour", -1);
    Key("PressedColour", -1);
    Key("NormalColour2", ColourText(text));
    Key("MouseOverColour2", ColourText(text));
    Key("PressedColour2", ColourText(text));
  }
  const std::string& Text() const { return text_; }

 private:
  void Line(const std::string& s) { text_ += s + "\r\n"; }
  std::string text_;
};

void Border(IniWriter& w, const std::string& name, const std::string& image, int top, int bottom, int trans) {
  w.Key(name, image);
  w.Key(name + "TopHeight", top);
  w.Key(name + "BotHeight", bottom);
  w.Key(name + "Frame", 2);
  w.Key(name + "Stretch", 1);
  w.Key(name + "Trans", trans);
}

void CaptionButton(IniWriter& w, const std::string& section, int action, int align, int x, int y, int vis, int vis1,
                   int frame, const std::string& image) {
  w.Section(section);
  w.Key("Action", action);
  w.Key("Align", align);
  w.Key("Xcoord", x);
  w.Key("Ycoord", y);
  w.Key("Visibility", vis);
  w.Key("Visibility1", vis1);
  w.Key("CombineOp", -1);
  w.Key("frame", frame);
  w.Key("ButtonImage", image);
}

}  // namespace

std::string SkinIniText() {
  using namespace design;
  IniWriter w;
  w.Comment("Built-in skin of the configurator: light surfaces, one blue accent.");
  w.Comment("Colours are red,green,blue; frames of a strip lie side by side");
  w.Comment("(stacked for the top and bottom borders and the menu bar).");

  w.Section("TitlebarSkin");
  w.Key("SkinName", "Clear Light");

  w.Section("Personality");
  Border(w, "Left", "left.bmp", kCaption + 1, kSide, 1);
  Border(w, "Right", "right.bmp", kCaption + 1, kSide, 1);
  Border(w, "Top", "top.bmp", 10, 10, 1);
  Border(w, "Bottom", "bottom.bmp", kSide, kSide, 0);
  w.Keys({{"TextBack", ""},
          {"TextShift", "30"},
          {"TextShiftVert", "0"},
          {"TextRightClip", "100"},
          {"TextAlignment", "0"},
          {"Textbackground", "0"},
          {"TXTBackleft", "0"},
          {"TXTBackRight", "0"}});
  w.Key("ActiveTextR", fw::GetRValue(kTitleText));
  w.Key("ActiveTextG", fw::GetGValue(kTitleText));
  w.Key("ActiveTextB", fw::GetBValue(kTitleText));
  w.Key("InActiveTextR", fw::GetRValue(kTitleTextInactive));
  w.Key("InActiveTextG", fw::GetGValue(kTitleTextInactive));
  w.Key("InActiveTextB", fw::GetBValue(kTitleTextInactive));
  w.Keys({{"menuBar", "menubar.bmp"}, {"TileMenu", "1"}, {"TileLeftMenu", "2"}, {"TileRightMenu", "2"}});

  w.Section("Fonts");
  w.Key("FontHeight", 14);

  w.Section("Colours");
  w.Keys({{"WindowText", ColourText(kText)},
          {"ButtonFace", ColourText(kFace)},
          {"Scrollbar", ColourText(Rgb(238, 241, 249))},
          {"HilightText", ColourText(kWhite)},
          {"Hilight", ColourText(kAccent)},
          {"Menubar", ColourText(kFaceLight)},
          {"Menu", ColourText(kPanel)},
          {"MenuText", ColourText(kText)},
          {"ButtonText", ColourText(kText)},
          {"ButtonHilight", ColourText(kWhite)},
          {"Buttonlight", ColourText(Rgb(236, 240, 250))},
          {"ButtonShadow", ColourText(kLine)},
          {"ButtonDkShadow", ColourText(kDkShadow)},
          {"MenuBarText", ColourText(kText)},
          {"TitleTextActive", ColourText(kTitleText)},
          {"TitleTextNoActive", ColourText(kTitleTextInactive)}});

  // Text colours for captions and labels, in order of use.
  w.Section("Colour.Caption");
  w.Key("color", ColourText(kTitleText));
  w.Section("Colour.Label");
  w.Key("color", ColourText(kText));
  w.Section("Colour.Link");
  w.Key("color", ColourText(kAccent));

  w.Section("Customcolors");
  const TColor custom[10] = {kAccent,     kAccentDark, kAccentSoft, kFace,  kFaceLight,
                             kPanel,      kLine,       kLineSoft,   kClose, kText};
  for (int i = 0; i < 10; ++i) w.Key("Color" + std::to_string(i), ColourText(custom[i]));

  w.Section("Buttons");
  w.Keys({{"Bitmap", "buttons.bmp"},
          {"CheckButton", "checkbox.bmp"},
          {"RadioButton", "radio.bmp"},
          {"LeftWidth", "5"},
          {"TopHeight", "5"},
          {"RightWidth", "5"},
          {"BottomHeight", "5"},
          {"Trans", "1"},
          {"Tile", "0"},
          {"NormalColour", "-1"},
          {"MouseOverColour", "-1"},
          {"PressedColour", "-1"},
          {"NormalColour2", ColourText(kText)},
          {"MouseOverColour2", ColourText(kAccentDark)},
          {"PressedColour2", ColourText(Darken(kAccentDark, 0.3))},
          {"RadioButtonFrame", "0"},
          {"CheckButtonFrame", "0"}});

  // Caption buttons, right-aligned from the window's right edge; maximize
  // and restore share a place and take turns with the window state.
  constexpr int step = kCapButtonW + 2;
  constexpr int first = kSide + 2 + kCapButtonW;
  CaptionButton(w, "Button.SysMenu", 3, 0, 8, 6, 0, 0, 1, "sysicon.bmp");
  CaptionButton(w, "Button.Close", 0, 1, first, kCapButtonY, 0, 0, 0, "close.bmp");
  CaptionButton(w, "Button.Maximize", 1, 1, first + step, kCapButtonY, 2, 6, 0, "maximize.bmp");
  CaptionButton(w, "Button.Restore", 1, 1, first + step, kCapButtonY, 1, 6, 0, "restore.bmp");
  CaptionButton(w, "Button.Minimize", 2, 1, first + 2 * step, kCapButtonY, 0, 8, 0, "minimize.bmp");

  w.Section("MDICONTROLS");
  w.Key("Image", "mdicontrols.bmp");

  w.Section("Progress");
  w.Keys({{"Bitmap", "progress.bmp"},
          {"Style", "0"},
          {"LeftWidth", "4"},
          {"TopHeight", "4"},
          {"RightWidth", "4"},
          {"BottomHeight", "4"},
          {"Trans", "1"},
          {"Tile", "1"}});
  w.Section("Progress.Chunk");
  w.Generic("progresschunk.bmp", 0, 3, 2, 3, 2, 1, 1, 0);

  w.Section("GroupBoxEdge");
  w.Generic("groupedge.bmp", 0, 5, 5, 5, 5, 2, 1, 0);
  w.Section("GroupBox");
  w.Generic("grouplabel.bmp", 0, 6, 6, 6, 6, 1, 1, 0);
  w.Keys({{"BackgroundAlignment", "0"}, {"BackgroundLeftShift", "4"}, {"BackgroundRightShift", "4"}});

  w.Section("Tabs");
  w.Generic("tabs.bmp", 0, 4, 6, 4, 2, -1, 1, 0);
  w.Key("Border", "");
  w.Section("Tab.Pane");
  w.Generic("tabpane.bmp", 0, 4, 4, 4, 4, 1, 0, 0);

  w.Section("StatusBarEdges");
  w.Generic("statusbar.bmp", 0, 2, 2, 2, 2, 3, 0, 0);
  w.Section("ToolBars");
  w.Generic("bar.bmp", 0, 3, 3, 3, 3, 5, 0, 0);
  w.Section("Headerbar");
  w.Generic("bar.bmp", 0, 3, 3, 3, 3, 5, 0, 0);

  w.Section("SunkEdge");
  w.Generic("sunkedge.bmp", 0, 3, 3, 3, 3, 4, 1, 0);
  w.Section("ComboButton");
  w.Generic("combobutton.bmp", 0, 3, 3, 3, 3, -1, 1, 0);
  w.Section("ExtraImages");
  w.Generic("extraimages.bmp", 0, 0, 0, 0, 0, 5, 1, 0);

  w.Section("MenuItem");
  w.Generic("menuitem.bmp", 0, 4, 4, 4, 4, 5, 1, 0);
  w.Section("MenuBackground");
  w.Generic("menubg.bmp", 0, 3, 3, 3, 3, 1, 0, 0);

  w.Section("Scrollbar");
  w.Generic("scrollbar.bmp", 0, 0, 0, 0, 0, 23, 0, 0);
  w.Section("HorzScroll");
  w.Generic("hscroll.bmp", 0, 2, 2, 2, 2, 4, 0, 0);
  w.Section("VertScroll");
  w.Generic("vscroll.bmp", 0, 2, 2, 2, 2, 4, 0, 0);
  w.Section("HorzScrollThumb");
  w.Generic("hthumb.bmp", 0, 6, 0, 6, 0, 3, 1, 0);
  w.Key("FrameCount", 3);
  w.Section("VertScrollThumb");
  w.Generic("vthumb.bmp", 0, 0, 6, 0, 6, 3, 1, 0);
  w.Key("FrameCount", 3);

  const std::pair<const char*, const char*> thumbs[] = {
      {"Trackbar.ThumbHorz", "thumbdown.bmp"}, {"Trackbar.ThumbVert", "thumbright.bmp"},
      {"Trackbar.ThumbLeft", "thumbleft.bmp"}, {"Trackbar.ThumbRight", "thumbright.bmp"},
      {"Trackbar.ThumbUp", "thumbup.bmp"},     {"Trackbar.ThumbDown", "thumbdown.bmp"}};
  for (const auto& [section, image] : thumbs) {
    w.Section(section);
    w.Generic(image, 0, 0, 0, 0, 0, 5, 1, 0);
  }

  w.Section("UpDown.Horz");
  w.Generic("updownh.bmp", 0, 3, 3, 3, 3, -1, 1, 0);
  w.Key("GlyphImage", "");
  w.Section("UpDown.Vert");
  w.Generic("updownv.bmp", 0, 3, 3, 3, 3, -1, 1, 0);
  w.Key("GlyphImage", "");

  w.Section("Track");
  w.Generic("track.bmp", 0, 3, 2, 3, 2, 1, 1, 0);
  w.Section("TRACKVERT");
  w.Generic("trackvert.bmp", 0, 2, 3, 2, 3, 1, 1, 0);
  return w.Text();
}

}  // namespace sb
