// Message boxes and the standard open and save dialogs.
#include "framework/win32/dialogs_win32.h"

#include <cderr.h>
#include <commdlg.h>

#include <cstring>
#include <vector>

#include "framework/dialogs.h"
#include "framework/win32/win32_internal.h"

namespace fw::win32 {
namespace {

struct OptionFlag {
  unsigned option;
  DWORD flag;
};
const OptionFlag kOptionFlags[] = {
    {ofReadOnly, OFN_READONLY},
    {ofOverwritePrompt, OFN_OVERWRITEPROMPT},
    {ofHideReadOnly, OFN_HIDEREADONLY},
    {ofNoChangeDir, OFN_NOCHANGEDIR},
    {ofShowHelp, OFN_SHOWHELP},
    {ofNoValidate, OFN_NOVALIDATE},
    {ofAllowMultiSelect, OFN_ALLOWMULTISELECT},
    {ofExtensionDifferent, OFN_EXTENSIONDIFFERENT},
    {ofPathMustExist, OFN_PATHMUSTEXIST},
    {ofFileMustExist, OFN_FILEMUSTEXIST},
    {ofCreatePrompt, OFN_CREATEPROMPT},
    {ofShareAware, OFN_SHAREAWARE},
    {ofNoReadOnlyReturn, OFN_NOREADONLYRETURN},
    {ofNoTestFileCreate, OFN_NOTESTFILECREATE},
    {ofNoNetworkButton, OFN_NONETWORKBUTTON},
    {ofNoLongNames, OFN_NOLONGNAMES},
    {ofNoDereferenceLinks, OFN_NODEREFERENCELINKS},
    {ofEnableIncludeNotify, OFN_ENABLEINCLUDENOTIFY},
    {ofEnableSizing, OFN_ENABLESIZING},
};

// Room for a long path, or a folder and many names when several files may
// be chosen.
constexpr size_t kFileBuffer = 32768;

}  // namespace

std::string NativeFilter(const std::string& filter) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    size_t bar = filter.find('|', start);
    parts.push_back(filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  std::string out;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    out += parts[i];
    out += '\0';
    out += parts[i + 1];
    out += '\0';
  }
  if (!out.empty()) out += '\0';
  return out;
}

DWORD NativeDialogFlags(unsigned options) {
  DWORD f = (options & ofOldStyleDialog) ? 0 : OFN_EXPLORER;
  for (const auto& o : kOptionFlags)
    if (options & o.option) f |= o.flag;
  return f;
}

DWORD NativeDialogFlagsEx(unsigned options_ex) { return (options_ex & ofExNoPlacesBar) ? OFN_EX_NOPLACESBAR : 0; }

std::string ChosenFile(const char* buf, size_t size) {
  size_t n = strnlen(buf, size);
  std::string first(buf, n);
  if (n + 1 < size && buf[n + 1] != '\0') {
    // Folder, NUL, names: the first name in the folder.
    size_t m = strnlen(buf + n + 1, size - n - 1);
    std::string name(buf + n + 1, m);
    if (!first.empty() && first.back() != '\\') first += '\\';
    return first + name;
  }
  return first;
}

int Win32WidgetSet::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  return MessageBoxA(ModalOwner(), text.c_str(), caption.c_str(), flags);
}

bool Win32WidgetSet::ExecuteFileDialog(TOpenDialog& d, bool save) {
  std::vector<char> file(kFileBuffer, '\0');
  const std::string filter = NativeFilter(d.Filter);
  std::string ext = d.DefaultExt;
  // The system wants the bare extension: "sf" for ".sf" or "*.sf".
  if (ext.rfind("*.", 0) == 0) ext.erase(0, 1);
  if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);

  for (int attempt = 0; attempt < 2; ++attempt) {
    std::fill(file.begin(), file.end(), '\0');
    // A stored name that the dialog rejects is dropped on the second try.
    if (attempt == 0) std::memcpy(file.data(), d.FileName.data(), std::min(d.FileName.size(), file.size() - 2));
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = ModalOwner();
    ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = DWORD(d.FilterIndex > 0 ? d.FilterIndex : 1);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = DWORD(file.size() - 1);
    ofn.lpstrInitialDir = d.InitialDir.empty() ? nullptr : d.InitialDir.c_str();
    ofn.lpstrTitle = d.Title.empty() ? nullptr : d.Title.c_str();
    ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
    ofn.Flags = NativeDialogFlags(d.Options);
    ofn.FlagsEx = NativeDialogFlagsEx(d.OptionsEx);
    ofn.FlagsEx = (d.OptionsEx & ofExNoPlacesBar) ? OFN_EX_NOPLACESBAR : 0;
    BOOL ok = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    if (ok) {
      d.FileName = ChosenFile(file.data(), file.size());
      d.FilterIndex = int(ofn.nFilterIndex);
      d.Options = (d.Options & ~unsigned(ofExtensionDifferent | ofReadOnly)) |
                  ((ofn.Flags & OFN_EXTENSIONDIFFERENT) ? unsigned(ofExtensionDifferent) : 0u) |
                  ((ofn.Flags & OFN_READONLY) ? unsigned(ofReadOnly) : 0u);
      return true;
    }
    if (attempt == 0 && CommDlgExtendedError() == FNERR_INVALIDFILENAME && !d.FileName.empty()) continue;
    return false;
  }
  return false;
}

}  // namespace fw::win32
