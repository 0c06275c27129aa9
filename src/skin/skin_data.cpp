#include "skin/skin_data.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "framework/forms.h"
#include "skin/skin_manager_iface.h"
#include "skin/skin_platform.h"
#include "text/ascii.h"

using text::EqualNoCase;

TSkinControls TSkinData::DefaultSkinControls() {
  TSkinControls set;
  for (int m = xcMainMenu; m <= xcFastReport; ++m) set.Include(TSkinControlType(m));
  set.Exclude(xcMenuItem);
  set.Exclude(xcFastReport);
  return set;
}

std::vector<std::string> TSkinData::DefaultSkin3rd() {
  return {
      "TCategoryButtons=scrollbar", "TPngBitBtn=pngbitbtn", "TVirtualStringTree=scrollbar",
      "TVirtualDrawTree=scrollbar", "TTBXDockablePanel=Panel", "TAdvPanelGroup=Panel", "TComboboxex=combobox",
      "TRxSpeedButton=speedbutton", "THTMLViewer=scrollbar", "TDBCtrlGrid=scrollbar", "TfrSpeedButton=speedbutton",
      "TfrTBButton=speedbutton", "TControlBar=Panel", "TTBDock=Panel", "TTBToolbar=Panel",
      "TImageEnMView=scrollbar", "TImageEnView=scrollbar", "TAdvMemo=scrollbar", "TDBAdvMemo=scrollbar",
      "TcxDBLookupComboBox=combobox", "TcxDBComboBox=combobox", "TcxDBDateEdit=combobox",
      "TcxDBImageComboBox=combobox", "TcxDBCalcEdit=Edit", "TcxDBBlobEdit=Edit", "TcxDBPopupEdit=Edit",
      "TcxDBFontNameComboBox=combobox", "TcxDBShellComboBox=combobox", "TRxLookupEdit=combobox",
      "TRxDBLookupCombo=combobox", "TRzGroup=scrollbar", "TRzButton=button", "TRzBitbtn=bitbtn",
      "TRzMenuButton=menubtn", "TRzCheckGroup=CheckGroup", "TRzRadioGroup=radiogroup", "TRzButtonEdit=Edit",
      "TRzDBRadioGroup=radiogroup", "TRzDBRadioButton=Radiobutton", "TRzDateTimeEdit=combobox",
      "TRzColorEdit=combobox", "TRzDateTimePicker=combobox", "TRzDBDateTimeEdit=combobox",
      "TRzDbColorEdit=combobox", "TRzDBDateTimePicker=combobox", "TLMDButton=bitbtn", "TLMDGroupBox=Groupbox",
      "TDBCheckboxEh=Checkbox", "TDBCheckboxEh=Checkbox", "TLMDCHECKBOX=Checkbox", "TLMDDBCHECKBOX=Checkbox",
      "TLMDRadiobutton=Radiobutton", "TLMDCalculator=Panel", "TLMDGROUPBOX=groupbox", "TLMDSIMPLEPANEL=Panel",
      "TLMDDBCalendar=Panel", "TLMDButtonPanel=Panel", "TLMDLMDCalculator=Panel", "TLMDHeaderPanel=Panel",
      "TLMDTechnicalLine=Panel", "TLMDLMDClock=Panel", "TLMDTrackbar=Panel", "TLMDListCombobox=combobox",
      "TLMDCheckListCombobox=combobox", "TLMDHeaderListCombobox=combobox", "TLMDImageCombobox=combobox",
      "TLMDColorCombobox=combobox", "TLMDFontCombobox=combobox", "TLMDFontSizeCombobox=combobox",
      "TLMDFontSizeCombobox=combobox", "TLMDPrinterCombobox=combobox", "TLMDDriveCombobox=combobox",
      "TLMDCalculatorComboBox=combobox", "TLMDTrackBarComboBox=combobox", "TLMDCalendarComboBox=combobox",
      "TLMDTreeComboBox=combobox", "TLMDRADIOGROUP=radiogroup", "TLMDCheckGroup=CheckGroup",
      "TLMDDBRADIOGROUP=radiogroup", "TLMDDBCheckGroup=CheckGroup", "TLMDCalculatorEdit=Edit", "TLMDEDIT=Edit",
      "TLMDMASKEDIT=Edit", "TLMDBROWSEEDIT=Edit", "TLMDEXTSPINEDIT=Edit", "TLMDCALENDAREDIT=Edit",
      "TLMDFILEOPENEDIT=Edit", "TLMDFILESAVEEDIT=Edit", "TLMDCOLOREDIT=combobox", "TLMDDBEDIT=Edit",
      "TLMDDBMASKEDIT=Edit", "TLMDDBEXTSPINEDIT=Edit", "TLMDDBSPINEDIT=Edit", "TLMDDBEDITDBLookup=combobox",
      "TLMDEDITDBLookup=combobox", "TDBLookupCombobox=combobox", "TWWDBCombobox=combobox",
      "TWWDBLookupCombo=combobox", "TWWDBCombobox=combobox", "TWWKeyCombo=combobox", "TWWTempKeyCombo=combobox",
      "TWWDBDateTimePicker=combobox", "TWWRADIOGROUP=radiogroup", "TWWDBEDIT=Edit", "TcxButton=bitbtn",
      "TcxDBRadioGroup=radiogroup", "TcxRadioGroup=radiogroup", "TcxGroupbox=Panel", "TOVCPICTUREFIELD=Edit",
      "TOVCDBPICTUREFIELD=Edit", "TOVCSLIDEREDIT=Edit", "TOVCDBSLIDEREDIT=Edit", "TOVCSIMPLEFIELD=Edit",
      "TOVCDBSIMPLEFIELD=Edit", "TO32DBFLEXEDIT=Edit", "TOVCNUMERICFIELD=Edit", "TOVCDBNUMERICFIELD=Edit",
  };
}

TSkinData::TSkinData(fw::TComponent* owner) : fw::TComponent(owner) {
  buttons_ = std::make_unique<TDataSkinButton>("Buttons");
  left_ = std::make_unique<TDataSkinBorder>("Left");
  right_ = std::make_unique<TDataSkinBorder>("Right");
  top_ = std::make_unique<TDataSkinBorder>("Top");
  bottom_ = std::make_unique<TDataSkinBorder>("Bottom");
  title_ = std::make_unique<TDataSkinTitle>("Title");
  face_brush_.Color = fw::ColorToRGB(fw::clBtnFace);
  // The menu painter's system-menu glyphs; the program may lack them.
  skin::platform::LoadProgramBitmap("TESSERAMENU", glyphs_.Strip);
  glyphs_.MaskColor = fw::clWhite;
  skin::platform::MaximizedSize(max_width_, max_height_);
}

TSkinData::~TSkinData() {
  if (skin::ISkinManager* m = skin::SkinManager()) m->UnregisterSkinData(this);
}

void TSkinData::Store(const std::string& name, std::unique_ptr<TDataSkinObject> obj) {
  auto it = std::find_if(objects_.begin(), objects_.end(), [&](const auto& o) { return EqualNoCase(o->Name, name); });
  if (it != objects_.end()) {
    if (obj) *it = std::move(obj);
    else objects_.erase(it);
  } else if (obj) {
    objects_.push_back(std::move(obj));
  }
}

TDataSkinObject* TSkinData::Object(const std::string& name) const {
  for (const auto& o : objects_)
    if (EqualNoCase(o->Name, name)) return o.get();
  return nullptr;
}

std::vector<std::string> TSkinData::ObjectNames() const {
  std::vector<std::string> names;
  for (const auto& o : objects_) names.push_back(o->Name);
  return names;
}

std::string TSkinData::SkinStore() const { return Designing && !stored_.empty() ? "(Good)" : "(none)"; }

void TSkinData::WriteSkinStream(std::vector<uint8_t>& out) const {
  uint32_t n = uint32_t(stored_.size());
  uint8_t count[4] = {uint8_t(n), uint8_t(n >> 8), uint8_t(n >> 16), uint8_t(n >> 24)};
  out.assign(count, count + 4);
  out.insert(out.end(), stored_.begin(), stored_.end());
}

void TSkinData::ReadSkinStream(std::span<const uint8_t> data) {
  if (data.size() < 4) throw fw::Exception("Skin stream too short for its count");
  int32_t count = int32_t(uint32_t(data[0]) | uint32_t(data[1]) << 8 | uint32_t(data[2]) << 16 | uint32_t(data[3]) << 24);
  if (count <= 0) return;
  if (size_t(count) > data.size() - 4) throw fw::Exception("Skin stream shorter than its count");
  stored_.assign(data.begin() + 4, data.begin() + 4 + count);
  if (!Designing) LoadSkin();
}

void TSkinData::LoadSkinFromStream(const uint8_t* data, size_t size) {
  if (data && size) stored_.assign(data, data + size);
  else stored_.clear();
  LoadSkin();
  if (SkinFormtype == sfMainform) ApplySkin();
}

void TSkinData::SetSkinFile(const std::string& file_name) {
  loaded_ = false;
  skin_file_ = file_name;
  if (Designing) {
    if (!file_name.empty() && !stored_.empty()) stored_.clear();
    return;
  }
  std::error_code ec;
  if (file_name.empty() || !std::filesystem::is_regular_file(file_name, ec)) return;
  std::ifstream f(file_name, std::ios::binary);
  if (!f) return;
  stored_.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
  LoadSkin();
  ApplySkin();
}

skin::ISkinManager& TSkinData::Manager() {
  if (!skin::SkinManager()) AfterLoad();
  return skin::EnsureSkinManager();
}

void TSkinData::ApplySkin() {
  if (Designing || Loading) return;
  skin::ISkinManager& m = Manager();
  m.SetPendingSkinData(this);
  m.ReloadSkinImages();
  if (m.StartedState() != skin::kNotStarted) m.PostCommand(skin::kSkinChanged, skin::kCommandDelayMs);
}

void TSkinData::SetActive(bool value) {
  if (value == active_) return;
  active_ = value;
  if (Designing || Loading) return;
  switch (SkinFormtype) {
    case sfMainform: {
      if (value && !loaded_) return;
      skin::ISkinManager& m = Manager();
      m.SetPendingSkinData(this);
      if (value) {
        m.PostCommand(skin::kSkinAll, skin::kCommandDelayMs);
        if (m.StartedState() == skin::kNotStarted) m.SetStartedState(skin::kRunning);
      } else {
        m.PostCommand(skin::kUnskinAll, skin::kCommandDelayMs);
      }
      break;
    }
    case sfOnlyThisForm: {
      skin::ISkinManager& m = Manager();
      m.SetPendingSkinData(this);
      if (value && !loaded_) return;
      m.PostCommand(value ? skin::kSkinAll : skin::kUnskinAll, skin::kCommandDelayMs);
      break;
    }
    case sfDialog:
    case sfDLL:
      break;
  }
}

void TSkinData::AfterLoad() {
  Loading = false;
  if (Designing) return;
  if (!skin::platform::ScrollBarInfoAvailable()) SkinControls.Exclude(xcScrollbar);
  skin::ISkinManager& m = skin::EnsureSkinManager();
  m.RegisterSkinData(this);
  caption_font_ = skin::platform::CaptionFont();
  if (SkinFormtype != sfMainform) {
    m.SetActive(true);
    if (m.StartedState() == skin::kNotStarted) m.SetStartedState(skin::kRunning);
    if (auto* form = dynamic_cast<fw::TForm*>(Owner()); form && active_) m.SkinForm(form);
    return;
  }
  m.InstallHook();
  if (active_) {
    if (!loaded_) {
      active_ = false;
    } else {
      // The command runs on behalf of this component.
      m.SetPendingSkinData(this);
      m.PostCommand(skin::kSkinAll, skin::kCommandDelayMs);
    }
  }
  if (SkinControls.Contains(xcMainMenu)) SkinControls.Exclude(xcMenuItem);
  else SkinControls.Exclude(xcSystemMenu);
  icon_bitmap_ = skin::platform::ApplicationIconBitmap();
  icon_bitmap_.Transparent = true;
  icon_bitmap_.TransparentColor = 0xFF00FF;
}

bool TSkinData::FormFilter(void* window, const std::string& class_name, bool do_skin) {
  filter_window_ = window;
  if (OnFormSkin) {
    OnFormSkin(this, class_name, do_skin);
    return do_skin;
  }
  if (class_name == "SysMonthCal32") return false;
  if (SkinControls.Contains(xcFastReport) && class_name.rfind("Tfr", 0) == 0) return false;
  return do_skin;
}

void TSkinData::SkinChanged() {
  if (OnSkinChanged) OnSkinChanged(this);
}
