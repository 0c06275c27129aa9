// Which control gets which control skin. For a framework form the frame
// walks the form's controls and classifies each (the skin data's filters,
// its class map for controls of other libraries, then the framework's own
// classes); for a foreign window (a system dialog) it classifies the child
// windows by their window class and style. The decisions are portable; the
// window layer attaches the skins.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TSkinData;
namespace fw {
class TComponent;
class TControl;
class TForm;
class TWinControl;
}  // namespace fw

namespace skin {

enum class SkinKind {
  None,            // left with its own look
  Button,          // push button
  CheckBox,
  RadioButton,
  Combo,
  Edit,            // a framework edit
  EditByHandle,    // an edit-like control reached only by its window
  GroupBox,
  Box,             // panel, navigator, embedded form: the form colour, no hook
  StatusBar,
  SizeGrip,
  NestedDialog,    // a dialog inside a dialog: its background
  FormColourOnly,  // a foreign panel's framework control takes the form colour
  Progress,
  Tab,
  TrackBar,
  UpDown,
  ScrollBar,
  SingleScrollBar,
  EmbedScrollBar,
  DateTime,
  MediaPlayer,
  BitButton,
  PngBitButton,
  MenuButton,
  SpeedButton,
  AdvPage,
  ObjImage1,       // image check and radio boxes of other libraries
  ObjImage2,
  ObjImage3,
};

// What the classification needs of the window layer.
class IControlSkinner {
 public:
  virtual ~IControlSkinner() = default;
  // The control has a control skin already (registered with the frame, or
  // its window answers the skinned query).
  virtual bool HasControlSkin(fw::TControl& c) = 0;
  // Makes the control's window; false when that fails.
  virtual bool EnsureHandle(fw::TWinControl& c) = 0;
  // The control's window has a border (its client area is smaller than
  // the window).
  virtual bool HasBorder(fw::TWinControl& c) = 0;
  // Attaches a control skin of the kind.
  virtual void Attach(fw::TControl& c, SkinKind kind, bool use_form_colour) = 0;
  // Attaches a control skin the application made (the skin data's
  // OnSkinControl event).
  virtual void AttachCustom(fw::TControl& c, fw::TComponent& skin) = 0;
};

// The kind the class map gives a class: the text after "=" of the first
// line that begins with the class name and "=" (letter case ignored), at
// most 50 characters, lower-cased; empty when the class is not mapped.
std::string MappedKind(const std::vector<std::string>& class_map, const std::string& class_name);

// Classifies one framework control of the form, first rule that matches.
void ClassifyControl(TSkinData& data, fw::TForm& form, fw::TControl& c, IControlSkinner& skinner);
// The walk of a framework form: every control the form owns, then the
// windowed controls in tab order that have a window, are not disabled by
// tag and are not skinned yet.
void ClassifyFormControls(TSkinData& data, fw::TForm& form, IControlSkinner& skinner);

// A child window of a foreign window, by its lower-cased class name and its
// style.
SkinKind ClassifyForeign(const std::string& lower_class, uint32_t style);
// Foreign classes whose children are classified too.
bool ForeignHasSkinnedChildren(const std::string& lower_class, uint32_t style);

}  // namespace skin
