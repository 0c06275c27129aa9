// File dialogs and message boxes.
#pragma once

#include <string>

#include "framework/component.h"

namespace fw {

// Message box flags and results (the platform's values).
enum : unsigned {
  MB_OK_ = 0x0, MB_OKCANCEL_ = 0x1, MB_YESNO_ = 0x4,
  MB_ICONERROR_ = 0x10, MB_ICONWARNING_ = 0x30, MB_ICONINFORMATION_ = 0x40,
};
enum : int { ID_OK = 1, ID_CANCEL = 2, ID_YES = 6, ID_NO = 7 };

// Options of the file dialogs (the usual TOpenOptions set).
enum TOpenOption : unsigned {
  ofReadOnly = 1u << 0, ofOverwritePrompt = 1u << 1, ofHideReadOnly = 1u << 2,
  ofNoChangeDir = 1u << 3, ofShowHelp = 1u << 4, ofNoValidate = 1u << 5,
  ofAllowMultiSelect = 1u << 6, ofExtensionDifferent = 1u << 7, ofPathMustExist = 1u << 8,
  ofFileMustExist = 1u << 9, ofCreatePrompt = 1u << 10, ofShareAware = 1u << 11,
  ofNoReadOnlyReturn = 1u << 12, ofNoTestFileCreate = 1u << 13, ofNoNetworkButton = 1u << 14,
  ofNoLongNames = 1u << 15, ofOldStyleDialog = 1u << 16, ofNoDereferenceLinks = 1u << 17,
  ofEnableIncludeNotify = 1u << 18, ofEnableSizing = 1u << 19,
};
// Extra options of the file dialogs (the usual TOpenOptionsEx set).
enum TOpenOptionEx : unsigned { ofExNoPlacesBar = 1u << 0 };

class TOpenDialog : public TComponent {
 public:
  explicit TOpenDialog(TComponent* owner) : TComponent(owner) {}
  const char* ClassName() const override { return "TOpenDialog"; }
  // "Description|pattern|Description|pattern..."
  std::string Filter;
  int FilterIndex = 1;
  std::string DefaultExt;
  std::string FileName;  // kept between runs: the last file chosen
  std::string InitialDir;
  std::string Title;
  unsigned Options = ofHideReadOnly | ofEnableSizing;
  unsigned OptionsEx = 0;
  // Shows the dialog; true when the user chose a file (FileName holds it).
  virtual bool Execute();
  virtual bool IsSave() const { return false; }
};

class TSaveDialog : public TOpenDialog {
 public:
  explicit TSaveDialog(TComponent* owner) : TOpenDialog(owner) {}
  const char* ClassName() const override { return "TSaveDialog"; }
  bool IsSave() const override { return true; }
};

}  // namespace fw
