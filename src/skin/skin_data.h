// TSkinData: the skin component. It keeps a compressed skin, turns it into
// skin objects and a colour table, and switches the skinning of the
// program's windows on and off through the skin manager. The frame,
// control, menu and caption painters read everything they draw from it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "framework/component.h"
#include "framework/graphics.h"
#include "skin/skin_objects.h"

namespace fw {
class TControl;
}
namespace skin {
class ISkinManager;
class TQuickIni;
class TSkinReader;
}  // namespace skin

enum TSkinControlType : int {
  xcMainMenu, xcPopupMenu, xcMenuItem, xcToolbar, xcControlbar, xcCombo, xcCheckBox, xcRadioButton,
  xcProgress, xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton, xcSpin, xcPanel, xcGroupBox,
  xcStatusBar, xcTab, xcTrackBar, xcSystemMenu, xcFastReport
};

enum TSkinOption : int {
  xoMDIScrollbar, xoMenuMerge, xoTransparent, xoPreview, xoParentBackGround, xoNoFocusRect,
  xoToolbarBK, xoMDIChildBorder, xoMenuBG, xoFormScrollbar
};

enum TSkinFormType : int { sfMainform, sfOnlyThisForm, sfDialog, sfDLL };

// A set of enumeration members (at most 32).
template <typename E>
class TSkinSet {
 public:
  constexpr TSkinSet() = default;
  constexpr TSkinSet(std::initializer_list<E> members) {
    for (E m : members) Include(m);
  }
  constexpr bool Contains(E m) const { return (bits_ >> unsigned(m)) & 1u; }
  constexpr void Include(E m) { bits_ |= 1u << unsigned(m); }
  constexpr void Exclude(E m) { bits_ &= ~(1u << unsigned(m)); }
  constexpr uint32_t Bits() const { return bits_; }
  constexpr bool operator==(const TSkinSet&) const = default;

 private:
  uint32_t bits_ = 0;
};

using TSkinControls = TSkinSet<TSkinControlType>;
using TSkinOptions = TSkinSet<TSkinOption>;

// The skin's colour table, as plain colours.
struct TSkinColours {
  fw::TColor WindowText = 0, ButtonFace = 0, Scrollbar = 0, HilightText = 0, Hilight = 0, Menubar = 0,
             Menu = 0, MenuText = 0, ButtonText = 0, ButtonHilight = 0, Buttonlight = 0, ButtonShadow = 0,
             ButtonDkShadow = 0, MenuBarText = 0, TitleTextActive = 0, TitleTextNoActive = 0;
};

// A strip of 16 x 16 glyphs with a mask colour.
struct TSkinGlyphList {
  fw::TBitmap Strip;
  fw::TColor MaskColor = fw::clWhite;
  int Count() const { return Strip.Width() / 16; }
};

using TOnFormSkin = std::function<void(fw::TObject* sender, const std::string& name, bool& do_skin)>;
using TOnSkinControl = std::function<void(fw::TComponent* sender, class TSkinData* skin_data, fw::TControl* form,
                                          fw::TControl* control, const std::string& control_class,
                                          fw::TComponent*& skinned_control)>;
using TOnSkinForm = std::function<void(fw::TObject* sender, void* window, const std::string& name)>;

class TSkinData : public fw::TComponent {
 public:
  explicit TSkinData(fw::TComponent* owner);
  ~TSkinData() override;
  const char* ClassName() const override { return "TSkinData"; }

  // ---- published properties ----
  bool Active() const { return active_; }
  void SetActive(bool value);
  intptr_t DisableTag = 99;
  TSkinControls SkinControls = DefaultSkinControls();
  TSkinOptions Options{xoPreview, xoToolbarBK};
  // Class map for controls of other libraries: "ClassName=kind" lines.
  std::vector<std::string> Skin3rd = DefaultSkin3rd();
  const std::string& SkinFile() const { return skin_file_; }
  void SetSkinFile(const std::string& file_name);
  // "(Good)" at design time when compressed bytes are stored, else "(none)".
  std::string SkinStore() const;
  void SetSkinStore(const std::string&) {}
  TSkinFormType SkinFormtype = sfMainform;
  std::string Version() const { return "4.11.07.25"; }
  void SetVersion(const std::string&) {}
  bool MenuUpdate = true;
  bool MenuMerge = false;

  TOnFormSkin OnFormSkin;
  fw::TNotifyEvent OnSkinChanged;
  TOnSkinControl OnSkinControl;
  TOnSkinForm OnBeforeSkinForm;
  TOnSkinForm OnAfterSkinForm;

  static TSkinControls DefaultSkinControls();
  static std::vector<std::string> DefaultSkin3rd();

  // ---- the stored skin ----
  // SkinStream as stored with a form: a 32-bit little-endian count and that
  // many compressed bytes.
  void WriteSkinStream(std::vector<uint8_t>& out) const;
  // Reads it back; a count above 0 stores the bytes and, at run time, loads
  // them. Raises fw::Exception when the data is shorter than it says.
  void ReadSkinStream(std::span<const uint8_t> data);
  const std::vector<uint8_t>& StoredSkin() const { return stored_; }

  // Copies a compressed skin, loads it, and (for the main form's component)
  // applies it. Raises skin::ElzhException or skin::ESkinError when the skin
  // is damaged; a skin of another version is refused with a message and
  // leaves the component without a skin.
  void LoadSkinFromStream(const uint8_t* data, size_t size);
  void LoadSkinFromStream(std::span<const uint8_t> data) { LoadSkinFromStream(data.data(), data.size()); }
  // Builds the skin objects from the stored bytes. False when the container
  // is refused (the previous objects then stay as they were).
  bool LoadSkin();
  // Hands the loaded skin to the manager.
  void ApplySkin();
  // Run once the owner has set all properties: creates and registers with
  // the skin manager and prepares the caption font and icon.
  void AfterLoad();
  // Whether the window of the given class may be skinned; do_skin is the
  // caller's answer so far.
  bool FormFilter(void* window, const std::string& class_name, bool do_skin);
  // Raised by the manager after each command.
  void SkinChanged();

  // ---- component state ----
  // Design time (no windows are skinned then); false in the program.
  bool Designing = false;
  // True while the owner is still setting properties; AfterLoad clears it.
  bool Loading = false;

  // ---- what the painters read ----
  bool SkinLoaded() const { return loaded_; }
  const std::string& SkinName() const { return skin_name_; }
  const TSkinColours& Colours() const { return colours_; }
  const std::vector<fw::TColor>& FontColours() const { return font_colours_; }
  const std::array<fw::TColor, 10>& CustomColours() const { return custom_colours_; }
  fw::TColor TopSampleColour() const { return top_sample_; }
  const fw::TBrush& ButtonFaceBrush() const { return face_brush_; }
  const fw::TFont& CaptionFont() const { return caption_font_; }
  const fw::TBitmap& IconBitmap() const { return icon_bitmap_; }
  fw::TBitmap& IconBitmap() { return icon_bitmap_; }
  const TSkinGlyphList& GlyphList() const { return glyphs_; }
  int MaxWidth() const { return max_width_; }
  int MaxHeight() const { return max_height_; }
  // The window handle last given to FormFilter.
  void* FilterWindow() const { return filter_window_; }

  TDataSkinButton* Buttons() const { return buttons_.get(); }
  TDataSkinBorder* Left() const { return left_.get(); }
  TDataSkinBorder* Right() const { return right_.get(); }
  TDataSkinBorder* Top() const { return top_.get(); }
  TDataSkinBorder* Bottom() const { return bottom_.get(); }
  TDataSkinTitle* Title() const { return title_.get(); }
  // Caption buttons of the skin, in file order, then the three MDI buttons.
  const std::vector<std::unique_ptr<TDataSkinSysButton>>& SysButtons() const { return sys_buttons_; }
  // The other objects by the name of their section ("Progress.Chunk",
  // "SunkEdge", "Trackbar.ThumbHorz", ...), ignoring letter case; nullptr
  // when the skin has none. The menu bar is "MenuBar", the derived combo
  // arrow "ComboxArrow" and the tool bar background "Toolbar".
  TDataSkinObject* Object(const std::string& name) const;
  // Object names in the order the objects were built.
  std::vector<std::string> ObjectNames() const;
  TDataSkinObject* MenuBar() const { return Object("MenuBar"); }
  TDataSkinBorder* Progress() const { return dynamic_cast<TDataSkinBorder*>(Object("Progress")); }
  TDataSkinBoxLabel* GroupBox() const { return dynamic_cast<TDataSkinBoxLabel*>(Object("GroupBox")); }
  TDataSkinBorder* Tabs() const { return dynamic_cast<TDataSkinBorder*>(Object("Tabs")); }
  TDataSkinBorder* ComboButton() const { return dynamic_cast<TDataSkinBorder*>(Object("ComboButton")); }
  TDataSkinBorder* UpDownHorz() const { return dynamic_cast<TDataSkinBorder*>(Object("UpDown.Horz")); }
  TDataSkinBorder* UpDownVert() const { return dynamic_cast<TDataSkinBorder*>(Object("UpDown.Vert")); }

 private:
  // The skin manager; created (by running AfterLoad) when there is none.
  skin::ISkinManager& Manager();
  // The load, step by step (skin_parse.cpp).
  void ParseSkin(const skin::TQuickIni& ini, const skin::TSkinReader& reader);
  void ParseBorders(const skin::TQuickIni& ini, const skin::TSkinReader& reader);
  void ParseColours(const skin::TQuickIni& ini);
  void ParseCaptionButtons(const skin::TQuickIni& ini, const skin::TSkinReader& reader);
  void ParseMdiButtons(const skin::TQuickIni& ini, const skin::TSkinReader& reader);
  void ParseObjects(const skin::TQuickIni& ini, const skin::TSkinReader& reader);
  void FixFrameCounts();
  void BuildComboComposite();
  void BuildComboArrow();
  void BuildToolbarBackground();

  // Replaces the object of obj's name (or adds it); a null obj removes it.
  void Store(const std::string& name, std::unique_ptr<TDataSkinObject> obj);
  std::vector<std::unique_ptr<TDataSkinObject>> objects_;

  bool active_ = false;
  bool loaded_ = false;
  std::string skin_file_;
  std::vector<uint8_t> stored_;

  std::string skin_name_;
  TSkinColours colours_;
  std::vector<fw::TColor> font_colours_;
  std::array<fw::TColor, 10> custom_colours_{};
  fw::TColor top_sample_ = 0;
  fw::TBrush face_brush_;
  fw::TFont caption_font_;
  fw::TBitmap icon_bitmap_;
  TSkinGlyphList glyphs_;
  int max_width_ = 0, max_height_ = 0;
  void* filter_window_ = nullptr;

  std::unique_ptr<TDataSkinButton> buttons_;
  std::unique_ptr<TDataSkinBorder> left_, right_, top_, bottom_;
  std::unique_ptr<TDataSkinTitle> title_;
  std::vector<std::unique_ptr<TDataSkinSysButton>> sys_buttons_;
};
